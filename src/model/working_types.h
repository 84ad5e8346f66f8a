#pragma once

#include <array>
#include <string>
#include <vector>

namespace shiftex {

// Field numbers of a working type; the file formats move the fields by number.
namespace field {
inline constexpr int Code = 0;
inline constexpr int Information = 2;
inline constexpr int From1 = 3;
inline constexpr int Til1 = 4;
inline constexpr int From2 = 5;
inline constexpr int Til2 = 6;
inline constexpr int DayMinColour = 7;
inline constexpr int DayMinCount = 8;
inline constexpr int DayMaxColour = 9;
inline constexpr int DayMaxCount = 10;
inline constexpr int EmployeeMinColour = 11;
inline constexpr int EmployeeMinCount = 12;
inline constexpr int EmployeeMaxColour = 13;
inline constexpr int EmployeeMaxCount = 14;
inline constexpr int Count = 19;
} // namespace field

inline constexpr const char* kBlankEntryInformation = "Insert blanc";
inline constexpr const char* kLastTypeMessage =
    "At least one workintype must available.\n\rIf you want to remove this type, you'll have to "
    "create another one first.";

struct WorkingType {
    std::array<std::string, field::Count> fields;
    int iconIndex = -1;

    const std::string& code() const { return fields[field::Code]; }
    friend bool operator==(const WorkingType&, const WorkingType&) = default;

    // A type as the editor creates it: the threshold pairs "clwhite", "1" in fields 7 to 18.
    static WorkingType Create(const std::string& code, const std::string& information,
                              const std::string& from1, const std::string& til1,
                              const std::string& from2, const std::string& til2, int icon);
};

// Entry 0 is always the blank entry, the choice that places nothing.
class WorkingTypeList {
public:
    WorkingTypeList();

    int IndexOfCode(const std::string& code) const;
    void Add(WorkingType type);
    // False (and nothing removed) for the blank entry or the last real type.
    bool Remove(int index);
    int Count() const { return static_cast<int>(types_.size()); }
    const std::string& Field(int index, int number) const;
    void SetField(int index, int number, std::string text);
    int IconIndex(int index) const;
    void SetIconIndex(int index, int value);
    std::vector<std::string> Codes() const;
    const WorkingType& At(int index) const { return types_.at(index); }
    WorkingType& At(int index) { return types_.at(index); }
    // Back to the blank entry alone.
    void Clear();

    friend bool operator==(const WorkingTypeList&, const WorkingTypeList&) = default;

private:
    std::vector<WorkingType> types_;
};

} // namespace shiftex
