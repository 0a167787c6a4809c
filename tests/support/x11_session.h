// X11Session: a private X server (Xvfb, on a display it picks itself) with openbox as window
// manager, for tests that drag and drop between programs. One session per test binary, started on
// first use and stopped when the binary ends; a binary that runs on an X server itself (started
// under xvfb-run with QT_QPA_PLATFORM=xcb) gets openbox on that one. Programs run on it through /usr/bin/env, and
// xdotool drives its pointer.
#pragma once

#include "support/server_process.h"
#include "support/server_required.h"

#include <QString>
#include <QStringList>
#include <memory>

class X11Session {
public:
    // The running session, or null when it cannot run here (StartError() says why).
    static X11Session* Instance();
    static QString StartError();

    QString Display() const { return display_; }
    // Starts Program on the session's display with Qt on X11 (a sanitized program checks only its
    // own code); false (with Process.Error()) when it does not start.
    bool Run(ServerProcess& Process, const QString& Program, const QStringList& Arguments) const;
    // Runs xdotool with Arguments; Output (when given) gets what it prints. False, with Error(),
    // when it fails.
    bool Xdotool(const QStringList& Arguments, QString* Output = nullptr);
    // Finds the window titled Title and puts it at X, Y; its id, or empty (with Error()).
    QString PlaceWindow(const QString& Title, int X, int Y);
    // Moves the pointer to X, Y of the screen and returns once it stands there.
    bool MoveTo(int X, int Y);
    // Moves the pointer to X, Y of Window.
    bool PointAt(const QString& Window, int X, int Y);
    QString Error() const { return error_; }

private:
    X11Session() = default;
    bool Start();
    bool StartServer();

    ServerProcess server_;
    ServerProcess windowManager_;
    QString display_;
    QString error_;
};

// Use in a test body: skips (or fails with HFTP_REQUIRE_SERVERS=1) without an X11 session.
#define HFTP_NEED_X11(session) HFTP_NEED_SERVER((session) != nullptr, X11Session::StartError().toStdString())
