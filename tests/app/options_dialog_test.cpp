#include "april_2003_text.h"
#include "backup_fakes.h"
#include "app/automatic_backup.h"
#include "files/schedule_text.h"
#include "sample_schedule.h"
#include "setup/backup_page.h"
#include "setup/custom_query_page.h"
#include "setup/departments_page.h"
#include "setup/employees_page.h"
#include "setup/holidays_page.h"
#include "setup/options_dialog.h"
#include "setup/sheet_colours_page.h"
#include "setup/working_types_page.h"
#include "summaries/cell_reading.h"
#include "summary_recount.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;
using test::MakeSchedule;
using test::SampleOptions;
using test::FakeTimer;

// A store whose key opens but whose values cannot be written: a disk that filled up.
class UnwritableValues final : public SettingsStore {
public:
    bool KeyExists(SettingsScope, std::string_view) const override { return true; }
    bool CreateKey(SettingsScope, std::string_view) override { return true; }
    std::optional<std::string> ReadValue(SettingsScope, std::string_view,
                                         std::string_view) const override
    {
        return std::nullopt;
    }
    bool WriteValue(SettingsScope, std::string_view, std::string_view, std::string_view) override
    {
        return false;
    }
};

class OptionsTest : public ::testing::Test {
protected:
    // A schedule window on the document, with the options dialog opened on it.
    ScheduleSession& Open(ScheduleDocument document, int panel, int item,
                          std::optional<std::string> code = std::nullopt)
    {
        session_ = std::make_unique<ScheduleSession>(std::move(document), messages_, nullptr,
                                                     DefaultTextMetrics(), flags_);
        Reopen(panel, item, std::move(code));
        return *session_;
    }
    void Reopen(int panel, int item, std::optional<std::string> code = std::nullopt)
    {
        const Result<void> opened = dialog_.Open(*session_, panel, item, std::move(code));
        EXPECT_TRUE(opened) << (opened ? "" : opened.error().message);
        EXPECT_TRUE(dialog_.shown());
    }
    template <typename Page>
    Page& On()
    {
        auto* page = dynamic_cast<Page*>(dialog_.page());
        EXPECT_NE(page, nullptr);
        return *page;
    }
    // Runs a page action that must not give a message.
    static void Ok(const Result<void>& result)
    {
        EXPECT_TRUE(result) << (result ? "" : result.error().message);
    }
    OptionsClosed Close() { return dialog_.Close(); }
    const ScheduleDocument& schedule() const { return session_->document(); }
    const ScheduleSheet& sheet() const { return session_->document().sheet; }
    int FirstRow() const { return sheet().fixedRows; }

    test::TempProgramFolder folder_;
    test::RecordingMessageSink messages_;
    MemorySettingsStore settings_;
    FakeTimer timer_;
    AutomaticBackup backup_{settings_, messages_, timer_, folder_.path()};
    OptionsDialog dialog_{folder_.path(), messages_, backup_};
    SharedEditFlags flags_;
    std::unique_ptr<ScheduleSession> session_;
};

ScheduleDocument April2003(const fs::path& programFolder, const std::string& region)
{
    std::vector<std::string> text = test::April2003Text();
    std::replace(text.begin(), text.end(), std::string("custom"), region);
    test::RecordingMessageSink messages;
    return test::LoadedOrFail(LoadScheduleText(text, programFolder, messages));
}

