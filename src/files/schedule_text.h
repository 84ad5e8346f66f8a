#pragma once

#include "model/message_sink.h"
#include "model/result.h"
#include "model/schedule_document.h"
#include "model/sheet_layout.h"

#include <expected>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

inline constexpr const char* kScheduleTextMagic = "ShiftexV4.2";
inline constexpr const char* kDamagedFileMessage =
    "This file is either damaged or is not a Shiftex - compatible file.";

// Told the line being read while a text loads.
using LoadProgress = std::function<void(int line, int lineCount)>;

// The document a schedule text describes, built from CreateDocument's; nothing else is touched
// (the holiday templates below `programFolder` are only read).
Result<ScheduleDocument> LoadScheduleText(const std::vector<std::string>& lines,
                                          const std::filesystem::path& programFolder,
                                          MessageSink& messages, const LoadProgress& progress = {},
                                          const TextMetrics& metrics = DefaultTextMetrics());
// The same from a whole decoded text, split into lines as it is read.
Result<ScheduleDocument> LoadScheduleText(std::string_view text,
                                          const std::filesystem::path& programFolder,
                                          MessageSink& messages, const LoadProgress& progress = {},
                                          const TextMetrics& metrics = DefaultTextMetrics());

// Everything a schedule text holds, in the order it is written.
struct ScheduleTextContent {
    int days = 0;
    std::string monthTitle;
    std::vector<std::string> weekendDays;
    std::vector<std::string> holidayDays;
    std::vector<std::string> holidayNames;
    std::string weekendColour;
    std::string holidayColour;
    struct Employee {
        std::string name;
        std::vector<std::string> cells;  // one line per day, possibly fewer than days
    };
    std::vector<Employee> employees;
    std::vector<WorkingType> workingTypes;     // without the blank entry
    std::vector<std::string> customQueryLines; // ending with "end all additions"
    std::vector<ColorThreshold> queryThresholds;
    std::string fontName;
    std::string fontColour;
    std::string region;
    std::vector<std::string> departmentNames;
    std::vector<std::string> departmentColours;  // the main department colour first
};

std::vector<std::string> ComposeScheduleText(const ScheduleTextContent& content);

// The lines of a schedule text for a one-month document in the normal view, in the layout the
// loader reads. A day cell of several lines cannot be written in this form: std::invalid_argument.
std::vector<std::string> WriteScheduleText(const ScheduleDocument& document);

} // namespace shiftex
