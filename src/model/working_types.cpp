#include "model/working_types.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace shiftex {

namespace {

void CheckFieldNumber(int number)
{
    if (number < 0 || number >= field::Count)
        throw std::out_of_range("working type field " + std::to_string(number));
}

WorkingType BlankEntry()
{
    WorkingType blank;
    blank.fields[field::Information] = kBlankEntryInformation;
    blank.iconIndex = -1;
    return blank;
}

} // namespace

WorkingType WorkingType::Create(const std::string& code, const std::string& information,
                                const std::string& from1, const std::string& til1,
                                const std::string& from2, const std::string& til2, int icon)
{
    WorkingType type;
    type.fields[field::Code] = code;
    type.fields[1] = "";
    type.fields[field::Information] = information;
    type.fields[field::From1] = from1;
    type.fields[field::Til1] = til1;
    type.fields[field::From2] = from2;
    type.fields[field::Til2] = til2;
    for (int number = field::DayMinColour; number < field::Count; number += 2) {
        type.fields[static_cast<std::size_t>(number)] = "clwhite";
        type.fields[static_cast<std::size_t>(number + 1)] = "1";
    }
    type.iconIndex = icon;
    return type;
}

WorkingTypeList::WorkingTypeList() { types_.push_back(BlankEntry()); }

int WorkingTypeList::IndexOfCode(const std::string& code) const
{
    for (std::size_t i = 0; i < types_.size(); ++i) {
        if (types_[i].code() == code)
            return static_cast<int>(i);
    }
    return -1;
}

void WorkingTypeList::Add(WorkingType type) { types_.push_back(std::move(type)); }

bool WorkingTypeList::Remove(int index)
{
    // Entry 0 is the blank entry, and one real type must always remain.
    if (index < 1 || index >= Count() || Count() <= 2)
        return false;
    types_.erase(types_.begin() + index);
    return true;
}

const std::string& WorkingTypeList::Field(int index, int number) const
{
    CheckFieldNumber(number);
    return At(index).fields[static_cast<std::size_t>(number)];
}

void WorkingTypeList::SetField(int index, int number, std::string text)
{
    CheckFieldNumber(number);
    At(index).fields[static_cast<std::size_t>(number)] = std::move(text);
}

int WorkingTypeList::IconIndex(int index) const { return At(index).iconIndex; }

void WorkingTypeList::SetIconIndex(int index, int value) { At(index).iconIndex = value; }

std::vector<std::string> WorkingTypeList::Codes() const
{
    std::vector<std::string> codes;
    codes.reserve(types_.size() - 1);
    for (std::size_t i = 1; i < types_.size(); ++i)
        codes.push_back(types_[i].code());
    return codes;
}

void WorkingTypeList::Clear()
{
    types_.clear();
    types_.push_back(BlankEntry());
}

} // namespace shiftex