TEST_F(OptionsTest, HolidaysOpensOnTheSchedulesMonthAndRegion)
{
    Open(April2003(folder_.path(), "Netherlands"), options::kScheduleSetup, options::kHolidays);
    EXPECT_EQ(dialog_.caption(), "Holidays");
    EXPECT_EQ(dialog_.copy().year, "2003");
    EXPECT_EQ(dialog_.copy().month, "04");
    EXPECT_EQ(dialog_.copy().regionName, "Netherlands");
    auto& holidays = On<HolidaysPage>();
    EXPECT_EQ(holidays.year(), "2003");
    EXPECT_EQ(holidays.month(), "4");
    EXPECT_EQ(holidays.calendar().year, 2003);
    EXPECT_EQ(holidays.calendar().month, 4);
    ASSERT_GE(holidays.regionIndex(), 0);
    EXPECT_EQ(holidays.regions()[static_cast<std::size_t>(holidays.regionIndex())], "Netherlands");
    EXPECT_EQ(holidays.rows(), (std::vector<HolidayRow>{{"27", "-", "King's Day"}}));
    EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(OptionsTest, ARegionTheYearDoesNotListShowsTheFirstRegion)
{
    ScheduleDocument document = MakeSchedule();  // region "Sample", January 2027
    Open(std::move(document), options::kScheduleSetup, options::kHolidays);
    auto& holidays = On<HolidaysPage>();
    EXPECT_EQ(holidays.regionIndex(), 0);
    EXPECT_EQ(holidays.Text("region"), holidays.regions().front());
    // The schedule keeps its own region.
    EXPECT_EQ(dialog_.copy().regionName, "Sample");
    Close();
    EXPECT_EQ(schedule().holidayLines.front(), "[Sample]");
}

TEST_F(OptionsTest, OpeningEmptiesTheUndoHistory)
{
    auto session = std::make_unique<ScheduleSession>(MakeSchedule(), messages_, nullptr,
                                                     DefaultTextMetrics(), flags_);
    session->sheetEdits().SelectWorkingType(1);
    session->sheetEdits().ClickCell(2, 3);
    ASSERT_TRUE(session->CanUndo());
    session_ = std::move(session);
    Reopen(options::kScheduleSetup, options::kEmployees);
    EXPECT_FALSE(session_->CanUndo());
    EXPECT_EQ(session_->undoHistory().count(), 0);
}

TEST_F(OptionsTest, RemovingAWorkingTypeTakesItsLinesOutOfEveryDayCell)
{
    SampleOptions options;
    options.departments = {"A", "B"};
    // Shown on the page without the message about spans past midnight.
    options.types[2] = WorkingType::Create("N", "Night", "00H00", "06H00", "  H  ", "  H  ", 2);
    ScheduleDocument document = MakeSchedule(options);
    ScheduleSheet& cells = document.sheet;
    const int row = cells.fixedRows;
    const Texts before{"N", "E\rN", "N\r\nL", "A: N\rB: E\r", "L", "N\rN"};
    for (std::size_t i = 0; i < before.size(); ++i)
        cells.SetText(2 + static_cast<int>(i), row, before[i]);
    cells.SetText(1, row + 1, "N");  // an employee named like the code keeps the name
    ScheduleSession& session = Open(std::move(document), options::kScheduleSetup,
                                    options::kWorkingTypes, "N");
    session.sheetEdits().SelectWorkingType(3);
    ASSERT_EQ(schedule().currentCode, "N");

    auto& types = On<WorkingTypesPage>();
    EXPECT_EQ(types.selected(), 3);
    EXPECT_EQ(types.Text("code"), "N");
    Ok(types.Press("remove"));
    EXPECT_FALSE(Close().closeSchedule);

    const Texts after{"", "E", "L", "B: E\r", "L", ""};
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(sheet().Text(2 + static_cast<int>(i), row), after[i]) << before[i];
    EXPECT_EQ(sheet().Text(1, row + 1), "N");
    EXPECT_EQ(schedule().typeCodes, (Texts{"E", "L"}));
    EXPECT_EQ(schedule().workingTypes.IndexOfCode("N"), -1);
    // The chosen code is gone: the blank entry is chosen.
    EXPECT_EQ(session.editState().currentType, 0);
    EXPECT_EQ(schedule().currentCode, schedule().workingTypes.At(0).code());
    EXPECT_TRUE(schedule().modified);
}

TEST_F(OptionsTest, ChangedAndNewWorkingTypesKeepTheChosenCode)
{
    ScheduleSession& session = Open(MakeSchedule(), options::kScheduleSetup,
                                    options::kWorkingTypes, "L");
    session.sheetEdits().SelectWorkingType(2);
    auto& types = On<WorkingTypesPage>();
    Ok(types.SetField("info", "Late shift"));
    Ok(types.Press("save"));
    Ok(types.Pick(0));
    for (const auto& [field, text] : {std::pair{"code", "D"}, {"start1", "09H00"},
                                      {"finish1", "17H00"}, {"icon", "4"}})
        Ok(types.SetField(field, text));
    Ok(types.Press("save"));
    Close();
    EXPECT_EQ(schedule().typeCodes, (Texts{"E", "L", "N", "D"}));
    const WorkingTypeList& list = schedule().workingTypes;
    EXPECT_EQ(list.Field(2, field::Information), "Late shift");
    EXPECT_EQ(list.Field(4, field::From1), "09H00");
    EXPECT_EQ(list.IconIndex(4), 4);
    EXPECT_EQ(schedule().currentCode, "L");
    EXPECT_EQ(session.editState().currentType, 2);
}

TEST_F(OptionsTest, TheCodeOfEditWorkingHoursIsChosenAgainByWorkingHours)
{
    Open(MakeSchedule(), options::kScheduleSetup, options::kWorkingTypes, "L");
    EXPECT_EQ(On<WorkingTypesPage>().Text("code"), "L");
    Close();
    // "&WorkingHours ..." hands no code: the last one stays.
    Reopen(options::kScheduleSetup, options::kWorkingTypes);
    EXPECT_EQ(On<WorkingTypesPage>().selected(), 2);
    Close();
    // Opened on another item, the page starts on "Create New".
    Reopen(options::kScheduleSetup, options::kEmployees);
    Ok(dialog_.ClickItem(options::kScheduleSetup, options::kWorkingTypes));
    EXPECT_EQ(On<WorkingTypesPage>().selected(), 0);
    Close();
    Reopen(options::kScheduleSetup, options::kWorkingTypes, "E\rL");
    EXPECT_EQ(On<WorkingTypesPage>().selected(), 0);
    Close();
}

TEST_F(OptionsTest, NewEmployeesAreAppendedFromTheLastNameToTheFirst)
{
    ScheduleDocument document = MakeSchedule();
    const int first = document.sheet.fixedRows;
    document.sheet.SetText(3, first + 1, "E");  // Employee 2
    document.sheet.SetText(4, first + 2, "L");  // Employee 3
    Open(std::move(document), options::kScheduleSetup, options::kEmployees);
    auto& employees = On<EmployeesPage>();
    for (const char* name : {"X", "Y"}) {
        Ok(employees.Pick(0));
        Ok(employees.SetField("name", name));
        Ok(employees.Press("add"));
    }
    Ok(employees.Pick(2));
    Ok(employees.Press("remove"));
    Close();

    EXPECT_EQ(schedule().Employees(),
              (Texts{"Employee 1", "Employee 3", "Employee 4", "Y", "X"}));
    EXPECT_EQ(sheet().Text(4, first + 1), "L");  // the row of Employee 3 with its cells
    EXPECT_EQ(sheet().Text(3, first + 1), "");
    for (int r = first + 3; r < sheet().rowCount(); ++r) {
        EXPECT_EQ(sheet().BrushColor(0, r), kNeutralGroupColour);
        for (int c = 2; c < sheet().colCount(); ++c)
            EXPECT_EQ(sheet().Text(c, r), "");
    }

    // Closing without a change keeps every row and text.
    const ScheduleSheet kept = sheet();
    Reopen(options::kScheduleSetup, options::kEmployees);
    Close();
    ASSERT_EQ(sheet().rowCount(), kept.rowCount());
    ASSERT_EQ(sheet().colCount(), kept.colCount());
    for (int r = 0; r < sheet().rowCount(); ++r)
        for (int c = 0; c < sheet().colCount(); ++c)
            EXPECT_EQ(sheet().Text(c, r), kept.Text(c, r));
}

// A week shown with the departments A and B: the first employee works E for A and L for B on
// the first day, N for B on the third.
ScheduleDocument DepartmentViewWeek()
{
    SampleOptions options;
    options.days = 7;
    options.departments = {"A", "B"};
    options.departmentView = true;
    ScheduleDocument document = MakeSchedule(options);
    const int row = document.sheet.fixedRows;
    document.sheet.SetText(2, row, "E");
    document.sheet.SetText(3, row, "L");
    document.sheet.SetText(7, row, "N");
    return document;
}

TEST_F(OptionsTest, RemovingEveryDepartmentSwitchesTheDepartmentViewOff)
{
    ScheduleDocument document = DepartmentViewWeek();
    ScheduleSession& session =
        Open(std::move(document), options::kScheduleSetup, options::kDepartments);
    ASSERT_TRUE(session.structuralEdits().DepartmentViewShown());
    auto& departments = On<DepartmentsPage>();
    EXPECT_EQ(departments.selected(), 0);
    for (int i = 0; i < 2; ++i) {
        Ok(departments.Pick(1));
        Ok(departments.Press("remove"));
    }
    Close();

    EXPECT_FALSE(session.structuralEdits().DepartmentViewShown());
    EXPECT_FALSE(schedule().departmentsView);
    EXPECT_TRUE(schedule().departments.empty());
    EXPECT_EQ(sheet().fixedRows, 3);
    EXPECT_EQ(sheet().colCount(), 2 + 7);
    // The department lines left with their departments; a day without any code keeps the
    // single line end that switching the view off gives it.
    EXPECT_EQ(sheet().Text(2, 3), "");
    EXPECT_EQ(sheet().Text(4, 3), "\r");
    EXPECT_EQ(sheet().Text(3, 3), "\r");
    EXPECT_FALSE(session.sheetEdits().quickInsertPanel().department.enabled);
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(OptionsTest, ADepartmentAddedInTheDepartmentViewGetsItsSubColumns)
{
    ScheduleDocument document = DepartmentViewWeek();
    const int row = document.sheet.fixedRows;
    document.customQueryLines = {"Early", "E", kEndThisAddition, kEndAllAdditions};
    document.queryThresholds = {{"Early", "clRed", "1", "clYellow", "2"}};
    document.customQueryPanel.rows = {{"Early", ""}};
    auto session = std::make_unique<ScheduleSession>(std::move(document), messages_, nullptr,
                                                     DefaultTextMetrics(), flags_);
    for (SummaryKind kind : {SummaryKind::TypesPerDay, SummaryKind::CustomQuery,
                             SummaryKind::EmployeesPerType, SummaryKind::WorkedHours})
        ASSERT_TRUE(session->summaryPanels().Show(kind));
    session_ = std::move(session);
    Reopen(options::kScheduleSetup, options::kDepartments);
    auto& departments = On<DepartmentsPage>();
    Ok(departments.SetField("name", "C"));
    Ok(departments.Press("add"));
    Close();

    ASSERT_EQ(sheet().colCount(), 2 + 7 * 3);
    EXPECT_EQ(schedule().departments.back(), (Department{"C", "$00CE8A8A"}));
    for (int day = 0; day < 7; ++day)
        for (int i = 0; i < 3; ++i) {
            const int c = 2 + day * 3 + i;
            EXPECT_EQ(sheet().Text(c, 3), std::string(1, static_cast<char>('A' + i)));
            EXPECT_EQ(sheet().Text(c, 2), std::to_string(day + 1));
        }
    EXPECT_EQ(sheet().MergeRect(2, 2), (CellRect{2, 2, 4, 2}));
    EXPECT_EQ(sheet().Text(2, row), "E");
    EXPECT_EQ(sheet().Text(3, row), "L");
    EXPECT_EQ(sheet().Text(4, row), "");
    EXPECT_EQ(sheet().Text(9, row), "N");
    EXPECT_EQ(ColumnsPerDay(schedule()), 3);
    test::ExpectEachSummaryRecounted(*session_);
    EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(OptionsTest, DepartmentLinesOfARemovedDepartmentLeaveTheCells)
{
    SampleOptions options;
    options.departments = {"A", "B"};
    ScheduleDocument document = MakeSchedule(options);
    const int row = document.sheet.fixedRows;
    document.sheet.SetText(2, row, "A: E\rB: L\r");
    document.sheet.SetText(3, row, "B: N");
    Open(std::move(document), options::kScheduleSetup, options::kDepartments);
    auto& departments = On<DepartmentsPage>();
    Ok(departments.Pick(2));
    Ok(departments.Press("remove"));
    Close();
    EXPECT_EQ(schedule().departments, (std::vector<Department>{{"A", "clWhite"}}));
    EXPECT_EQ(sheet().Text(2, row), "A: E\r");
    EXPECT_EQ(sheet().Text(3, row), "");
    EXPECT_EQ(sheet().fixedRows, 3);
}

TEST_F(OptionsTest, ARemovedCustomQueryLosesItsSummaryRows)
{
    ScheduleDocument document = MakeSchedule();
    document.customQueryLines = {"Early", "E", kEndThisAddition, "Late", "L", kEndThisAddition,
                                 kEndAllAdditions};
    document.customQueryNames = {"Early", "Late"};
    document.queryThresholds = {{"Early", "clRed", "1", "clYellow", "2"},
                                {"Late", "clRed", "1", "clYellow", "2"}};
    document.customQueryPanel.rows = {{"Early", ""}, {"Late", "clRed"}};
    auto session = std::make_unique<ScheduleSession>(std::move(document), messages_, nullptr,
                                                     DefaultTextMetrics(), flags_);
    ASSERT_TRUE(session->summaryPanels().Show(SummaryKind::CustomQuery));
    session_ = std::move(session);

    for (const char* query : {"Late", "Early"}) {
        Reopen(options::kScheduleSetup, options::kCustomQuery);
        auto& queries = On<CustomQueryPage>();
        Ok(queries.Pick(1 + (std::string(query) == "Late" ? 1 : 0)));
        Ok(queries.Press("remove"));
        Close();
        test::ExpectEachSummaryRecounted(*session_);
    }
    EXPECT_EQ(schedule().customQueryLines, Texts{kEndAllAdditions});
    EXPECT_TRUE(schedule().customQueryNames.empty());
    EXPECT_TRUE(schedule().queryThresholds.empty());
    // One empty row stays above the totals.
    EXPECT_EQ(schedule().customQueryPanel.rows, std::vector<CustomQueryRow>{{}});
}

TEST_F(OptionsTest, NewColoursRecolourTheDaysFromTheRebuiltHolidayLines)
{
    ScheduleDocument document = MakeSchedule();  // January 2027
    HolidayStore store(folder_.path(), messages_);
    document.holidayLines = *store.BuildHolidayLines(document.sheet, "Netherlands");
    document.weekendDays = {"2", "3"};
    document.holidayDays = {"1"};
    document.holidayNames = {"New Year"};
    Open(std::move(document), options::kColorSetup, 0);
    EXPECT_EQ(dialog_.caption(), "Schedule Grid");
    auto& colours = On<SheetColoursPage>();
    Ok(colours.SetField("weekend", "clLime"));
    Ok(colours.SetField("holiday", "clRed"));
    Ok(colours.Press("save"));
    Ok(dialog_.ClickItem(options::kScheduleSetup, options::kHolidays));
    auto& holidays = On<HolidaysPage>();
    holidays.ClickCalendarDay(12);
    Ok(holidays.SetField("name", "Ward party"));
    Ok(holidays.Press("save"));
    Close();

    EXPECT_EQ(schedule().weekendColour, "clLime");
    EXPECT_EQ(schedule().holidayColour, "clRed");
    EXPECT_EQ(schedule().weekendDays, (Texts{"2", "3"}));
    EXPECT_EQ(schedule().holidayDays, Texts{"1"});
    EXPECT_EQ(schedule().holidayNames, Texts{"New Year"});
    const auto& lines = schedule().holidayLines;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "12:Ward party"), lines.end());
    const int row = sheet().fixedRows;
    EXPECT_EQ(sheet().BrushColor(2 + 11, row), StringToColor("clRed"));   // 12 January
    EXPECT_EQ(sheet().BrushColor(2 + 1, row), StringToColor("clLime"));   // Saturday 2nd
    EXPECT_EQ(sheet().BrushColor(2 + 3, row), clNone);                    // Monday 4th
    EXPECT_EQ(HolidayNameOfColumn(schedule(), 2 + 11), "Ward party");
}

TEST_F(OptionsTest, AnHourThatDoesNotConvertIsShownAndEverySummaryStillCounted)
{
    ScheduleDocument document = MakeSchedule();
    document.workingTypes.SetField(3, field::From1, "2xH00");  // N
    document.sheet.SetText(2, document.sheet.fixedRows, "N");
    auto session = std::make_unique<ScheduleSession>(std::move(document), messages_, nullptr,
                                                     DefaultTextMetrics(), flags_);
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::TypesPerDay,
                             SummaryKind::WorkedHours, SummaryKind::EmployeesPerType})
        session->summaryPanels().Show(kind);
    session_ = std::move(session);
    messages_.errors.clear();
    Reopen(options::kScheduleSetup, options::kEmployees);
    auto& employees = On<EmployeesPage>();
    Ok(employees.SetField("name", "X"));
    Ok(employees.Press("add"));
    Close();

    EXPECT_EQ(messages_.errors.size(), 1u);
    EXPECT_EQ(schedule().Employees().back(), "X");
    test::ExpectEachSummaryRecounted(*session_);
    EXPECT_EQ(session_->summaries().employeesPerType().grid().rowCount(),
              session_->summaries().employeesPerType().grid().fixedRows() + 5);
}

