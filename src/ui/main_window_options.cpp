// The options dialog: opened on the active schedule from the menus, the schedule windows and
// the backup status panel; closing it applies it.
#include "ui/main_window.h"

#include "ui/options_dialog_window.h"
#include "ui/schedule_window.h"

#include <QMdiSubWindow>

namespace shiftex {

void MainWindow::bindOptionsCommands()
{
    using C = MainCommand;
    const auto open = [this](int panel, int item) {
        return [this, panel, item] { OpenOptions(panel, item); };
    };
    bindCommand(C::Settings, open(options::kScheduleSetup, options::kEmployees));
    bindCommand(C::EditEmployees, open(options::kScheduleSetup, options::kEmployees));
    bindCommand(C::EditWorkingHours, open(options::kScheduleSetup, options::kWorkingTypes));
    bindCommand(C::EditCustomQuery, open(options::kScheduleSetup, options::kCustomQuery));
    bindCommand(C::EditHolidays, open(options::kScheduleSetup, options::kHolidays));
}

void MainWindow::OpenOptions(int panel, int item, std::optional<std::string> code)
{
    ScheduleWindow* window = activeScheduleWindow();
    if (window == nullptr || (options_ != nullptr && options_->isVisible()))
        return;
    if (options_ == nullptr) {
        // One dialog for the whole program, filled afresh each time.
        options_ = new OptionsDialogWindow(programFolder_, *windowMessages_,
                                           windowSettings_.get(), *backup_, this);
        OptionsDialog& dialog = options_->dialog();
        dialog.onProductPage = [this] { OpenWebPage(WebPage::Product); };
        dialog.onWebForm = [this] { OpenWebPage(WebPage::WebForm); };
        dialog.onMail = [this] { OpenMailLink(); };
        connect(options_, &OptionsDialogWindow::applied, this, &MainWindow::optionsApplied);
    }
    optionsTarget_ = window;
    const bool opened = options_->start(window->session(), panel, item, std::move(code));
    // The undo history is gone.
    window->refresh();
    if (opened)
        options_->open();
}

void MainWindow::optionsApplied(bool closeSchedule)
{
    ScheduleWindow* window = optionsTarget_;
    optionsTarget_ = nullptr;
    if (window == nullptr)
        return;
    window->settingsChanged();
    updateActions();
    if (closeSchedule) {
        // The backup settings could not be written: the window closes after its question.
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
            sub->close();
    }
}

void MainWindow::dropOptions()
{
    delete options_;
    options_ = nullptr;
}

} // namespace shiftex
