#pragma once

#include "model/result.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace shiftex {
class ScheduleSheet;
}

namespace shiftex::cli {

// The command line's JSON: objects keep their keys in the order they were written.
using Json = nlohmann::ordered_json;

// The compact text every command prints; bytes that are no UTF-8 become replacement characters
// instead of failing the command.
std::string JsonText(const Json& json);

// One sheet cell as `dump` and `print-copy` show it: col, row, text and the attributes that are
// set.
Json CellJson(const ScheduleSheet& sheet, int col, int row);

// Reads JSON strictly (RFC 8259, and no key twice in one object); the error names the line and
// column where the text goes wrong.
Result<nlohmann::json> ParseJson(std::string_view text);

} // namespace shiftex::cli
