#pragma once

#include "files/schedule_text.h"
#include "model/schedule_document.h"

#include <expected>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// The row that opens the key rows below the sheet in a schedule file.
inline constexpr const char* kKeyRowsMarker = "{45A8345F-04F3-496E-8647-0DEAF5EF124A}";
// A working-type key row needs 21 cells, so the image is never narrower than this.
inline constexpr int kMinImageColumns = 30;

// The query names of flattened custom query lines: the first line, and every line after an
// "end this addition" that is not "end all additions".
std::vector<std::string> CustomQueryNamesOf(const std::vector<std::string>& lines);

// The number of key rows BuildScheduleImage appends below the sheet.
int ScheduleImageKeyRowCount(const ScheduleDocument& document);
// Whether the document's image fits a schedule file; if not, why it does not.
Result<void> ScheduleImageFits(const ScheduleDocument& document);

// The grid a schedule file holds: the sheet with its cells, attributes, sizes and header counts,
// followed by the key rows that carry every side list of the document. Throws
// std::length_error when ScheduleImageFits fails: callers check that first.
ScheduleSheet BuildScheduleImage(const ScheduleDocument& document);

// The document the bytes of a schedule file hold, built from CreateDocument's. Every malformed
// input gives kDamagedFileMessage. The loader keeps the stored header rows, merges and colours;
// modified, filePath and title stay those of a new document.
Result<ScheduleDocument> LoadScheduleFile(std::string_view bytes,
                                          const LoadProgress& progress = {});

// Writes the document's image as a grid cell stream through a temporary file renamed over
// `path`, so the file there is either the old one or the new one. A failure names the file and
// the reason; nothing else changes.
Result<void> SaveSchedule(const ScheduleDocument& document, const std::filesystem::path& path);

} // namespace shiftex
