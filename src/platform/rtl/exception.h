// Exception: the base of every error the program's components raise, and the boundary helper.
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <functional>

class Exception : public std::exception {
public:
    explicit Exception(QString message = {}) : Message(std::move(message)) {}

    const char* what() const noexcept override;

    QString Message;

private:
    mutable QByteArray what_;
};

// A value that cannot be converted: a format that does not fit its arguments, an invalid date.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Receives an exception caught at a boundary (a posted message, a Qt slot, a thread).
using ExceptionHandler = std::function<void(Exception& E)>;

// Turns whatever the current catch block holds into an Exception: an Exception is kept as it is,
// a std::exception becomes one with its text, anything else one with a fixed text.
// Must be called inside a catch block.
void WithCaughtException(const std::function<void(Exception& E)>& use);

// Runs body and never lets an exception out: a failure goes to onException, or to the
// application's handler when onException is empty or throws itself.
void AtBoundary(const std::function<void()>& body, const ExceptionHandler& onException = {}) noexcept;
