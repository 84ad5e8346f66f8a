#include "app/working_time_settings.h"

#include <optional>

namespace shiftex {

namespace {

constexpr const char* kEnabled = "Enabled";

} // namespace

WorkingTimeLimits ReadWorkingTimeLimits(const SettingsStore& store)
{
    WorkingTimeLimits limits;
    const std::string enabled = ReadUserSetting(store, kRulesKey, kEnabled);
    if (enabled == "0" || enabled == "1")
        limits.enabled = enabled == "1";
    for (const WorkingTimeLimitField& value : kWorkingTimeLimitFields) {
        const std::string text = ReadUserSetting(store, kRulesKey, value.setting);
        const std::optional<int> read = value.hours ? ParseLimitHours(text) : ParseLimitCount(text);
        if (read)
            limits.*(value.limit) = *read;
    }
    return limits;
}

bool WriteWorkingTimeLimits(SettingsStore& store, const WorkingTimeLimits& limits)
{
    bool written = WriteUserSetting(store, kRulesKey, kEnabled, limits.enabled ? "1" : "0");
    for (const WorkingTimeLimitField& value : kWorkingTimeLimitFields) {
        const int number = limits.*(value.limit);
        written = WriteUserSetting(store, kRulesKey, value.setting,
                                   value.hours ? LimitHoursText(number)
                                               : std::to_string(number)) &&
                  written;
    }
    return written;
}

} // namespace shiftex
