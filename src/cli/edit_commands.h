#pragma once

#include "cli/cli_common.h"
#include "editing/schedule_session.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex::cli {

// The four summaries of a session as one JSON object: workedHours, typesPerDay,
// employeesPerType, customQuery, and the scopes of the two scoped ones.
std::string SummaryJson(const ScheduleSession& session);

// One line of an edit script as words; a text in double quotes is one word, with the escapes
// \", \\, \t, \r and \n. Nullopt with the reason in `error` for a line that does not read.
std::optional<std::vector<std::string>> SplitScriptLine(std::string_view line, std::string& error);

// shiftex-cli summary FILE [--hours-range FIRST LAST] [--employees-range FIRST LAST]
//                          [--query NAME[:COLOUR]]...
int RunSummary(const Options& options);
// shiftex-cli edit IN SCRIPT OUT [--summary]
int RunEdit(const Options& options);

} // namespace shiftex::cli
