#include "reports/table_export.h"

#include <gtest/gtest.h>

namespace shiftex {
namespace {

ScheduleSheet SmallGrid()
{
    ScheduleSheet grid;
    grid.Resize(3, 3);
    grid.fixedCols = 1;
    grid.fixedRows = 1;
    grid.fontColour = StringToColor("clBlue");
    grid.SetText(1, 0, "Week <1> & \"2\"");
    grid.Merge(1, 0, 2, 1);
    grid.SetBrushColor(1, 0, StringToColor("clBtnFace"));
    grid.SetBold(1, 0, true);
    grid.SetText(0, 1, "O'Neil");
    grid.SetText(1, 1, "E\r\nL");
    grid.SetBrushColor(1, 1, StringToColor("clYellow"));
    grid.SetAlignment(1, 1, HAlignment::Center);
    grid.SetText(2, 1, std::string("bad \x01 byte \xff"));
    grid.SetFontColor(2, 2, StringToColor("clRed"));
    grid.SetText(2, 2, "x");
    return grid;
}

TEST(TableExport, HtmlEscapesTextsAndKeepsSpansAndColours)
{
    const std::string html = HtmlTable(SmallGrid(), "Ward <A>");
    EXPECT_NE(html.find("<title>Ward &lt;A&gt;</title>"), std::string::npos);
    EXPECT_NE(html.find("<th colspan=\"2\" style=\"background-color:#F0F0F0;font-weight:bold;"
                        "text-align:left\">Week &lt;1&gt; &amp; &quot;2&quot;</th>"),
              std::string::npos);
    EXPECT_NE(html.find(">O&#39;Neil</td>"), std::string::npos);
    EXPECT_NE(html.find("background-color:#FFFF00;color:#0000FF;font-weight:normal;"
                        "text-align:center\">E<br>L</td>"),
              std::string::npos);
    // A cell's own text colour wins over the grid's.
    EXPECT_NE(html.find("color:#FF0000;font-weight:normal;text-align:left\">x</td>"),
              std::string::npos);
    // Control characters are left out; bytes that are no UTF-8 are read as Windows-1252.
    EXPECT_NE(html.find(">bad  byte \xc3\xbf</td>"), std::string::npos);
    // A covered cell writes nothing: the header row has two cells.
    std::size_t headerCells = 0;
    for (auto at = html.find("<th "); at != std::string::npos; at = html.find("<th ", at + 1))
        ++headerCells;
    EXPECT_EQ(headerCells, 2u);
}

TEST(TableExport, XmlNamesFallBackToValidNames)
{
    const std::pair<const char*, bool> names[] = {
        {"Early", true},  {"_a.b-c9", true}, {"Day staff", false}, {"9lives", false},
        {"a:b", false},   {"", false},        {"xmlThing", false},  {"XmLx", false},
        {"\xc3\xa9t\xc3\xa9", false},
    };
    for (const auto& [name, valid] : names)
        EXPECT_EQ(IsXmlName(name), valid) << name;
    EXPECT_EQ(XmlFieldNames({"Day staff", "E", "end this addition"}, 5),
              (std::vector<std::string>{"column0", "E", "column2", "column3", "column4"}));

    const std::string xml = XmlTable(SmallGrid(), {"name", "first", "second"});
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<employee>\n", 0), 0u);
    EXPECT_NE(xml.find("<day><name></name><first>Week &lt;1&gt; &amp; &quot;2&quot;</first>"
                       "<second></second></day>"),
              std::string::npos);
    EXPECT_NE(xml.find("<first>E&#13;\nL</first>"), std::string::npos);
    EXPECT_NE(xml.find("<second>bad  byte \xc3\xbf</second>"), std::string::npos);
}

TEST(TableExport, FileColoursOfValuesAndSystemColours)
{
    EXPECT_EQ(CssColour(StringToColor("clYellow")), "#FFFF00");
    EXPECT_EQ(CssColour(StringToColor("$00A8C8A6")), "#A6C8A8");
    EXPECT_EQ(CssColour(StringToColor("clBtnFace")), "#F0F0F0");
    EXPECT_EQ(CssColour(StringToColor("clWindowText")), "#000000");
    EXPECT_EQ(CssColour(clNone), "");
    EXPECT_EQ(CssColour(clDefault), "");
}

} // namespace
} // namespace shiftex
