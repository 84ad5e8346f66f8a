#include "setup/wizard.h"

#include "files/schedule_text.h"
#include "setup/custom_query_page.h"
#include "setup/employees_page.h"
#include "setup/holidays_page.h"
#include "setup/import_page.h"
#include "setup/sheet_colours_page.h"
#include "setup/working_types_page.h"

#include <array>

namespace shiftex {

namespace {

// Per page: its row in the step list and its help topic.
struct PageInfo {
    int row;
    const char* helpTopic;
};
constexpr std::array<PageInfo, kWizardPageCount> kPages{{
    {0, "Wizard Overview"},
    {1, "Wizard Choose month and year"},
    {3, "Wizard Import / Create new"},
    {5, "Wizard Employees"},
    {6, "Wizard Working Types"},
    {7, "Wizard\u00A0Custom\u00A0Query Settings"},
    {8, "Wizard Color settings"},
    {9, "Wizard Finished"},
}};

} // namespace

const std::vector<WizardStep>& WizardSteps()
{
    static const std::vector<WizardStep> steps{
        {"General Information", false}, {"Choose Month and Year", false},
        {"Setup Workinglist", true},    {"Import / Create New", false},
        {"Adjust settings", true},      {"Employees", false},
        {"WorkingTypes", false},        {"Additions", false},
        {"Adjust Colors", false},       {"Finish", false},
    };
    return steps;
}

Wizard::Wizard(std::filesystem::path programFolder, MessageSink& messages)
    : programFolder_(std::move(programFolder)),
      messages_(messages),
      holidays_(programFolder_, messages)
{
}

Wizard::~Wizard() = default;

void Wizard::Show(int year, int month)
{
    editor_.reset();
    answers_ = WizardAnswers::Defaults(year, month);
    shown_ = true;
    EnterPage();
}

void Wizard::Close()
{
    editor_.reset();
    shown_ = false;
}

int Wizard::markerRow() const { return kPages[static_cast<std::size_t>(page())].row; }

std::string Wizard::stepCaption() const { return WizardSteps()[markerRow()].caption; }

std::string Wizard::helpTopic() const
{
    return kPages[static_cast<std::size_t>(page())].helpTopic;
}

Result<void> Wizard::Next() { return Move(1); }

Result<void> Wizard::Prior() { return Move(-1); }

Result<void> Wizard::Move(int delta)
{
    if (!(delta > 0 ? nextEnabled_ : priorEnabled_))
        return {};
    const int target = page() + delta;
    SHIFTEX_ASSERT(shown_ && target >= 0 && target < kWizardPageCount);
    LeavePage();
    answers_.page = target;
    return EnterPage();
}

void Wizard::LeavePage()
{
    switch (page()) {
    case 1: {
        const auto& holidays = PageAs<HolidaysPage>(editor_.get());
        answers_.year = holidays.year();
        answers_.month = holidays.month();
        answers_.regionName = holidays.Text("region");
        break;
    }
    case 2: PageAs<ImportPage>(editor_.get()).Leave(); break;
    case 3: answers_.employeeNames = PageAs<EmployeesPage>(editor_.get()).names(); break;
    case 4: answers_.workingTypes = PageAs<WorkingTypesPage>(editor_.get()).types(); break;
    case 5:
        answers_.customQueryLines = PageAs<CustomQueryPage>(editor_.get()).customQueryLines();
        SyncQueryThresholds(answers_.customQueryLines, answers_.queryThresholds);
        break;
    default: break;
    }
    editor_.reset();
}

Result<void> Wizard::EnterPage()
{
    priorEnabled_ = page() > 0;
    nextEnabled_ = page() < kWizardPageCount - 1;
    switch (page()) {
    case 1: {
        auto holidays = std::make_unique<HolidaysPage>(holidays_);
        HolidaysPage& page = *holidays;
        editor_ = std::move(holidays);
        return page.Enter(answers_.year, answers_.month, answers_.regionName);
    }
    case 2: {
        auto import = std::make_unique<ImportPage>(answers_);
        import->onNextEnabled = [this](bool enabled) { nextEnabled_ = enabled; };
        ImportPage& page = *import;
        editor_ = std::move(import);
        return page.Enter();
    }
    case 3: {
        auto employees = std::make_unique<EmployeesPage>(answers_.employeeNames);
        employees->onAdded = [this] { nextEnabled_ = true; };
        employees->Focus("name");
        nextEnabled_ = !answers_.employeeNames.empty();
        editor_ = std::move(employees);
        return {};
    }
    case 4: {
        auto types = std::make_unique<WorkingTypesPage>(answers_.workingTypes);
        types->HideHelp();
        types->onSaved = [this] { nextEnabled_ = true; };
        nextEnabled_ = !answers_.workingTypes.empty();
        editor_ = std::move(types);
        return {};
    }
    case 5:
        editor_ = std::make_unique<CustomQueryPage>(answers_.customQueryLines,
                                                    answers_.workingTypes);
        editor_->HideHelp();
        return {};
    case 6:
        editor_ = std::make_unique<SheetColoursPage>(
            SheetLook{answers_.weekendColour, answers_.holidayColour,
                      answers_.workingTypeFontColour, answers_.gridFontName});
        editor_->HideHelp();
        return {};
    default: return {};
    }
}

Result<ScheduleDocument> Wizard::Finish(const TextMetrics& metrics)
{
    SHIFTEX_ASSERT(shown_ && page() == kWizardPageCount - 1);
    Result<ScheduleDocument> loaded =
        LoadScheduleText(ScheduleText(), programFolder_, messages_, {}, metrics);
    if (!loaded)
        return Fail(ErrorKind::DamagedFile, loaded.error().message);
    Close();
    return loaded;
}

} // namespace shiftex
