// Window messages on the GUI thread: hidden message targets, posted and sent messages, timers.
//
// One dispatcher on the GUI thread delivers every posted message in the order it was posted,
// from any thread, never inside the call that posts it. Handles are never reused: messages for a
// deallocated target are dropped. A timer keeps at most one WM_TIMER pending, and a pending
// WM_TIMER is delivered only when no posted message waits. Delivery is an exception boundary.
#pragma once

#include "platform/rtl/exception.h"

#include <cstdint>
#include <functional>

namespace win {

using UINT = unsigned int;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct HWND__;
using HWND = HWND__*;

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_USER = 0x0400;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using WndMethod = std::function<void(TMessage& Message)>;

constexpr WORD LOWORD(LPARAM l) { return WORD(std::uintptr_t(l) & 0xFFFF); }
constexpr WORD HIWORD(LPARAM l) { return WORD((std::uintptr_t(l) >> 16) & 0xFFFF); }
constexpr LPARAM MAKELONG(WORD low, WORD high) { return LPARAM(DWORD(low) | (DWORD(high) << 16)); }

// Creates a hidden message target. An exception thrown by handler goes to onException, or to the
// application's handler when onException is empty.
HWND AllocateHWnd(WndMethod handler, ExceptionHandler onException = {});
// Destroys the target: its queued and later messages are dropped and its timers stopped.
// Safe to call from inside the target's own handler.
void DeallocateHWnd(HWND wnd);
bool IsWindow(HWND wnd);

// Queues a message for the target; thread-safe. False when the target does not exist.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Calls the target's handler at once; only on the GUI thread (throws elsewhere).
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Removes the queued messages of wnd for which match is true; returns how many were removed.
int RemoveMessages(HWND wnd, const std::function<bool(const TMessage& Message)>& match);
// Asks the message loop to end: the dispatcher marks the application terminated.
void PostQuitMessage(int exitCode);

// Starts (or restarts) timer id of wnd; each period makes WM_TIMER with wParam = id pending.
// An interval of 0 never fires. GUI thread only. Returns id, or 0 for an unknown target.
UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT elapseMs);
bool KillTimer(HWND wnd, UINT_PTR id);

// Delivers every message now queued (used by nested pumping). GUI thread only.
// Returns false when a quit message was met.
bool PumpMessages();

// Number of messages waiting in the queue (for tests and diagnostics).
int QueuedMessageCount();

} // namespace win

// Creates the dispatcher on the GUI thread; called once at start-up.
void initMessages();
