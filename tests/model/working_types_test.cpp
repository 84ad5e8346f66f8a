#include "model/text_helpers.h"
#include "model/working_types.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace shiftex {
namespace {

WorkingType Early()
{
    return WorkingType::Create("E", "Early", "06H00", "14H00", "  H  ", "  H  ", 2);
}

WorkingType Late()
{
    return WorkingType::Create("L", "Late", "14H00", "22H00", "  H  ", "  H  ", 3);
}

TEST(WorkingTypes, CreateFillsTheFieldsInNumberOrder)
{
    const WorkingType type =
        WorkingType::Create("N", "Night", "00H00", "06H00", "22H00", "24H00", 4);
    const std::vector<std::string> expected = {
        "N",       "",  "Night",   "00H00", "06H00",   "22H00", "24H00",
        "clwhite", "1", "clwhite", "1",     "clwhite", "1",     "clwhite",
        "1",       "clwhite", "1", "clwhite", "1"};
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(field::Count));
    for (int number = 0; number < field::Count; ++number)
        EXPECT_EQ(type.fields[static_cast<std::size_t>(number)], expected[number]) << number;
    EXPECT_EQ(type.iconIndex, 4);
    EXPECT_EQ(type.code(), "N");
}

TEST(WorkingTypes, NewListHoldsOnlyTheBlankEntry)
{
    const WorkingTypeList list;
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Field(0, field::Code), "");
    EXPECT_EQ(list.Field(0, 1), "");
    EXPECT_EQ(list.Field(0, field::Information), "Insert blanc");
    for (int number = field::From1; number < field::Count; ++number)
        EXPECT_EQ(list.Field(0, number), "") << number;
    EXPECT_EQ(list.IconIndex(0), -1);
    EXPECT_TRUE(list.Codes().empty());
    EXPECT_EQ(list.IndexOfCode(""), 0) << "the empty code finds the blank entry";
}

TEST(WorkingTypes, IndexOfCodeComparesExactlyAndCodesKeepOrder)
{
    WorkingTypeList list;
    list.Add(Early());
    list.Add(Late());
    list.Add(WorkingType::Create("e", "early, other", "07H00", "15H00", "  H  ", "  H  ", 5));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOfCode("E"), 1);
    EXPECT_EQ(list.IndexOfCode("L"), 2);
    EXPECT_EQ(list.IndexOfCode("e"), 3) << "letter case makes a distinct type";
    EXPECT_EQ(list.IndexOfCode("X"), -1);
    EXPECT_EQ(list.IndexOfCode(" E"), -1);
    EXPECT_EQ(list.Codes(), (std::vector<std::string>{"E", "L", "e"}));
}

TEST(WorkingTypes, RemoveRefusesTheBlankEntryAndTheLastRealType)
{
    WorkingTypeList list;
    list.Add(Early());
    list.Add(Late());
    EXPECT_FALSE(list.Remove(0));
    EXPECT_FALSE(list.Remove(3));
    EXPECT_FALSE(list.Remove(-1));
    EXPECT_EQ(list.Count(), 3);

    EXPECT_TRUE(list.Remove(1));
    EXPECT_EQ(list.Codes(), (std::vector<std::string>{"L"}));
    EXPECT_FALSE(list.Remove(1)) << "the last real type stays";
    EXPECT_EQ(list.Codes(), (std::vector<std::string>{"L"}));
    EXPECT_EQ(list.Field(0, field::Information), "Insert blanc");

    WorkingTypeList empty;
    EXPECT_FALSE(empty.Remove(0));
    EXPECT_EQ(empty.Count(), 1);
}

TEST(WorkingTypes, FieldsAndIconsByNumber)
{
    WorkingTypeList list;
    list.Add(Early());
    list.SetField(1, field::DayMaxCount, "4");
    list.SetField(1, 18, "7");
    list.SetIconIndex(1, 9);
    EXPECT_EQ(list.Field(1, field::DayMaxCount), "4");
    EXPECT_EQ(list.Field(1, 18), "7");
    EXPECT_EQ(list.IconIndex(1), 9);
    EXPECT_EQ(list.At(1).fields[field::DayMaxCount], "4");

    EXPECT_THROW(list.Field(1, -1), std::out_of_range);
    EXPECT_THROW(list.Field(1, field::Count), std::out_of_range);
    EXPECT_THROW(list.SetField(1, 19, "x"), std::out_of_range);
    EXPECT_THROW(list.Field(2, 0), std::out_of_range);
    EXPECT_THROW(list.Field(-1, 0), std::out_of_range);
    EXPECT_THROW(list.SetField(5, 0, "x"), std::out_of_range);
    EXPECT_THROW(list.IconIndex(2), std::out_of_range);
    EXPECT_THROW(list.SetIconIndex(-1, 0), std::out_of_range);
}

TEST(WorkingTypes, ClearLeavesTheBlankEntryAlone)
{
    WorkingTypeList list;
    list.Add(Early());
    list.Add(Late());
    list.Clear();
    EXPECT_EQ(list, WorkingTypeList());
    list.Add(Late());
    EXPECT_EQ(list.IndexOfCode("L"), 1);
}

TEST(WorkingTypes, HoursOfATypeFromItsFields)
{
    struct Case {
        const char* from1;
        const char* til1;
        const char* from2;
        const char* til2;
        const char* hours;
    };
    const Case cases[] = {
        {"08H00", "12H00", "  H  ", "  H  ", "04H00"},
        {"08H00", "12H00", "00H00", "00H00", "04H00"},
        {"08H00", "12H00", "  H  ", "06H30", "10H30"},
        {"08H00", "12H00", "13H00", "17H30", "08H30"},
    };
    for (const Case& c : cases) {
        WorkingTypeList list;
        list.Add(WorkingType::Create("D", "Day", c.from1, c.til1, c.from2, c.til2, 0));
        EXPECT_EQ(WorkingTypeHours(list.Field(1, field::From1), list.Field(1, field::Til1),
                                   list.Field(1, field::From2), list.Field(1, field::Til2)),
                  c.hours);
    }
}

} // namespace
} // namespace shiftex
