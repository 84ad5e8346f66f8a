#pragma once

#include "model/text_helpers.h"
#include "model/working_types.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace shiftex {

// A schedule text that cannot be read, with the reason. Thrown while a text is read line by line
// and turned into a result where the reading started.
class TextReadFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a schedule text line by line; reading past the last line yields an empty line.
class LineReader {
public:
    explicit LineReader(const std::vector<std::string>& lines) : lines_(lines) {}

    std::size_t pos() const { return pos_; }
    void Seek(std::size_t pos) { pos_ = pos; }
    bool AtEnd() const { return pos_ >= lines_.size(); }
    std::size_t size() const { return lines_.size(); }
    const std::string& Peek(std::size_t offset = 0) const
    {
        static const std::string empty;
        return pos_ + offset < lines_.size() ? lines_[pos_ + offset] : empty;
    }
    const std::string& Next()
    {
        const std::string& line = Peek();
        ++pos_;
        return line;
    }
    // 1-based number of the line at the reading position.
    std::size_t LineNumber() const { return pos_ + 1; }

    // The lines up to the marker, which is consumed. A section of the first kind must be closed
    // by its marker; one of the second kind may run to the end of the text.
    std::vector<std::string> Section(const std::string& marker, bool markerRequired);
    // Moves past the marker, which must come.
    void SkipPast(const std::string& marker) { Section(marker, true); }

private:
    const std::vector<std::string>& lines_;
    std::size_t pos_ = 0;
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
