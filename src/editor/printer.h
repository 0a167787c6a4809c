// Printer, the program's printer that the editor prints on and the preview prints its pages on,
// and EPrinter, its errors.
#pragma once

#include "platform/rtl/exception.h"

class QPrinter;

// The system's default printer at its full resolution until the host sets it up otherwise (the
// page setup, or a PDF file in tests). Made on first use; needs the application object.
QPrinter& Printer();

// The printer refused a document or a page.
class EPrinter : public Exception {
public:
    using Exception::Exception;
};
