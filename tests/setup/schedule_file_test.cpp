#include "files/grid_cell_stream.h"
#include "files/schedule_file.h"
#include "files/text_io.h"
#include "setup/wizard_answers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <random>

namespace shiftex {
namespace {

using test::LoadedOrFail;
using test::RecordingMessageSink;
using test::TempProgramFolder;

WizardAnswers May2004()
{
    WizardAnswers answers = WizardAnswers::Defaults(2004, 5);
    answers.regionName = "Belgium";
    answers.employeeNames = {"Ann", "Bob", "Cor"};
    answers.workingTypes = {
        WorkingType::Create("E", "early", "07H00", "15H00", "  H  ", "  H  ", 0),
        WorkingType::Create("L", "late", "14H00", "22H00", "  H  ", "  H  ", 3),
    };
    return answers;
}

class ScheduleFileTest : public ::testing::Test {
protected:
    ScheduleDocument FromText(const WizardAnswers& answers)
    {
        return LoadedOrFail(LoadScheduleText(BuildScheduleText(answers), folder.path(), messages));
    }

    // A document with something in every list and every kind of cell attribute.
    ScheduleDocument Rich()
    {
        WizardAnswers answers = May2004();
        answers.customQueryLines = {"Early", "E", "end this addition", "Both", "E", "L",
                                    "end this addition", "end all additions"};
        answers.queryThresholds = {{"Early", "clred", "2", "clblue", "5"},
                                   {"Both", "$00112233", "0", "clYellow", "9"}};
        answers.departmentNames = {"Ward A", "Ward B"};
        answers.departmentColours = {"$00010203", "clred", "$00445566"};
        ScheduleDocument document = FromText(answers);
        ScheduleSheet& sheet = document.sheet;
        sheet.SetText(2, 3, "E");
        sheet.SetText(3, 3, "E\rL");
        sheet.SetText(4, 4, "Ward A: E\rWard B: L\r");
        sheet.SetComment(4, 4, "swapped with Bob\r\nagreed");
        sheet.SetBold(5, 5, true);
        sheet.SetFontColor(5, 5, StringToColor("clRed"));
        sheet.SetBrushColor(0, 4, StringToColor("$00ABCDEF"));  // a group colour
        sheet.SetAlignment(6, 5, HAlignment::Right);
        sheet.SetText(7, 5, "caf\xc3\xa9");
        sheet.SetColWidth(8, 41);
        sheet.SetRowHeight(4, 33);
        // Every field of a working type is kept, the reserved ones too.
        WorkingType& early = document.workingTypes.At(1);
        for (const int f : {1, 15, 16, 17, 18})
            early.fields[f] = "field " + std::to_string(f);
        early.fields[field::DayMinColour] = "clLime";
        early.fields[field::EmployeeMaxCount] = "12";
        early.iconIndex = 7;
        document.holidayDays = {"1", "20"};
        document.holidayNames = {"Labour Day", "Whit Monday"};
        document.fontName = "Arial";
        document.fontColour = "clMaroon";
        document.customQueryPanel = {true, 107, {{"Both", "$00ABCDEF"}, {"", "clNone"},
                                                 {"Early", "clNone"}}};
        document.employeeTypesPanelVisible = true;
        document.workedHoursPanelVisible = true;
        return document;
    }

    std::string Bytes(const ScheduleSheet& image) { return WriteGridCellStream(image); }
    std::string Bytes(const ScheduleDocument& document)
    {
        return WriteGridCellStream(BuildScheduleImage(document));
    }

    Result<void> Load(std::string_view bytes)
    {
        return test::KeepLoaded(loaded, LoadScheduleFile(bytes));
    }

