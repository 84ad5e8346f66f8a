#pragma once

#include "model/result.h"
#include "model/schedule_document.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// The 0xRRGGBB a colour value stands for in a file: $00BBGGRR as it is, the system colours as
// a desktop shows them by default; nullopt for clNone and clDefault (no colour of its own).
std::optional<std::uint32_t> FileRgb(Colour colour);
// "#RRGGBB", empty for no colour.
std::string CssColour(Colour colour);

// The text colour of a cell in a written file: the cell's own, else the grid's font colour for
// data cells, else nothing (the reader's default).
Colour ExportTextColour(const ScheduleSheet& grid, int col, int row);

// The grid as an HTML5 page of one table (UTF-8): cell colours, text colours, bold, alignment,
// merged cells as spans, header rows in the table head; every text escaped.
std::string HtmlTable(const ScheduleSheet& grid, std::string_view title);

// Whether a text can name an XML element here: a letter or "_", then letters, digits, ".", "-"
// and "_" (ASCII only, no colon, not starting with "xml" in any letter case).
bool IsXmlName(std::string_view text);
// One element name per column: the custom query definition line of that column when it is a
// valid name, otherwise "column" and the column's number (from 0).
std::vector<std::string> XmlFieldNames(const std::vector<std::string>& definitionLines,
                                       int columns);
// The grid as XML: the list element "employee", one "day" element per row, one element per
// cell named by `fieldNames`. Characters XML cannot hold are left out.
std::string XmlTable(const ScheduleSheet& grid, const std::vector<std::string>& fieldNames);

// A text as valid UTF-8 (bytes that are not are read as Windows-1252, as the loaders do).
std::string ValidUtf8(std::string_view text);

} // namespace shiftex
