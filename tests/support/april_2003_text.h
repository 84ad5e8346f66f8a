#pragma once

#include <string>
#include <vector>

namespace shiftex::test {

// The schedule text of a new schedule for April 2003 with the employees "A" and "B" and one
// working type "D" from 08H00 to 16H00 with icon 0, everything else as the wizard starts.
inline std::vector<std::string> April2003Text()
{
    return {"ShiftexV4.2", "31", "3", "April 2003", "5", "6", "12", "13", "19", "20", "26", "27",
            "end weekend", "end holidays", "clyellow", "$00A8C8A6", "A", "end this person", "B",
            "end this person", "end all person", "D", "end workingtypes", "end all additions",
            "end all workinghours", "08H00", "end from1", "16H00", "end til1", "  H  ",
            "end from2", "  H  ", "end til2", "end holidaynames", "0", "end glyps", "clwhite",
            "end min color day/type", "1", "end min count day/type", "clwhite",
            "end max color day/type", "1", "end max count day/type", "clwhite",
            "end min color employee/type", "1", "end min count employee/type", "clwhite",
            "end max color employee/type", "1", "end max count employee/type",
            "end min color special summation", "end min count special summation",
            "end max color special summation", "end max count special summation", "Font",
            "MS Sans Serif", "clblue", "", "end workingtype information",
            "Holiday Template file", "custom", "LstbDepartement info",
            "end LstbDepartement info", "LstbDepartement COLOR info", "$00CE8A8A",
            "end LstbDepartement COLOR info"};
}

} // namespace shiftex::test
