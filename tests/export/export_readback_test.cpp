// Every export written by shiftex-cli and read back by another program: HTML and XML parsed,
// the spreadsheet opened with openpyxl, the word processor file with odfpy, the PDF's text taken
// out by pdftotext, the calendars parsed by libical.
#include "cli_support.h"
#include "files/schedule_file.h"
#include "sample_schedule.h"

#include <gtest/gtest.h>
#include <libical/ical.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using test::CliResult;
using test::RunCli;
using test::RunCommand;

constexpr const char* kZoe = "Zo\xc3\xab <Ward> & \"Co\"";

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (const char ch : text)
        quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

Json ReadBack(const std::string& format, const fs::path& file)
{
    const CliResult run = RunCommand("/usr/bin/python3 " + Quote(SHIFTEX_READ_BACK) + " " +
                                     format + " " + Quote(file.string()));
    EXPECT_EQ(run.status, 0) << run.out;
    return Json::parse(run.out, nullptr, false);
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A schedule of January 2027 with three employees (two of them named alike), codes of one and
// two lines, a department line, a weekend and a holiday, saved as a schedule file.
class ExportReadBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("shiftex-export-" + std::to_string(random()));
        fs::create_directories(folder_);
        test::SampleOptions options;
        options.employees = 3;
        options.departments = {"Ward A"};
        ScheduleDocument document = test::MakeSchedule(options);
        ScheduleSheet& sheet = document.sheet;
        sheet.SetText(1, 3, kZoe);
        sheet.SetText(1, 4, "Bram");
        sheet.SetText(1, 5, "Bram");
        sheet.SetText(2, 3, "E");           // 1 January, a holiday
        sheet.SetText(3, 3, "E\r\nL");      // 2 January, a Saturday
        sheet.SetText(6, 3, "Ward A: L");
        sheet.SetText(7, 4, "L");
        sheet.SetText(8, 5, "E");
        document.customQueryLines = {"Early", "E", kEndThisAddition, kEndAllAdditions};
        // Recorded as shown: printed as the file has it, without being shown first.
        document.workedHoursPanelVisible = true;
        document.fontName = "DejaVu Sans";
        document.fontColour = "clBlue";
        schedule_ = folder_ / "ward.sxt";
        ASSERT_TRUE(SaveSchedule(document, schedule_));
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    fs::path Export(const std::string& format, const std::string& name)
    {
        const fs::path out = folder_ / name;
        const CliResult run = RunCli("export " + Quote(schedule_.string()) + " " +
                                         Quote(out.string()) + " --format " + format,
                                     true);
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_TRUE(fs::exists(out));
        return out;
    }

    fs::path folder_;
    fs::path schedule_;
};

// The cells of a read-back row that hold a text, in order.
std::vector<std::string> Texts(const Json& row, const char* key)
{
    std::vector<std::string> texts;
    for (const Json& cell : row)
        if (!cell[key].get<std::string>().empty())
            texts.push_back(cell[key].get<std::string>());
    return texts;
}

TEST_F(ExportReadBack, HtmlTableHoldsNamesCodesColoursAndMerges)
{
    const Json page = ReadBack("html", Export("html", "ward.htm"));
    ASSERT_TRUE(page.is_object());
    EXPECT_TRUE(page["doctype"].get<bool>());
    const Json& rows = page["rows"];
    ASSERT_EQ(rows.size(), 6u);  // month, week, day numbers, three employees
    EXPECT_EQ(rows[0][2]["text"], "January 2027");
    EXPECT_EQ(rows[0][2]["colspan"], 31);
    EXPECT_EQ(rows[0][2]["tag"], "th");
    const Json& zoe = rows[3];
    EXPECT_EQ(zoe[1]["text"], kZoe);
    EXPECT_EQ(zoe[2]["text"], "E");
    EXPECT_EQ(zoe[3]["text"], "E\nL");
    EXPECT_EQ(zoe[6]["text"], "Ward A: L");
    // The holiday (clAqua) and the weekend (clYellow) keep their colours; codes print blue.
    EXPECT_NE(zoe[2]["style"].get<std::string>().find("background-color:#00FFFF"),
              std::string::npos);
    EXPECT_NE(zoe[3]["style"].get<std::string>().find("background-color:#FFFF00"),
              std::string::npos);
    EXPECT_NE(zoe[3]["style"].get<std::string>().find("color:#0000FF"), std::string::npos);
    EXPECT_EQ(rows[4][1]["text"], "Bram");
}

