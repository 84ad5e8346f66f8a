#pragma once

#include "model/schedule_sheet.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// The system clipboard, text only. The window hands over one bound to the platform's clipboard;
// the command line and the tests use MemoryClipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text; nullopt while it holds no text.
    virtual std::optional<std::string> Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

class MemoryClipboard final : public Clipboard {
public:
    std::optional<std::string> Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    void Clear() { text_.reset(); }

private:
    std::optional<std::string> text_;
};

// The cells of `rect` as tab-separated text: the cells of a row joined by a tab; with more than
// one row, every row (the last one included) ends with CR LF, a single row has no line end.
// A text with a line break, a tab or a leading double quote goes in double quotes (inner quotes
// doubled), as other programs exchanging such text expect; every other text stands as it is.
std::string ClipboardText(const ScheduleSheet& sheet, const CellRect& rect);

// Tab-separated text back into rows of cell texts. Rows end at CR LF, CR or LF; a line end at
// the very end adds no row. A field that opens with a double quote and is closed by one before
// the next tab or line end is read as a quoted field (line breaks and tabs inside kept, doubled
// quotes single); otherwise the quote is an ordinary character.
std::vector<std::vector<std::string>> ParseClipboardText(std::string_view text);

} // namespace shiftex
