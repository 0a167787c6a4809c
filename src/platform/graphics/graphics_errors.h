// The graphics classes' exceptions: invalid picture data, invalid operations, memory and resources.
#pragma once

#include "platform/rtl/exception.h"

// Picture data that cannot be read.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// An operation a graphic cannot carry out (for example a row outside the bitmap).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// Memory for pixels or tables could not be had.
class EOutOfMemory : public Exception {
public:
    using Exception::Exception;
};

// A graphic object (bitmap, palette, mask) could not be made.
class EOutOfResources : public EOutOfMemory {
public:
    using EOutOfMemory::EOutOfMemory;
};
