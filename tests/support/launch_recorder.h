// TLaunchRecorder: records what the shell launches instead of launching it.
#pragma once

#include "platform/shellapi/shell_execute.h"

#include <vector>

// While it lives, every launch is recorded and answered with Succeed.
class TLaunchRecorder {
public:
    explicit TLaunchRecorder(bool Succeed = true)
        : previous_(SetShellLauncher([this, Succeed](const TShellLaunch& Launch) {
              launches.push_back(Launch);
              return Succeed;
          }))
    {
    }
    ~TLaunchRecorder() { SetShellLauncher(previous_); }
    TLaunchRecorder(const TLaunchRecorder&) = delete;
    TLaunchRecorder& operator=(const TLaunchRecorder&) = delete;

    std::vector<TShellLaunch> launches;

private:
    TShellLauncher previous_;
};
