// ESyntaxMemo and its descendants: the exception classes of the editor's own failures.
#pragma once

#include "platform/rtl/exception.h"

class ESyntaxMemo : public Exception {
public:
    using Exception::Exception;
};

// A keyword store or keyword table refused a word or a table.
class EKeywords : public ESyntaxMemo {
public:
    using ESyntaxMemo::ESyntaxMemo;
};

class EKeyControllerException : public ESyntaxMemo {
public:
    using ESyntaxMemo::ESyntaxMemo;
};

// A key binding that would clash with one already in the key map.
class EAmbigiousKeyPair : public EKeyControllerException {
public:
    using EKeyControllerException::EKeyControllerException;
};

// Saving the editor's text failed; the text, its undo log and Modified are as they were.
class EFileSaveError : public ESyntaxMemo {
public:
    using ESyntaxMemo::ESyntaxMemo;
};