    // Everything a schedule file keeps.
    static void ExpectSameDocument(const ScheduleDocument& a, const ScheduleDocument& b)
    {
        EXPECT_EQ(a.sheet, b.sheet);
        EXPECT_EQ(a.monthTitle, b.monthTitle);
        EXPECT_EQ(a.workingTypes, b.workingTypes);
        EXPECT_EQ(a.typeCodes, b.typeCodes);
        EXPECT_EQ(a.weekendColour, b.weekendColour);
        EXPECT_EQ(a.holidayColour, b.holidayColour);
        EXPECT_EQ(a.holidayLines, b.holidayLines);
        EXPECT_EQ(a.customQueryLines, b.customQueryLines);
        EXPECT_EQ(a.customQueryNames, b.customQueryNames);
        EXPECT_EQ(a.queryThresholds, b.queryThresholds);
        EXPECT_EQ(a.departments, b.departments);
        EXPECT_EQ(a.mainDepartmentColour, b.mainDepartmentColour);
        EXPECT_EQ(a.fontName, b.fontName);
        EXPECT_EQ(a.fontColour, b.fontColour);
        EXPECT_EQ(a.customQueryPanel, b.customQueryPanel);
        EXPECT_EQ(a.employeeTypesPanelVisible, b.employeeTypesPanelVisible);
        EXPECT_EQ(a.typesDaysPanelVisible, b.typesDaysPanelVisible);
        EXPECT_EQ(a.workedHoursPanelVisible, b.workedHoursPanelVisible);
        EXPECT_EQ(a.departmentsView, b.departmentsView);
    }

    // The keys of the image's rows below the sheet.
    static std::vector<std::string> Keys(const ScheduleSheet& image, int sheetRows)
    {
        std::vector<std::string> keys;
        for (int r = sheetRows; r < image.rowCount(); ++r)
            keys.push_back(image.Text(0, r));
        return keys;
    }

    static int RowOf(const ScheduleSheet& image, const std::string& key)
    {
        for (int r = 0; r < image.rowCount(); ++r)
            if (image.Text(0, r) == key)
                return r;
        return -1;
    }

