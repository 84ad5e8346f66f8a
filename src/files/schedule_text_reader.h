#pragma once

#include "files/text_io.h"
#include "model/schedule_sheet.h"
#include "model/text_helpers.h"
#include "model/working_types.h"

#include <cstddef>
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// A schedule text that cannot be read, with the reason. Thrown while a text is read line by line
// and turned into a result where the reading started.
class TextReadFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The most lines a list of a schedule text may hold: each list of a schedule is kept in rows of
// its schedule file, and a schedule file has at most kMaxSheetSize rows. A longer list is no
// schedule, and holding it would cost memory without bound.
inline constexpr std::size_t kMaxListLines = kMaxSheetSize;

// Reads a schedule text line by line; reading past the last line yields an empty line. A text is
// split as it is read, so lines that are only passed over are never held.
class LineReader {
public:
    // The lines of a text given already split (the wizard's).
    explicit LineReader(const std::vector<std::string>& lines) : lines_(&lines) {}
    // A decoded text, split at carriage returns, line feeds or both.
    explicit LineReader(std::string_view text) : text_(text) {}

    bool AtEnd() { return !Fill(1); }
    // The number of lines of the whole text.
    std::size_t LineCount() const { return lines_ ? lines_->size() : CountLines(text_); }
    const std::string& Peek(std::size_t offset = 0)
    {
        static const std::string empty;
        return Fill(offset + 1) ? ahead_[offset] : empty;
    }
    std::string Next()
    {
        std::string line;
        if (Fill(1)) {
            line = std::move(ahead_.front());
            ahead_.pop_front();
        }
        ++number_;
        return line;
    }
    void Skip(std::size_t count)
    {
        for (std::size_t k = 0; k < count; ++k)
            Next();
    }
    // 1-based number of the line at the reading position.
    std::size_t LineNumber() const { return number_; }

    // Hands the lines up to the marker, which is consumed, to take(line, index). A section of the
    // first kind must be closed by its marker; one of the second kind may run to the end.
    template <class Take>
    void ForEachInSection(const std::string& marker, bool markerRequired, Take&& take)
    {
        const std::size_t start = number_;
        std::size_t index = 0;
        while (!AtEnd() && Peek() != marker)
            take(Next(), index++);
        if (AtEnd()) {
            if (markerRequired)
                throw TextReadFailure("The section starting on line " + std::to_string(start) +
                                      " is not closed by \"" + marker + "\".");
        } else {
            Next();
        }
    }
    // The lines up to the marker, at most kMaxListLines of them.
    std::vector<std::string> Section(const std::string& marker, bool markerRequired);
    // Moves past the marker, which must come.
    void SkipPast(const std::string& marker)
    {
        ForEachInSection(marker, true, [](const std::string&, std::size_t) {});
    }

private:
    // True when at least `count` lines lie ahead.
    bool Fill(std::size_t count)
    {
        while (ahead_.size() < count) {
            if (lines_) {
                if (next_ >= lines_->size())
                    return false;
                ahead_.push_back((*lines_)[next_++]);
            } else {
                if (next_ >= text_.size())
                    return false;
                ahead_.emplace_back(TakeLine(text_, next_));
            }
        }
        return true;
    }

    const std::vector<std::string>* lines_ = nullptr;
    std::string_view text_;
    std::size_t next_ = 0;  // the next line of lines_, or the next byte of text_
    std::deque<std::string> ahead_;
    std::size_t number_ = 1;
};

// The line's number; TextReadFailure naming the line when it holds none.
int NumberAt(const std::string& text, std::size_t lineNumber);
// TextReadFailure naming the line when the text is no colour.
void CheckColour(const std::string& text, std::size_t lineNumber);

// A working type as a schedule text declares it, before its other sections fill it in.
WorkingType TextDeclaredType(const std::string& code);

// What a schedule text holds from its working types to their information: the part that the
// loader and the template import read alike.
struct ScheduleTextBody {
    std::vector<WorkingType> workingTypes;
    std::vector<std::string> customQueryLines;  // ending with "end all additions"
    std::vector<ColorThreshold> queryThresholds;
    std::vector<std::string> holidayNames;
    bool hasFont = false;
    std::string fontName;
    std::string fontColour;
};

// Reads from the line after "end all person" through the information section.
ScheduleTextBody ReadScheduleTextBody(LineReader& reader);

} // namespace shiftex