// --- backup settings ---

TEST_F(OptionsTest, BackupsSwitchedOnWithIntervalTenFireEveryTenMinutes)
{
    const fs::path chosen = folder_.path() / "saved";
    fs::create_directories(chosen);
    Open(MakeSchedule(), options::kOptions, options::kBackup);
    EXPECT_EQ(dialog_.caption(), "Backup");
    auto& page = On<BackupPage>();
    EXPECT_EQ(page.Text("toggle"), "Enable");
    EXPECT_FALSE(page.panelShown());
    Ok(page.Press("toggle"));
    EXPECT_TRUE(page.panelShown());
    EXPECT_EQ(page.Text("toggle"), "Disable");
    Ok(page.SetField("interval", "10"));
    Ok(page.SetField("folder", chosen.string()));
    Ok(page.Press("save"));
    EXPECT_FALSE(Close().closeSchedule);

    const auto value = [&](const char* name) {
        return ReadUserSetting(settings_, kBackupKey, name);
    };
    EXPECT_EQ(value("Enabled"), "true");
    EXPECT_EQ(value("Path"), chosen.string());
    EXPECT_EQ(value("Interval"), "10");
    EXPECT_TRUE(timer_.running);
    EXPECT_EQ(timer_.period, 600000);
    EXPECT_EQ(backup_.BackupFolder(), chosen.string());

    // Off again: only "Enabled" changes; folder and interval stay stored.
    Reopen(options::kOptions, options::kBackup);
    EXPECT_EQ(On<BackupPage>().Text("toggle"), "Disable");
    Ok(On<BackupPage>().Press("toggle"));
    Ok(On<BackupPage>().Press("save"));
    Close();
    EXPECT_EQ(value("Enabled"), "false");
    EXPECT_EQ(value("Path"), chosen.string());
    EXPECT_EQ(value("Interval"), "10");
    EXPECT_FALSE(timer_.running);
}

