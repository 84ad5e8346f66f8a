#include "setup/options_dialog.h"

#include "setup/backup_page.h"
#include "setup/custom_query_page.h"
#include "setup/departments_page.h"
#include "setup/employees_page.h"
#include "setup/holidays_page.h"
#include "setup/mail_page.h"
#include "setup/options_apply.h"
#include "setup/sheet_colours_page.h"
#include "setup/threshold_page.h"
#include "setup/working_types_page.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace shiftex {

namespace {

struct ItemPage {
    const char* panel;
    const char* item;
    OptionsPage page;
};

// Items are dispatched by the captions of their panel and their own: "Custom Query" is an item
// of two panels.
constexpr ItemPage kItemPages[] = {
    {"Schedule Setup", "Employees", OptionsPage::Employees},
    {"Schedule Setup", "Working Types", OptionsPage::WorkingTypes},
    {"Schedule Setup", "Custom Query", OptionsPage::CustomQuery},
    {"Schedule Setup", "Departments", OptionsPage::Departments},
    {"Schedule Setup", "Holidays", OptionsPage::Holidays},
    {"Color Setup", "Schedule Grid", OptionsPage::SheetColours},
    {"Color Setup", "Custom Query", OptionsPage::QueryThresholds},
    {"Color Setup", "Employee / Type Colors", OptionsPage::EmployeeTypeThresholds},
    {"Color Setup", "Day / Type Colors", OptionsPage::DayTypeThresholds},
    {"Options", "Backup", OptionsPage::Backup},
    {"Options", "Visit Shiftex Online", OptionsPage::WebSite},
    {"Options", "Send Email", OptionsPage::Mail},
};

} // namespace

bool IsOptionsItem(int panel, int item)
{
    const auto& panels = OptionsPanels();
    return panel >= 0 && panel < static_cast<int>(panels.size()) && item >= 0 &&
           item < static_cast<int>(panels[static_cast<std::size_t>(panel)].items.size());
}

const std::vector<OptionsPanel>& OptionsPanels()
{
    static const std::vector<OptionsPanel> panels{
        {"Schedule Setup",
         {"Employees", "Working Types", "Custom Query", "Departments", "Holidays"}},
        {"Color Setup",
         {"Schedule Grid", "Custom Query", "Employee / Type Colors", "Day / Type Colors"}},
        {"Options", {"Backup", "Visit Shiftex Online", "Send Email"}},
    };
    return panels;
}

OptionsPage PageOfItem(int panel, int item)
{
    SHIFTEX_ASSERT(IsOptionsItem(panel, item));
    const OptionsPanel& bar = OptionsPanels()[static_cast<std::size_t>(panel)];
    const char* caption = bar.items[static_cast<std::size_t>(item)];
    for (const ItemPage& entry : kItemPages)
        if (std::strcmp(entry.panel, bar.caption) == 0 && std::strcmp(entry.item, caption) == 0)
            return entry.page;
    SHIFTEX_ASSERT(false);
    return OptionsPage::WebSite;
}

std::string BackupFolderError(const std::string& folder)
{
    return "Error while creating \"" + folder + "\". Make sure you have all access rights.";
}

OptionsDialog::OptionsDialog(std::filesystem::path programFolder, MessageSink& messages,
                             ProgramBackup& backup)
    : programFolder_(std::move(programFolder)),
      messages_(messages),
      backup_(backup),
      holidays_(programFolder_, messages)
{
}

OptionsDialog::~OptionsDialog() = default;

std::string OptionsDialog::caption() const
{
    const OptionsPanel& panel = OptionsPanels()[static_cast<std::size_t>(panel_)];
    return panel.items[static_cast<std::size_t>(item_)];
}

std::filesystem::path OptionsDialog::DefaultBackupFolder() const
{
    return programFolder_ / kBackupFolderName;
}

Result<void> OptionsDialog::Open(ScheduleSession& session, int panel, int item,
                                 std::optional<std::string> code)
{
    SHIFTEX_ASSERT(!shown() && IsOptionsItem(panel, item));
    if (code)
        presetCode_ = std::move(*code);
    if (Result<void> filled = FillCopy(session); !filled)
        return filled;
    copy_.presetPanel = panel;
    copy_.presetItem = item;
    copy_.presetCode = presetCode_;
    session_ = &session;
    return ClickItem(panel, item);
}