TEST_F(ExportReadBack, XmlListsEveryRowWithValidFieldNames)
{
    const Json xml = ReadBack("xml", Export("xml", "ward.xml"));
    ASSERT_TRUE(xml.is_object());
    EXPECT_EQ(xml["root"], "employee");
    EXPECT_EQ(xml["rowTags"], Json::array({"day"}));
    const Json& rows = xml["rows"];
    ASSERT_EQ(rows.size(), 6u);
    // The definition lines name the fields while they are valid names.
    EXPECT_EQ(rows[0][0]["tag"], "Early");
    EXPECT_EQ(rows[0][1]["tag"], "E");
    EXPECT_EQ(rows[0][2]["tag"], "column2");
    EXPECT_EQ(rows[0][32]["tag"], "column32");
    EXPECT_EQ(rows[3][1]["text"], kZoe);
    EXPECT_EQ(rows[3][3]["text"], "E\r\nL");
    EXPECT_EQ(rows[2][2]["text"], "1");
}

TEST_F(ExportReadBack, SpreadsheetHoldsValuesFillsMergesAndFrozenHeaders)
{
    const Json book = ReadBack("xlsx", Export("xlsx", "ward.xlsx"));
    ASSERT_TRUE(book.is_object());
    EXPECT_EQ(book["freeze"], "C4");
    const Json& merged = book["merged"];
    EXPECT_NE(std::find(merged.begin(), merged.end(), "C1:AG1"), merged.end());
    EXPECT_NE(std::find(merged.begin(), merged.end(), "C2:E2"), merged.end());  // week 53
    const Json& cells = book["cells"];
    EXPECT_EQ(cells[0][2]["value"], "January 2027");
    EXPECT_TRUE(cells[0][2]["bold"].get<bool>());
    EXPECT_EQ(cells[2][2]["value"], "1");
    EXPECT_TRUE(cells[2][2]["number"].get<bool>());
    EXPECT_EQ(cells[3][1]["value"], kZoe);
    EXPECT_EQ(cells[3][3]["value"], "E\nL");
    EXPECT_EQ(cells[3][3]["fill"], "FFFFFF00");
    EXPECT_EQ(cells[3][2]["fill"], "FF00FFFF");
    EXPECT_EQ(cells[3][2]["font"], "FF0000FF");
    EXPECT_GT(book["widths"]["B"].get<double>(), book["widths"]["C"].get<double>());
}

TEST_F(ExportReadBack, WordProcessorTableKeepsTextsAndColours)
{
    const Json document = ReadBack("odt", Export("odt", "ward.odt"));
    ASSERT_TRUE(document.is_object());
    const Json& rows = document["rows"];
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0][2]["text"], "January 2027");
    EXPECT_EQ(rows[0][2]["span"], 31);
    EXPECT_EQ(Texts(rows[3], "text"),
              (std::vector<std::string>{kZoe, "E", "E\nL", "Ward A: L"}));
    EXPECT_EQ(rows[3][3]["background"], "#ffff00");
    EXPECT_EQ(rows[3][2]["background"], "#00ffff");
}