TEST_F(OptionsTest, ThePageChangesNothingUntilSaved)
{
    Open(MakeSchedule(), options::kOptions, options::kBackup);
    const fs::path fallback = folder_.path() / "backup";
    // Opening made the default folder.
    EXPECT_EQ(dialog_.copy().backupFolder, fallback.string());
    EXPECT_TRUE(fs::is_directory(fallback));
    EXPECT_EQ(dialog_.copy().backupInterval, "5");
    auto& page = On<BackupPage>();
    Ok(page.Press("default"));
    EXPECT_EQ(page.Text("toggle"), "Disable");
    EXPECT_EQ(page.Text("folder"), fallback.string());
    EXPECT_EQ(page.Text("interval"), "5");
    Ok(dialog_.ClickItem(options::kOptions, options::kBackup));  // left without saving
    EXPECT_EQ(dialog_.copy().backupToggle, "Enable");
    Close();
    EXPECT_FALSE(timer_.running);
    EXPECT_EQ(ReadUserSetting(settings_, kBackupKey, "Enabled"), "false");
}

TEST_F(OptionsTest, TheIntervalNeverFallsBelowOneMinute)
{
    Open(MakeSchedule(), options::kOptions, options::kBackup);
    auto& page = On<BackupPage>();
    Ok(page.Press("toggle"));
    for (const auto& [typed, shown] : {std::pair{"", "1"}, {"0", "1"}, {"00", "1"},
                                       {"7", "7"}, {"60", "60"}}) {
        ASSERT_TRUE(page.CanHold("interval", typed));
        Ok(page.SetField("interval", typed));
        EXPECT_EQ(page.Text("interval"), shown) << typed;
    }
    for (const char* refused : {"61", "abc", "-1", "123"})
        EXPECT_FALSE(page.CanHold("interval", refused)) << refused;
}