    TempProgramFolder folder;
    RecordingMessageSink messages;
    ScheduleDocument loaded;
};

TEST_F(ScheduleFileTest, RoundTripKeepsEverythingButTheDayLists)
{
    const ScheduleDocument original = Rich();
    ASSERT_FALSE(original.holidayDays.empty());
    ASSERT_FALSE(original.weekendDays.empty());
    ASSERT_TRUE(Load(Bytes(original)));
    ExpectSameDocument(original, loaded);
    EXPECT_EQ(loaded.sheet.Comment(4, 4), "swapped with Bob\r\nagreed");
    EXPECT_TRUE(loaded.sheet.IsBold(5, 5));
    int buttons = 0;
    for (int c = 0; c < loaded.sheet.colCount(); ++c)
        buttons += loaded.sheet.HasButton(c, 0) + loaded.sheet.HasButton(c, 1);
    EXPECT_EQ(buttons, 2);
    EXPECT_EQ(loaded.monthTitle, "May 2004");
    EXPECT_EQ(loaded.sheet.fixedRows, 3);
    EXPECT_EQ(loaded.sheet.fixedCols, 2);
    EXPECT_FALSE(loaded.departmentsView);
    EXPECT_TRUE(loaded.weekendDays.empty());
    EXPECT_TRUE(loaded.holidayDays.empty());
    EXPECT_TRUE(loaded.holidayNames.empty());
    EXPECT_FALSE(loaded.modified);
    EXPECT_EQ(loaded.filePath, "filename");
    EXPECT_EQ(loaded.title, "NEW");

    // Saving what was loaded gives the same bytes.
    EXPECT_EQ(Bytes(loaded), Bytes(original));
}

// Files another writer (or damage) could give: what loads is what a save writes back, so that
// saving a file unchanged and loading it again gives the same document.
TEST_F(ScheduleFileTest, WhatLoadsIsWhatSavesBack)
{
    const auto deleteEndAllAdditions = [](ScheduleSheet& image) {
        for (int r = image.rowCount() - 1; r >= 0; --r)
            if (image.Text(0, r) == "Additions" && image.Text(1, r) == kEndAllAdditions)
                image.DeleteRows(r, 1);
    };
    struct Case {
        const char* name;
        bool withQueries;
        std::function<void(ScheduleSheet&)> damage;
    };
    const Case cases[] = {
        {"a merge one row down, -1 across", true,
         [](ScheduleSheet& image) {
             image.Props(5, 6).spanY = 1;
             CellProperties& covered = image.Props(5, 7);
             covered.isBaseCell = false;
             covered.spanX = 0;
             covered.spanY = 1;
         }},
        {"a merge one column across, -1 down", true,
         [](ScheduleSheet& image) {
             image.Props(5, 6).spanX = 1;
             CellProperties& covered = image.Props(6, 6);
             covered.isBaseCell = false;
             covered.spanX = 1;
             covered.spanY = -1;
         }},
        {"a lone cell spanning -1 and 1", true,
         [](ScheduleSheet& image) { image.Props(5, 6).spanY = 1; }},
        {"queries without their last line", true, deleteEndAllAdditions},
        {"a shown query panel without its rows", true,
         [](ScheduleSheet& image) {
             for (int r = image.rowCount() - 1; r >= 0; --r)
                 if (image.Text(0, r) == "PnlStringgrid2")
                     image.DeleteRows(r, 1);
         }},
        {"a query row without its colour", true,
         [](ScheduleSheet& image) {
             for (int r = 0; r < image.rowCount(); ++r)
                 if (image.Text(0, r) == "PnlStringgrid2")
                     image.SetText(4, r, "");
         }},
        {"no query lines at all", false, deleteEndAllAdditions},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScheduleSheet image = BuildScheduleImage(c.withQueries ? Rich() : FromText(May2004()));
        c.damage(image);
        ASSERT_TRUE(Load(Bytes(image)));
        const ScheduleDocument first = loaded;
        const std::string saved = Bytes(first);
        ASSERT_TRUE(Load(saved));
        ExpectSameDocument(first, loaded);
        EXPECT_EQ(Bytes(loaded), saved);
    }
}

TEST_F(ScheduleFileTest, KeyRowsFollowTheSheetInTheirOrder)
{
    const ScheduleDocument document = Rich();
    const ScheduleSheet image = BuildScheduleImage(document);
    const int rows = document.sheet.rowCount();
    EXPECT_EQ(image.rowCount(), rows + ScheduleImageKeyRowCount(document));
    EXPECT_EQ(image.colCount(), document.sheet.colCount());
    const std::vector<std::string> expected = {
        kKeyRowsMarker, "colcount", "fixedcolsrows", "font", "workingtype", "workingtype",
        "kleur weekend", "kleur holiday"};
    const std::vector<std::string> keys = Keys(image, rows);
    ASSERT_GT(keys.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 8), expected);
    const auto count = [&](const char* key) { return std::ranges::count(keys, key); };
    EXPECT_EQ(count("holidays"), static_cast<long>(document.holidayLines.size()));
    EXPECT_EQ(count("Additions"), 8);
    EXPECT_EQ(count("Additions Color"), 2);
    EXPECT_EQ(count("DepartmentsColor"), 2);
    EXPECT_EQ(count("PnlStringgrid2"), 3);
    EXPECT_EQ(std::vector<std::string>(keys.end() - 3, keys.end()),
              (std::vector<std::string>{"PnlStringgrid4Visible", "PnlStringgrid5Visible",
                                        "PnlStringgrid3Visible"}));

