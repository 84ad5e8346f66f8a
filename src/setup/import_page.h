#pragma once

#include "model/schedule_sheet.h"
#include "setup/setup_page.h"
#include "setup/wizard_answers.h"

#include <filesystem>
#include <functional>
#include <string>

namespace shiftex {

inline constexpr const char* kUseTemplateCaption = "Use the template from following file:";
inline constexpr const char* kFromScratchCaption = "Create a workinglist from scratch";
inline constexpr const char* kNoPreviewText = "No preview available";

// The wizard's choice between a new schedule from scratch and one that takes the employees,
// working types, custom queries, colours and departments of an existing schedule. Field "path"
// (read-only). A schedule file template is shown in a preview sheet; a schedule text has none.
class ImportPage final : public SetupPage {
public:
    enum class Choice { Template, Scratch };

    // Writes into the wizard's answers.
    explicit ImportPage(WizardAnswers& answers);

    Choice choice() const { return choice_; }
    // An option was clicked.
    void Choose(Choice choice);
    // The browse button: the template option is chosen before the file dialog opens.
    void ChooseTemplateOption() { Choose(Choice::Template); }
    // The file dialog was confirmed with `path`: its settings replace the wizard's lists. A file
    // that is neither form, or is damaged, leaves the lists as they were.
    Result<void> ImportTemplate(const std::string& path);

    // Entering the page again restores the template chosen before, and reads it again.
    Result<void> Enter();
    // Leaving the page keeps the template's path and kind in the answers.
    void Leave();

    const ScheduleSheet& preview() const { return preview_; }
    bool previewShown() const { return previewShown_; }
    bool noPreviewShown() const { return noPreviewShown_; }

    // Told when the wizard's Next button is to be enabled or disabled.
    std::function<void(bool)> onNextEnabled;

private:
    Result<void> OnPress(const std::string& button) override;
    void EnableNext(bool enabled);
    void ResetPreview();

    WizardAnswers& answers_;
    Choice choice_ = Choice::Scratch;
    ScheduleSheet preview_;
    bool previewShown_ = false;
    bool noPreviewShown_ = false;
};

} // namespace shiftex
