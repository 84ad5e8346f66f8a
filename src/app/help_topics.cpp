#include "app/help_topics.h"

#include <array>

namespace shiftex {

std::span<const std::string_view> ProgramHelpTopics()
{
    static constexpr std::array<std::string_view, 21> topics{
        "Wizard Overview",
        "Wizard Choose month and year",
        "Wizard Import / Create new",
        "Wizard Employees",
        "Wizard Working Types",
        "Wizard Custom Query Settings",
        "Wizard Color settings",
        "Wizard Finished",
        "Working Type",
        "Schedule Grid Color",
        "Custom Query Listing",
        "Custom Query Color settings",
        "Days/Type Color settings",
        "Employee/Type Color settings",
        "backup",
        "Generate Bar Schedule",
        "topic14",
        "About Shiftex",
        "Frequently asked questions",
        "Screenshots",
        "Reporting a problem",
    };
    return topics;
}

std::string NormalizeHelpTopic(std::string_view name)
{
    std::string normal;
    normal.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) == 0xA0) {
            normal += ' ';
            ++i;
        } else if (byte == 0xA0) {
            normal += ' ';
        } else {
            normal += name[i];
        }
    }
    return normal;
}

} // namespace shiftex