    const int colcount = rows + 1;
    EXPECT_EQ(image.Text(1, colcount), std::to_string(document.sheet.colCount()));
    EXPECT_EQ(image.Text(2, colcount), std::to_string(rows));
    const int type = RowOf(image, "workingtype");
    EXPECT_EQ(image.Text(1, type), "7");
    EXPECT_EQ(image.Text(2, type), "E");
    EXPECT_EQ(image.Text(20, type), "field 18");
    const int colour = RowOf(image, "Additions Color");
    EXPECT_EQ(image.Text(1, colour) + image.Text(2, colour) + image.Text(3, colour) +
                  image.Text(4, colour),
              "clred2clblue5");
    const int main = RowOf(image, "MainDepaColor");
    EXPECT_EQ(image.Text(1, main), "");
    EXPECT_EQ(image.Text(2, main), "$00010203");
    const int panel = RowOf(image, "PnlStringgrid2Visible");
    EXPECT_EQ(image.Text(1, panel) + "/" + image.Text(2, panel), "true/107");
    // Query rows: name, index in the summary grid, the grid's row count, the group colour.
    EXPECT_EQ(image.Text(1, panel + 1) + "/" + image.Text(2, panel + 1) + "/" +
                  image.Text(3, panel + 1) + "/" + image.Text(4, panel + 1),
              "Both/1/5/$00ABCDEF");
    EXPECT_EQ(image.Text(2, panel + 3), "3");
}

TEST_F(ScheduleFileTest, ShapesOfTheImage)
{
    struct Case {
        const char* name;
        std::function<void(ScheduleDocument&)> change;
        std::function<void(const ScheduleSheet& image, const ScheduleDocument& loaded)> check;
    };
    const std::vector<Case> cases = {
        {"one week in nine columns",
         [](ScheduleDocument& d) { d.sheet.DeleteColumns(9, d.sheet.colCount() - 9); },
         [](const ScheduleSheet& image, const ScheduleDocument& d) {
             EXPECT_EQ(image.colCount(), 30);
             EXPECT_EQ(d.sheet.colCount(), 9);
         }},
        {"no custom queries",
         [](ScheduleDocument&) {},
         [](const ScheduleSheet& image, const ScheduleDocument& d) {
             EXPECT_EQ(image.Text(1, RowOf(image, "Additions")), "end all additions");
             EXPECT_EQ(RowOf(image, "Additions") + 1, RowOf(image, "MainDepaColor"));
             EXPECT_EQ(d.customQueryLines, (std::vector<std::string>{"end all additions"}));
             EXPECT_TRUE(d.queryThresholds.empty());
             EXPECT_TRUE(d.customQueryNames.empty());
         }},
        {"no query lines at all are stored as no queries",
         [](ScheduleDocument& d) { d.customQueryLines.clear(); },
         [](const ScheduleSheet&, const ScheduleDocument& d) {
             EXPECT_EQ(d.customQueryLines, (std::vector<std::string>{"end all additions"}));
         }},
        {"no departments",
         [](ScheduleDocument&) {},
         [](const ScheduleSheet& image, const ScheduleDocument& d) {
             EXPECT_EQ(RowOf(image, "DepartmentsColor"), -1);
             EXPECT_EQ(RowOf(image, "MainDepaColor") + 1, RowOf(image, "PnlStringgrid2Visible"));
             EXPECT_TRUE(d.departments.empty());
             EXPECT_EQ(d.mainDepartmentColour, "$00CE8A8A");
         }},
        {"a shown query panel without rows keeps one empty row",
         [](ScheduleDocument& d) { d.customQueryPanel = {true, 90, {}}; },
         [](const ScheduleSheet&, const ScheduleDocument& d) {
             EXPECT_EQ(d.customQueryPanel, (CustomQueryPanel{true, 90, {{"", "clNone"}}}));
         }},
        {"more thresholds than queries store one per query",
         [](ScheduleDocument& d) { d.queryThresholds.push_back({"Gone", "clred", "1"}); },
         [](const ScheduleSheet& image, const ScheduleDocument& d) {
             EXPECT_EQ(RowOf(image, "Additions Color"), -1);
             EXPECT_TRUE(d.queryThresholds.empty());
         }},
        {"a schedule with only the blank working type",
         [](ScheduleDocument& d) {
             d.workingTypes.Clear();
             d.RefreshTypeCodes();
         },
         [](const ScheduleSheet&, const ScheduleDocument& d) {
             EXPECT_EQ(d.workingTypes.Count(), 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScheduleDocument document = FromText(May2004());
        c.change(document);
        const ScheduleSheet image = BuildScheduleImage(document);
        ASSERT_TRUE(Load(Bytes(image)));
        c.check(image, loaded);
        EXPECT_EQ(loaded.sheet, document.sheet);
    }
}

// The departments view as it stands in a sheet: a fourth header row with the department names.
void ShowDepartmentRow(ScheduleDocument& document)
{
    ScheduleSheet& sheet = document.sheet;
    sheet.InsertRows(3, 1);
    sheet.fixedRows = 4;
    for (int c = 2; c < sheet.colCount(); ++c)
        sheet.SetText(c, 3, "Ward A");
    document.departmentsView = true;
}

TEST_F(ScheduleFileTest, DepartmentsViewComesBackWithAllQueryRows)
{
    ScheduleDocument document = Rich();
    ShowDepartmentRow(document);
    const ScheduleSheet image = BuildScheduleImage(document);
    // The summary grid has two header rows in this view, and the stored indexes and row count
    // are those of that grid.
    const int panel = RowOf(image, "PnlStringgrid2Visible");
    EXPECT_EQ(image.Text(2, panel + 1) + "/" + image.Text(3, panel + 1), "2/6");
    ASSERT_TRUE(Load(Bytes(image)));
    EXPECT_TRUE(loaded.departmentsView);
    EXPECT_EQ(loaded.sheet.fixedRows, 4);
    ExpectSameDocument(document, loaded);
    EXPECT_EQ(loaded.customQueryPanel.rows.size(), 3u);
}

TEST_F(ScheduleFileTest, StoredQueryRowsOfTheGridAreReadAsTheGridWasShown)
{
    // A file as written in the departments view with one data row: the grid's header rows, the
    // row and the totals make four rows.
    ScheduleDocument document = FromText(May2004());
    ShowDepartmentRow(document);
    document.customQueryPanel = {true, 80, {{"Q", "clRed"}}};
    ScheduleSheet image = BuildScheduleImage(document);
    const int row = RowOf(image, "PnlStringgrid2");
    EXPECT_EQ(image.Text(3, row), "4");
    ASSERT_TRUE(Load(Bytes(image)));
    EXPECT_EQ(loaded.customQueryPanel.rows, (std::vector<CustomQueryRow>{{"Q", "clRed"}}));

    // In the normal view a row count above the stored rows adds empty rows, coloured clNone as a
    // save writes them.
    document = FromText(May2004());
    document.customQueryPanel = {true, 80, {{"Q", "clRed"}}};
    image = BuildScheduleImage(document);
    image.SetText(3, RowOf(image, "PnlStringgrid2"), "5");
    ASSERT_TRUE(Load(Bytes(image)));
    EXPECT_EQ(loaded.customQueryPanel.rows,
              (std::vector<CustomQueryRow>{{"Q", "clRed"}, {"", "clNone"}, {"", "clNone"}}));
}

TEST_F(ScheduleFileTest, MalformedKeyRowsAreDamaged)
{
    const ScheduleDocument document = Rich();
    const int sheetRows = document.sheet.rowCount();
    struct Case {
        const char* name;
        std::function<void(ScheduleSheet&)> change;
    };
    const auto setAt = [](const char* key, int col, const char* text) {
        return [=](ScheduleSheet& image) { image.SetText(col, RowOf(image, key), text); };
    };
    const auto remove = [](const char* key) {
        return [=](ScheduleSheet& image) { image.DeleteRows(RowOf(image, key), 1); };
    };
    const auto move = [](const char* key, const char* before) {
        return [=](ScheduleSheet& image) {
            image.MoveRow(RowOf(image, key), RowOf(image, before));
        };
    };
    const std::vector<Case> cases = {
        {"no colcount", remove("colcount")},
        {"colcount not a number", setAt("colcount", 1, "x")},
        {"no columns", setAt("colcount", 1, "0")},
        {"more columns than the image",
         [](ScheduleSheet& image) {
             image.SetText(1, RowOf(image, "colcount"), std::to_string(image.colCount() + 1));
         }},
        {"columns beyond any sheet", setAt("colcount", 1, "40000")},
        {"negative rows", setAt("colcount", 2, "-3")},
        {"rows reaching into the key rows' end", setAt("colcount", 2, "100000")},
        {"rows covering every key row",
         [](ScheduleSheet& image) {
             image.SetText(2, RowOf(image, "colcount"), std::to_string(image.rowCount()));
         }},
        {"the last colcount counts",
         [](ScheduleSheet& image) {
             const int row = RowOf(image, "colcount");
             image.InsertRows(image.rowCount() - 1, 1);
             for (int c = 0; c <= 2; ++c)
                 image.SetText(c, image.rowCount() - 2, image.Text(c, row));
             image.SetText(2, image.rowCount() - 2, std::to_string(image.rowCount()));
         }},
        {"no fixedcolsrows", remove("fixedcolsrows")},
        {"fixed rows not a number", setAt("fixedcolsrows", 1, "three")},
        {"one header row", setAt("fixedcolsrows", 1, "1")},
        {"one name column", setAt("fixedcolsrows", 2, "1")},
        {"font before fixedcolsrows", move("font", "fixedcolsrows")},
        {"font colour not a colour", setAt("font", 2, "blueish")},
        {"icon not a number", setAt("workingtype", 1, "")},
        {"type threshold colour", setAt("workingtype", 2 + field::DayMaxColour, "x")},
        {"no kleur weekend", remove("kleur weekend")},
        {"kleur weekend before the types", move("kleur weekend", "workingtype")},
        {"weekend colour", setAt("kleur weekend", 1, "")},
        {"holiday colour", setAt("kleur holiday", 1, "clPlaid")},
        {"more Additions Color rows than queries",
         [](ScheduleSheet& image) {
             const int row = RowOf(image, "Additions Color");
             image.InsertRows(row, 1);
             image.SetText(0, row, "Additions Color");
             for (int c = 1; c <= 4; ++c)
                 image.SetText(c, row, image.Text(c, row + 1));
         }},
        {"query threshold colour", setAt("Additions Color", 1, "#ff0000")},
        {"no MainDepaColor", remove("MainDepaColor")},
        {"main department colour", setAt("MainDepaColor", 2, "")},
        {"department colour", setAt("DepartmentsColor", 2, "x")},
        {"no PnlStringgrid2Visible", remove("PnlStringgrid2Visible")},
        {"panel height", setAt("PnlStringgrid2Visible", 2, "tall")},
        {"query grid row count", setAt("PnlStringgrid2", 3, "")},
        {"query grid row count too big", setAt("PnlStringgrid2", 3, "2000000000")},
        {"query row colour", setAt("PnlStringgrid2", 4, "x")},
        {"no PnlStringgrid4Visible", remove("PnlStringgrid4Visible")},
        {"no PnlStringgrid5Visible", remove("PnlStringgrid5Visible")},
        {"no PnlStringgrid3Visible", remove("PnlStringgrid3Visible")},
        {"a day column without a month title",
         [](ScheduleSheet& image) { image.SetText(9, 0, "Brumaire 2004"); }},
        {"a day that does not exist", [](ScheduleSheet& image) { image.SetText(9, 2, "32"); }},
        {"every key row gone",
         [=](ScheduleSheet& image) { image.SetRowCount(sheetRows); }},
    };
    const ScheduleSheet good = BuildScheduleImage(document);
    ASSERT_TRUE(Load(Bytes(good)));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScheduleSheet image = good;
        c.change(image);
        const auto result = LoadScheduleFile(Bytes(image));
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().message, kDamagedFileMessage);
    }
    // Threshold counts are kept as written, as the schedule text keeps them: one that is no
    // number opens, so that a schedule saved from such a text opens again; the colouring that
    // meets it reports it.
    const struct {
        const char* name;
        std::function<void(ScheduleSheet&)> change;
    } kept[] = {
        {"type threshold count", setAt("workingtype", 2 + field::EmployeeMinCount, "1.5")},
        {"query threshold count", setAt("Additions Color", 4, "many")},
    };
    for (const auto& c : kept) {
        SCOPED_TRACE(c.name);
        ScheduleSheet image = good;
        c.change(image);
        const auto target = LoadScheduleFile(Bytes(image));
        ASSERT_TRUE(target);
        EXPECT_EQ(BuildScheduleImage(*target), image);
    }
}

// Offsets where a record starts.
std::vector<std::size_t> RecordStarts(const std::string& bytes)
{
    std::vector<std::size_t> starts;
    for (std::size_t at = bytes.find("TPF0"); at != std::string::npos;
         at = bytes.find("TPF0", at + 1))
        starts.push_back(at);
    return starts;
}

TEST_F(ScheduleFileTest, TruncatedAndFlippedFilesNeverLoadHalfOrCrash)
{
    ScheduleDocument document = Rich();
    document.sheet.DeleteColumns(9, document.sheet.colCount() - 9);
    const std::string bytes = Bytes(document);
    const std::vector<std::size_t> starts = RecordStarts(bytes);
    // The stream has no trailer: cut where a cell record would start, it reads as a sheet with
    // fewer cells, which the key rows' values missing then give away almost everywhere.
    int damaged = 0;
    int tried = 0;
    std::mt19937 random(20040501);
    for (std::size_t length = 0; length < bytes.size(); length += 1 + random() % 40) {
        const auto result = LoadScheduleFile(std::string_view(bytes).substr(0, length));
        ++tried;
        if (!result) {
            ++damaged;
            EXPECT_EQ(result.error().message, kDamagedFileMessage);
            continue;
        }
        const bool atRecordStart = std::ranges::binary_search(starts, length) ||
                                   std::ranges::binary_search(starts, length - 1);
        EXPECT_TRUE(atRecordStart) << "loaded when cut at " << length;
    }
    EXPECT_GT(damaged, tried * 95 / 100);

    for (int i = 0; i < 1000; ++i) {
        std::string flipped = bytes;
        const std::size_t at = random() % flipped.size();
        flipped[at] = static_cast<char>(flipped[at] ^ (1 + random() % 255));
        const auto result = LoadScheduleFile(flipped);
        if (!result) {
            EXPECT_EQ(result.error().message, kDamagedFileMessage);
        }
    }
}

TEST_F(ScheduleFileTest, NotAStreamIsDamaged)
{
    for (const std::string& bytes :
         {std::string(), std::string("ShiftexV4.1\r\n31\r\n"), std::string("TPF0"),
          std::string("TPF0\x0bTGridPropIO\x00\x00\x00", 19)}) {
        const auto result = LoadScheduleFile(bytes);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().message, kDamagedFileMessage);
    }
}

// Inputs the fuzzers found. Each is a schedule file whose merge spans reach far beyond any sheet;
// the cell is read as not merged.
TEST_F(ScheduleFileTest, FuzzFindingsLoadWithEveryMergeInsideTheSheet)
{
    const std::filesystem::path fixtures = SHIFTEX_TEST_DATA "/fuzz/schedule_file";
    const struct {
        const char* file;
        int col;
        int row;
    } cases[] = {{"huge-merge-span.sxt", 2, 1}, {"covered-cell-of-a-huge-merge.sxt", 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::optional<std::string> bytes = ReadFileBytes(fixtures / c.file);
        ASSERT_TRUE(bytes);
        ASSERT_TRUE(Load(*bytes));
        const ScheduleSheet& sheet = loaded.sheet;
        EXPECT_EQ(sheet.MergeRect(c.col, c.row), (CellRect{c.col, c.row, c.col, c.row}));
        for (int row = 0; row < sheet.rowCount(); ++row) {
            for (int col = 0; col < sheet.colCount(); ++col) {
                const CellRect r = sheet.MergeRect(col, row);
                EXPECT_TRUE(r.left <= col && col <= r.right && r.right < sheet.colCount() &&
                            r.top <= row && row <= r.bottom && r.bottom < sheet.rowCount())
                    << col << "," << row;
            }
        }
        EXPECT_NO_THROW(BuildScheduleImage(loaded));
    }
}

TEST_F(ScheduleFileTest, SaveWritesTheImageAndRefusesWhatCannotBeReadBack)
{
    const ScheduleDocument document = Rich();
    const auto path = folder.path() / "may.sxt";
    ASSERT_TRUE(SaveSchedule(document, path));
    EXPECT_EQ(ReadFileBytes(path), Bytes(document));

    ScheduleDocument huge = document;
    huge.sheet.SetRowCount(kMaxSheetSize - 5);
    ASSERT_FALSE(ScheduleImageFits(huge));
    EXPECT_THROW(BuildScheduleImage(huge), std::length_error);
    const Result<void> saved = SaveSchedule(huge, path);
    ASSERT_FALSE(saved);
    const std::string& error = saved.error().message;
    EXPECT_NE(error.find(path.string()), std::string::npos) << error;
    EXPECT_EQ(ReadFileBytes(path), Bytes(document));
}

} // namespace
} // namespace shiftex
