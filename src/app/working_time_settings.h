#pragma once

#include "model/settings_store.h"
#include "summaries/working_time_rules.h"

namespace shiftex {

// Where each user keeps the limits of the working-time warnings.
inline constexpr const char* kRulesKey = "\\Software\\Shiftex\\Rules";

// The user's limits; each value that is missing or does not read is its default.
WorkingTimeLimits ReadWorkingTimeLimits(const SettingsStore& store);
// False when the store refused a value.
bool WriteWorkingTimeLimits(SettingsStore& store, const WorkingTimeLimits& limits);

} // namespace shiftex
