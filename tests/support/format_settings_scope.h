// Tests that format numbers, dates or times: fixed formats for the scope's lifetime, whatever the
// machine's locale.
#pragma once

#include "platform/rtl/format_settings.h"

class FormatSettingsScope {
public:
    // The default formats are United States English.
    explicit FormatSettingsScope(const TFormatSettings& settings = {}) : saved_(FormatSettings)
    {
        FormatSettings = settings;
    }
    ~FormatSettingsScope() { FormatSettings = saved_; }
    FormatSettingsScope(const FormatSettingsScope&) = delete;
    FormatSettingsScope& operator=(const FormatSettingsScope&) = delete;

private:
    TFormatSettings saved_;
};
