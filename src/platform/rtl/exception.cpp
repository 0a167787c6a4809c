// Exception and the boundary that stops exceptions from reaching Qt's event loop.
#include "platform/rtl/exception.h"

#include "platform/rtl/application.h"

const char* Exception::what() const noexcept
{
    what_ = Message.toUtf8();
    return what_.constData();
}

void WithCaughtException(const std::function<void(Exception& E)>& use)
{
    try {
        throw;
    } catch (Exception& E) {
        use(E);
    } catch (const std::exception& e) {
        Exception E(QString::fromUtf8(e.what()));
        use(E);
    } catch (...) {
        Exception E(QStringLiteral("Unknown exception"));
        use(E);
    }
}

static void ReportToApplication(Exception& E) noexcept
{
    try {
        TApplication::ReportException(E);
    } catch (...) {
        // The reporter itself failed; there is nobody left to tell.
    }
}

void AtBoundary(const std::function<void()>& body, const ExceptionHandler& onException) noexcept
{
    try {
        body();
    } catch (...) {
        try {
            WithCaughtException([&](Exception& E) {
                if (!onException) {
                    ReportToApplication(E);
                    return;
                }
                try {
                    onException(E);
                } catch (...) {
                    WithCaughtException([](Exception& inner) { ReportToApplication(inner); });
                }
            });
        } catch (...) {
        }
    }
}