TEST_F(ExportReadBack, PdfIsTheWorkSchedulePrint)
{
    const Json pdf = ReadBack("pdf", Export("pdf", "ward.pdf"));
    ASSERT_TRUE(pdf.is_object());
    EXPECT_EQ(pdf["pages"], 1);
    const std::string text = pdf["text"];
    for (const char* expected : {"January 2027", "Week 53", "Employee / Days", "Bram", "Zo",
                                 "Ward A: L", "Shiftex", "1/1"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

TEST_F(ExportReadBack, PrintOfASummaryAndTheIconPrint)
{
    const fs::path hours = folder_ / "hours.pdf";
    ASSERT_EQ(RunCli("print " + Quote(schedule_.string()) + " " + Quote(hours.string()) +
                  " --source hours")
                  .status,
              0);
    const std::string text = ReadBack("pdf", hours)["text"];
    for (const char* expected : {"Shiftex Schedule: Worked Hours", "Employee", "Hours", "Bram",
                                 "21H00", "04H00", "08H00"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;

    const CliResult icons = RunCli("print-copy " + Quote(schedule_.string()) + " --source icons");
    ASSERT_EQ(icons.status, 0);
    const Json copy = Json::parse(icons.out);
    int shown = 0;
    for (const Json& cell : copy["cells"])
        if (cell.contains("icon")) {
            ++shown;
            EXPECT_EQ(cell["text"], "");
        }
    EXPECT_EQ(shown, 3);  // E, L and E; the two-line cell and the department line show none
}

TEST_F(ExportReadBack, CalendarsParseWithOneEventPerSpan)
{
    const fs::path out = folder_ / "calendars";
    fs::create_directories(out);
    const CliResult run = RunCli("ics " + Quote(schedule_.string()) + " " + Quote(out.string()) +
                        " --timezone Europe/Brussels");
    ASSERT_EQ(run.status, 0) << run.out;
    const Json listing = Json::parse(run.out);
    EXPECT_EQ(listing["timezone"], "Europe/Brussels");
    ASSERT_EQ(listing["files"].size(), 3u);
    EXPECT_TRUE(fs::exists(out / "Bram.ics"));
    EXPECT_TRUE(fs::exists(out / "Bram (2).ics"));
    const fs::path zoe = out / "Zo\xc3\xab _Ward_ & _Co_.ics";
    ASSERT_TRUE(fs::exists(zoe));

    icalcomponent* calendar = icalparser_parse_string(ReadFile(zoe).c_str());
    ASSERT_NE(calendar, nullptr);
    ASSERT_EQ(icalcomponent_isa(calendar), ICAL_VCALENDAR_COMPONENT);
    EXPECT_NE(icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT), nullptr);
    std::vector<std::string> summaries;
    std::vector<std::string> starts;
    std::vector<std::string> categories;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event != nullptr;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        summaries.emplace_back(icalcomponent_get_summary(event));
        icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        icalparameter* zone = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER);
        EXPECT_STREQ(zone != nullptr ? icalparameter_get_tzid(zone) : "", "Europe/Brussels");
        starts.emplace_back(icaltime_as_ical_string(icalcomponent_get_dtstart(event)));
        icalproperty* category = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
        categories.emplace_back(category != nullptr ? icalproperty_get_categories(category) : "");
        EXPECT_NE(icalcomponent_get_uid(event), nullptr);
    }
    icalcomponent_free(calendar);
    // E on the 1st (two spans), E and L on the 2nd (three), L of Ward A on the 5th.
    EXPECT_EQ(summaries, (std::vector<std::string>{"E - Early", "E - Early", "E - Early",
                                                   "E - Early", "L - Late", "L - Late"}));
    EXPECT_EQ(starts.front(), "20270101T080000");
    EXPECT_EQ(starts.back(), "20270105T100000");
    EXPECT_EQ(categories.back(), "Ward A");
}

TEST_F(ExportReadBack, BarGraphAsJsonAndAsPictures)
{
    const CliResult run =
        RunCli("bargraph " + Quote(schedule_.string()) + " --selection 3 3 3 3 --json");
    ASSERT_EQ(run.status, 0);
    const Json graph = Json::parse(run.out);
    EXPECT_EQ(graph["title"], std::string("Schedule for ") + kZoe + " - 2 January 'till 2 January");
    ASSERT_EQ(graph["columns"].size(), 3u);
    EXPECT_EQ(graph["columns"][0]["kind"], "bar");
    EXPECT_EQ(graph["columns"][0]["day"], "2");
    EXPECT_EQ(graph["columns"][0]["slots"].size(), 48u);  // 08H00-12H00 and 13H00-17H00
    EXPECT_EQ(graph["columns"][2]["kind"], "spacer");
    EXPECT_EQ(graph["legend"].size(), 2u);

    for (const char* name : {"bars.png", "bars.bmp", "bars.pdf"}) {
        const fs::path picture = folder_ / name;
        ASSERT_EQ(RunCli("bargraph " + Quote(schedule_.string()) +
                      " --selection 2 4 8 4 --employee Bram --out " + Quote(picture.string()))
                      .status,
                  0)
            << name;
        const std::string bytes = ReadFile(picture);
        const std::string magic = bytes.substr(0, 4);
        EXPECT_TRUE(magic == "\x89PNG" || magic.substr(0, 2) == "BM" || magic == "%PDF") << name;
    }
    const std::string text = ReadBack("pdf", folder_ / "bars.pdf")["text"];
    EXPECT_NE(text.find("Schedule for Bram - 1 January 'till 7 January"), std::string::npos);
}

TEST_F(ExportReadBack, FileThatCannotBeCreatedIsReportedAndNothingIsLeft)
{
    const fs::path missing = folder_ / "no such folder" / "ward.htm";
    CliResult run = RunCli("export " + Quote(schedule_.string()) + " " + Quote(missing.string()) +
                      " --format html",
                  true);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Cannot Create file " + missing.string()), std::string::npos);

    // A folder where the file should go: it cannot be replaced, and no temporary file stays.
    const fs::path taken = folder_ / "taken";
    fs::create_directories(taken / "inside");
    for (const char* format : {"html", "xlsx", "odt", "pdf"}) {
        run = RunCli("export " + Quote(schedule_.string()) + " " +
                         Quote((taken / "inside").string()) + " --format " + format,
                     true);
        EXPECT_EQ(run.status, 1) << format;
        EXPECT_NE(run.out.find("Cannot Create file"), std::string::npos) << format;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(taken), fs::directory_iterator()), 1);

    // Options the command does not know are usage errors.
    EXPECT_EQ(RunCli("export " + Quote(schedule_.string()) + " x --format doc").status, 2);
    EXPECT_EQ(RunCli("print-copy " + Quote(schedule_.string()) + " --source sheet --selection 1 2")
                  .status,
              2);
    EXPECT_EQ(RunCli("ics " + Quote(schedule_.string()) + " " + Quote(folder_.string()) +
                  " --timezone Nowhere/Else")
                  .status,
              2);
}

} // namespace
} // namespace shiftex