TEST_F(OptionsTest, SavingNeedsAnExistingFolderEvenWithBackupsOff)
{
    Open(MakeSchedule(), options::kOptions, options::kBackup);
    auto& page = On<BackupPage>();
    Ok(page.Press("toggle"));
    Ok(page.SetField("folder", (folder_.path() / "missing").string()));
    Ok(page.Press("toggle"));  // off again, the folder field hidden
    const Result<void> saved = page.Press("save");
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().message, "Drive or Directory does not exists.");
    EXPECT_EQ(saved.error().kind, ErrorKind::RefusedInput);
    EXPECT_EQ(page.focus(), "folder");
    EXPECT_EQ(dialog_.copy().backupFolder, (folder_.path() / "backup").string());
    Close();
}

TEST_F(OptionsTest, ASettingsStoreThatCannotBeWrittenLeavesTheOtherChangesApplied)
{
    settings_.SetFailing(true);
    Open(MakeSchedule(), options::kScheduleSetup, options::kEmployees);
    Ok(On<EmployeesPage>().SetField("name", "X"));
    Ok(On<EmployeesPage>().Press("add"));
    EXPECT_FALSE(Close().closeSchedule);
    EXPECT_EQ(messages_.errors,
              Texts{"Authorization to write to the registry failed.\n\rautosave feature is "
                    "disabled"});
    EXPECT_EQ(schedule().Employees().back(), "X");
}

