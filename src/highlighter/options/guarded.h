// RunGuarded: the exception boundary of the option dialogs' handlers that Qt calls.
#pragma once

#include "platform/rtl/application.h"
#include "platform/rtl/exception.h"

#include <exception>
#include <utility>

// Runs Handler; an exception that comes out of it is reported as the application reports
// exceptions instead of unwinding through Qt's event loop.
template <class THandler>
void RunGuarded(THandler&& Handler)
{
    try {
        std::forward<THandler>(Handler)();
    } catch (const Exception& E) {
        TApplication::ReportException(E);
    } catch (const std::exception& E) {
        TApplication::ReportException(Exception(QString::fromLocal8Bit(E.what())));
    } catch (...) {
        TApplication::ReportException(Exception(QStringLiteral("Unknown error")));
    }
}
