#pragma once

#include "files/holiday_store.h"
#include "model/message_sink.h"
#include "model/result.h"
#include "model/schedule_document.h"
#include "model/sheet_layout.h"
#include "setup/setup_page.h"
#include "setup/wizard_answers.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace shiftex {

inline constexpr const char* kWizardCaption = "Shiftex Wizard";
inline constexpr const char* kStepsHeading = "Preforming Steps :";
inline constexpr const char* kMonthCalendarLabel = "Select the month to schedule: ";
inline constexpr const char* kGeneralInformationText =
    "On the following pages you can select how your workinglist will look like.\n\rAll the "
    "settings you apply during the following setup, can be adjusted\n\rwithin the workinglist, "
    "once the setup has been completed.\n\r\n\rRemember : The month and year selection are "
    "PERMANENT. You can't change\n\rthem once you've ended this setup wizard.\n\r\n\rWhen "
    "you've already created a Shiftex schedule, you can use that file\n\ras a template for your "
    "new schedule.\n\r\n\rClick on the &Next Button to proceed with the setup wizard.";
inline constexpr const char* kFinishedGroup = "Finished !";
inline constexpr const char* kFinishedTexts[] = {
    "You have completed this wizard !",
    "Press &Prior if you'd like to make some changes, otherwise : press the finish button.",
    "If you've created this schedule by using a template, all other properties are automaticly "
    "included.",
    "Once you've finished this wizard, all settings can be adjusted by using the menu Options "
    "» Settings"};

// One row of the wizard's step list: a step, or a heading over the steps below it.
struct WizardStep {
    const char* caption;
    bool heading;
};
const std::vector<WizardStep>& WizardSteps();

inline constexpr int kWizardPageCount = 8;

// The new-schedule wizard: eight pages that collect the answers, then the schedule text built
// from them and loaded as a new document. Each visit of a page makes a fresh page editor, filled
// from the answers on entering and read back into them on leaving.
class Wizard {
public:
    // Holiday templates are read and written below `programFolder`; the errors of creating a
    // year's holiday folder go to `messages` (the operation goes on).
    Wizard(std::filesystem::path programFolder, MessageSink& messages);
    ~Wizard();

    // The wizard is shown: the answers back to their defaults for this year and month, page 0.
    void Show(int year, int month);
    // The close box: nothing is built.
    void Close();
    bool shown() const { return shown_; }

    int page() const { return answers_.page; }
    const WizardAnswers& answers() const { return answers_; }
    bool priorEnabled() const { return priorEnabled_; }
    bool nextEnabled() const { return nextEnabled_; }
    // Each does nothing while its button is disabled.
    Result<void> Next();
    Result<void> Prior();

    // The editor of the current page; null on the first and the last page.
    SetupPage* editor() const { return editor_.get(); }
    // The row of WizardSteps() that the marker is on, and its caption.
    int markerRow() const;
    std::string stepCaption() const;
    // The help topic of the current page (the wizard's own help button).
    std::string helpTopic() const;

    // The lines of the new schedule's text.
    std::vector<std::string> ScheduleText() const { return BuildScheduleText(answers_); }
    // Finish: the text loaded into a new document; the wizard closes. When the text does not
    // load the wizard stays open with the error.
    Result<ScheduleDocument> Finish(const TextMetrics& metrics = DefaultTextMetrics());

private:
    Result<void> Move(int delta);
    void LeavePage();
    Result<void> EnterPage();

    std::filesystem::path programFolder_;
    MessageSink& messages_;
    HolidayStore holidays_;
    WizardAnswers answers_;
    std::unique_ptr<SetupPage> editor_;
    bool priorEnabled_ = false;
    bool nextEnabled_ = true;
    bool shown_ = false;
};

} // namespace shiftex