Result<void> OptionsDialog::FillCopy(ScheduleSession& session)
{
    const ScheduleDocument& document = session.document();
    const ScheduleSheet& sheet = document.sheet;
    OptionsWorkingCopy copy;
    int firstYear = 0;
    int lastYear = 0;
    try {
        const Date first = document.DayOfColumn(document.FirstDayColumn());
        firstYear = first.year;
        lastYear = document.DayOfColumn(sheet.colCount() - 1).year;
        copy.year = std::to_string(first.year);
        copy.month = TwoDigits(first.month);
    } catch (const ConversionError& error) {
        return Fail(ErrorKind::Conversion, error.what());
    }

    // Undo would lead back to a sheet of another shape than the one the dialog leaves.
    session.ResetUndo();
    const WorkingTypeList& types = document.workingTypes;
    for (int i = 1; i < types.Count(); ++i) {
        WorkingType type = types.At(i);
        type.fields[1].clear();
        copy.workingTypes.push_back(std::move(type));
    }
    copy.employeeNames = document.Employees();
    copy.gridFontName = document.fontName;
    copy.workingTypeFontColour = document.fontColour;
    copy.holidayColour = document.holidayColour;
    copy.weekendColour = document.weekendColour;

    copy.regionName = document.holidayLines.empty() ? std::string("Custom")
                                                    : RegionOfLines(document.holidayLines);
    // The holidays page shows the templates: the schedule's own holidays go there first.
    if (!document.holidayLines.empty()) {
        if (auto written = holidays_.WriteBackHolidayLines(firstYear, lastYear, copy.regionName,
                                                           document.holidayLines);
            !written)
            messages_.Error(written.error().message);
    }

    for (const Department& department : document.departments)
        copy.departmentNames.push_back(department.name);
    copy.departmentColours.push_back(document.mainDepartmentColour);
    for (const Department& department : document.departments)
        copy.departmentColours.push_back(department.colour);
    copy.customQueryLines = document.customQueryLines;
    copy.queryThresholds = document.queryThresholds;

    copy.backupFolder = backup_.BackupFolder();
    copy.backupInterval = backup_.BackupInterval();
    if (copy.backupFolder.empty())
        copy.backupFolder = DefaultBackupFolder().string();
    std::error_code error;
    if (!std::filesystem::is_directory(copy.backupFolder, error) &&
        !std::filesystem::create_directories(copy.backupFolder, error))
        messages_.Error(BackupFolderError(copy.backupFolder));
    copy.backupToggle = backup_.BackupTimerRunning() ? kBackupOn : kBackupOff;
    copy_ = std::move(copy);
    return {};
}

Result<void> OptionsDialog::ClickItem(int panel, int item)
{
    SHIFTEX_ASSERT(shown() && IsOptionsItem(panel, item));
    LeavePage();
    panel_ = panel;
    item_ = item;
    return EnterPage();
}

void OptionsDialog::LeavePage()
{
    if (!page_)
        return;
    switch (currentPage()) {
    case OptionsPage::Employees:
        copy_.employeeNames = PageAs<EmployeesPage>(page_.get()).names();
        break;
    case OptionsPage::WorkingTypes:
        copy_.workingTypes = PageAs<WorkingTypesPage>(page_.get()).types();
        for (WorkingType& type : copy_.workingTypes)
            type.fields[1].clear();
        break;
    case OptionsPage::CustomQuery:
        copy_.customQueryLines = PageAs<CustomQueryPage>(page_.get()).customQueryLines();
        SyncQueryThresholds(copy_.customQueryLines, copy_.queryThresholds);
        break;
    case OptionsPage::Departments: {
        const auto& departments = PageAs<DepartmentsPage>(page_.get()).departments();
        copy_.departmentNames.clear();
        copy_.departmentColours.resize(1);
        for (const Department& department : departments) {
            copy_.departmentNames.push_back(department.name);
            copy_.departmentColours.push_back(department.colour);
        }
        break;
    }
    case OptionsPage::QueryThresholds: {
        const auto& rows = PageAs<ThresholdPage>(page_.get()).rows();
        const std::size_t count = std::min(rows.size(), copy_.queryThresholds.size());
        for (std::size_t i = 0; i < count; ++i) {
            ColorThreshold& row = copy_.queryThresholds[i];
            row.minColour = rows[i].minColour;
            row.minCount = rows[i].minCount;
            row.maxColour = rows[i].maxColour;
            row.maxCount = rows[i].maxCount;
        }
        break;
    }
    case OptionsPage::DayTypeThresholds:
    case OptionsPage::EmployeeTypeThresholds:
        PageAs<ThresholdPage>(page_.get()).ApplyTo(copy_.workingTypes);
        break;
    default:
        // The holidays page writes the templates at once, the colours and backup pages on
        // their own "save".
        break;
    }
    page_.reset();
}

