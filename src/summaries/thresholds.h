#pragma once

#include "model/text_helpers.h"
#include "model/working_types.h"

namespace shiftex {

// A ColorThreshold read once, for colouring many counts: ThresholdColour without the parsing.
struct ParsedThreshold {
    int minCount = 1;
    int maxCount = 1;
    Colour minColour = clWhite;
    Colour maxColour = clWhite;

    // ConversionError when a count is no number or a colour no colour text.
    static ParsedThreshold Of(const ColorThreshold& threshold)
    {
        ParsedThreshold parsed;
        parsed.minCount = ParseInt(threshold.minCount);
        parsed.maxCount = ParseInt(threshold.maxCount);
        parsed.minColour = StringToColor(threshold.minColour);
        parsed.maxColour = StringToColor(threshold.maxColour);
        return parsed;
    }
    Colour ColourOf(int count) const
    {
        if (count < minCount)
            return minColour;
        if (count > maxCount)
            return maxColour;
        return clWhite;
    }
};

// The per-day and the per-employee threshold a working type carries.
inline ColorThreshold DayThreshold(const WorkingType& type)
{
    const auto& f = type.fields;
    return {type.code(), f[field::DayMinColour], f[field::DayMinCount], f[field::DayMaxColour],
            f[field::DayMaxCount]};
}

inline ColorThreshold EmployeeThreshold(const WorkingType& type)
{
    const auto& f = type.fields;
    return {type.code(), f[field::EmployeeMinColour], f[field::EmployeeMinCount],
            f[field::EmployeeMaxColour], f[field::EmployeeMaxCount]};
}

} // namespace shiftex