TEST(OptionsBackup, AWriteThatFailsHalfWayAsksTheScheduleWindowToClose)
{
    test::RecordingMessageSink messages;
    UnwritableValues settings;
    FakeTimer timer;
    AutomaticBackup backup(settings, messages, timer, "/tmp");
    EXPECT_FALSE(backup.ApplyBackupChoice("Disable", "/tmp", "10"));
    EXPECT_EQ(messages.errors,
              Texts{"An error occured. Please check wether your adjustments have been saved."});
    EXPECT_FALSE(timer.running);
}

TEST_F(OptionsTest, ABackupFolderThatCannotBeMadeIsReportedAndTheDialogOpens)
{
    const fs::path file = folder_.path() / "a-file";
    std::ofstream(file) << "x";
    BackupSettings stored;
    stored.folder = (file / "backup").string();
    backup_.Start(stored);
    Open(MakeSchedule(), options::kOptions, options::kBackup);
    EXPECT_EQ(messages_.errors, Texts{"Error while creating \"" + stored.folder +
                                      "\". Make sure you have all access rights."});
    EXPECT_EQ(On<BackupPage>().Text("folder"), stored.folder);
    Close();
}

TEST(BackupStartup, TheTimerRunsOnlyForEnabledExactlyTrue)
{
    struct Case {
        std::optional<std::string> enabled;
        bool running;
    };
    for (const Case& c : {Case{"true", true}, Case{"TRUE", false}, Case{"false", false},
                          Case{std::nullopt, false}}) {
        MemorySettingsStore settings;
        if (c.enabled) {
            settings.WriteValue(SettingsScope::User, kBackupKey, "Enabled", *c.enabled);
            settings.WriteValue(SettingsScope::User, kBackupKey, "Interval", "10");
            settings.WriteValue(SettingsScope::User, kBackupKey, "Path", "/b");
        }
        test::RecordingMessageSink messages;
        FakeTimer timer;
        AutomaticBackup backup(settings, messages, timer, "/p");
        backup.Start(ReadBackupSettings(settings));
        EXPECT_EQ(timer.running, c.running) << c.enabled.value_or("(no key)");
        EXPECT_EQ(backup.BackupInterval(), c.enabled ? "10" : "5");
        if (c.running) {
            EXPECT_EQ(timer.period, 600000);
        }
    }
}

} // namespace
} // namespace shiftex