Result<void> OptionsDialog::EnterPage()
{
    switch (currentPage()) {
    case OptionsPage::Employees:
        page_ = std::make_unique<EmployeesPage>(copy_.employeeNames);
        return {};
    case OptionsPage::WorkingTypes: {
        page_ = std::make_unique<WorkingTypesPage>(copy_.workingTypes);
        int entry = 0;
        if (copy_.presetPanel == options::kScheduleSetup &&
            copy_.presetItem == options::kWorkingTypes) {
            const auto& types = copy_.workingTypes;
            const auto found =
                std::find_if(types.begin(), types.end(), [&](const WorkingType& type) {
                    return type.code() == copy_.presetCode;
                });
            if (found != types.end())
                entry = 1 + static_cast<int>(found - types.begin());
        }
        return page_->Pick(entry);
    }
    case OptionsPage::CustomQuery:
        page_ = std::make_unique<CustomQueryPage>(copy_.customQueryLines, copy_.workingTypes);
        return {};
    case OptionsPage::Departments: {
        std::vector<Department> departments;
        for (std::size_t k = 0; k < copy_.departmentNames.size(); ++k)
            departments.push_back({copy_.departmentNames[k],
                                   k + 1 < copy_.departmentColours.size()
                                       ? copy_.departmentColours[k + 1]
                                       : std::string(kDefaultMainDepartmentColour)});
        page_ = std::make_unique<DepartmentsPage>(std::move(departments));
        return page_->Pick(0);
    }
    case OptionsPage::Holidays: {
        auto holidays = std::make_unique<HolidaysPage>(holidays_);
        HolidaysPage& page = *holidays;
        page_ = std::move(holidays);
        return page.Enter(copy_.year, std::to_string(ParseInt(copy_.month)), copy_.regionName,
                          HolidaysPage::MissingRegion::ChooseFirst);
    }
    case OptionsPage::SheetColours:
        page_ = std::make_unique<SheetColoursPage>(
            SheetLook{copy_.weekendColour, copy_.holidayColour, copy_.workingTypeFontColour,
                      copy_.gridFontName});
        return {};
    case OptionsPage::QueryThresholds:
        page_ = std::make_unique<ThresholdPage>(ThresholdPage::ForQueries(copy_.queryThresholds));
        return {};
    case OptionsPage::EmployeeTypeThresholds:
        page_ = std::make_unique<ThresholdPage>(
            ThresholdPage::ForEmployeeTypes(copy_.workingTypes));
        return {};
    case OptionsPage::DayTypeThresholds:
        page_ = std::make_unique<ThresholdPage>(ThresholdPage::ForDayTypes(copy_.workingTypes));
        return {};
    case OptionsPage::Backup:
        page_ = std::make_unique<BackupPage>(
            BackupChoice{copy_.backupFolder, copy_.backupInterval, copy_.backupToggle},
            DefaultBackupFolder());
        return {};
    case OptionsPage::WebSite:
        if (onProductPage)
            onProductPage();
        return {};
    case OptionsPage::Mail: {
        auto mail = std::make_unique<MailPage>();
        mail->onMail = [this] {
            if (onMail)
                onMail();
        };
        mail->onWebForm = [this] {
            if (onWebForm)
                onWebForm();
        };
        page_ = std::move(mail);
        return {};
    }
    }
    return {};
}

OptionsClosed OptionsDialog::Close(const TextMetrics& metrics)
{
    SHIFTEX_ASSERT(shown());
    LeavePage();
    ScheduleSession& session = *session_;
    session_ = nullptr;
    ApplyOptionsToSchedule(session, copy_, holidays_, messages_);
    OptionsClosed closed;
    closed.closeSchedule = !backup_.ApplyBackupChoice(copy_.backupToggle, copy_.backupFolder,
                                                      copy_.backupInterval);
    BringScheduleInLine(session, messages_, metrics);
    return closed;
}

} // namespace shiftex
