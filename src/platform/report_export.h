#pragma once

#include "platform/print_renderer.h"
#include "reports/print_commands.h"

#include <filesystem>
#include <optional>

namespace shiftex {

// The work schedule of a document written to exactly `path` as a file of the given type: the
// sheet copy prepared for export (for a PDF, as printing prepares it), then the type's writer.
// A file that cannot be created reports "Cannot Create file " and its name and leaves nothing.
Result<void> ExportSchedule(const ScheduleDocument& document,
                            const std::optional<CellRect>& selection, ExportType type,
                            const std::filesystem::path& path, const CellPictures& pictures);

} // namespace shiftex
