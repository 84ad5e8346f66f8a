#pragma once

#include "model/result.h"
#include "model/schedule_sheet.h"

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>

namespace shiftex {

// The largest grid (columns times rows) a stream may ask for. Both counts are limited to 32767,
// but their product would allow a billion cells; a damaged or hostile file must not make us
// allocate that much. Real schedules stay far below this.
inline constexpr std::size_t kMaxStreamCells = std::size_t{1} << 23;

// The bytes every record of a grid cell stream, and so every schedule file, starts with.
inline constexpr std::string_view kGridCellStreamSignature = "TPF0";

// The complete form of a sheet: size, widths, heights and every cell with a text or attributes,
// as the records of the schedule files.
std::string WriteGridCellStream(const ScheduleSheet& sheet);
// Replaces the sheet's content by the stream's. On failure the sheet may be half-read (callers
// discard it) but stays consistent. The error texts are "Invalid stream format",
// "Property <name> does not exist" and "Invalid property value".
Result<void> ReadGridCellStream(ScheduleSheet& sheet, std::string_view bytes);

// Copies size, widths, heights, texts and cell attributes; the header counts and the font of
// `to` stay as they are.
void CopySheet(const ScheduleSheet& from, ScheduleSheet& to);

// The light form: size, column widths and cell texts as CR LF ended lines.
std::string WriteCellTextStream(const ScheduleSheet& sheet);
// The same bytes into `out`, whose storage is reused when it is large enough (the undo snapshots
// are taken before every edit).
void WriteCellTextStream(const ScheduleSheet& sheet, std::string& out);
// Sets size and widths and the texts the stream holds; other cells keep their text. Lines that
// cannot be read and cells outside the grid are skipped; an impossible size is an error.
Result<void> ReadCellTextStream(ScheduleSheet& sheet, std::string_view bytes);

// The 10-byte x87 extended form of a floating-point value, and back.
void EncodeExtended(long double value, unsigned char out[10]);
long double DecodeExtended(const unsigned char in[10]);

} // namespace shiftex
