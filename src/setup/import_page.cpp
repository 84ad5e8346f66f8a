#include "setup/import_page.h"

#include "files/schedule_loader.h"
#include "files/schedule_text.h"
#include "files/template_import.h"

namespace shiftex {

namespace {

void ClearImportedLists(WizardAnswers& answers)
{
    answers.employeeNames.clear();
    answers.queryThresholds.clear();
    answers.workingTypes.clear();
    answers.customQueryLines = {kEndAllAdditions};
}

void Apply(TemplateSettings settings, WizardAnswers& answers)
{
    answers.employeeNames = std::move(settings.employeeNames);
    answers.workingTypes = std::move(settings.workingTypes);
    answers.customQueryLines = std::move(settings.customQueryLines);
    answers.queryThresholds = std::move(settings.queryThresholds);
    answers.weekendColour = std::move(settings.weekendColour);
    answers.holidayColour = std::move(settings.holidayColour);
    if (settings.hasFont) {
        answers.gridFontName = std::move(settings.fontName);
        answers.workingTypeFontColour = std::move(settings.fontColour);
    }
    if (settings.hasDepartments) {
        answers.departmentNames = std::move(settings.departmentNames);
        answers.departmentColours = std::move(settings.departmentColours);
    }
}

} // namespace

ImportPage::ImportPage(WizardAnswers& answers) : answers_(answers)
{
    AddField("path", 0, true);
    ResetPreview();
    noPreviewShown_ = false;
}

void ImportPage::ResetPreview()
{
    preview_ = ScheduleSheet();
    preview_.Resize(1, 1);
    preview_.fixedRows = 0;
    preview_.fixedCols = 0;
    previewShown_ = false;
    noPreviewShown_ = true;
}

void ImportPage::EnableNext(bool enabled)
{
    if (onNextEnabled)
        onNextEnabled(enabled);
}

void ImportPage::Choose(Choice choice)
{
    choice_ = choice;
    if (choice == Choice::Template) {
        if (Trim(Text("path")).empty()) {
            EnableNext(false);
            return;
        }
        EnableNext(true);
        previewShown_ = true;
        noPreviewShown_ = preview_.fixedRows < 3;
        return;
    }
    ClearImportedLists(answers_);
    EnableNext(true);
    previewShown_ = false;
    noPreviewShown_ = false;
}

Result<void> ImportPage::ImportTemplate(const std::string& path)
{
    choice_ = Choice::Template;
    SetText("path", path);
    ResetPreview();
    Result<void> result;
    // Read as the opener reads: what cannot be a schedule is refused before it is read on.
    const Result<std::string> bytes = ReadScheduleFile(path);
    std::optional<ScheduleSheet> preview;
    Result<TemplateSettings> settings = bytes
                                            ? ImportTemplateBytes(*bytes, preview)
                                            : Fail(ErrorKind::DamagedFile, kDamagedFileMessage);
    if (preview) {
        preview_ = std::move(*preview);
        previewShown_ = true;
        noPreviewShown_ = false;
    }
    if (settings)
        Apply(std::move(*settings), answers_);
    else
        result = std::unexpected(settings.error());
    EnableNext(true);
    return result;
}

Result<void> ImportPage::Enter()
{
    if (answers_.templateFile.empty())
        return {};
    return ImportTemplate(answers_.templateFile);
}

void ImportPage::Leave()
{
    if (choice_ == Choice::Template) {
        answers_.templateKind = preview_.fixedRows > 2 ? "v43" : "v42";
        answers_.templateFile = Text("path");
    } else {
        // Coming back must not read a template the user turned away from.
        answers_.templateKind.clear();
        answers_.templateFile.clear();
    }
}

Result<void> ImportPage::OnPress(const std::string&)
{
    SHIFTEX_ASSERT(false && "the import page has no buttons");
    return {};
}

} // namespace shiftex
