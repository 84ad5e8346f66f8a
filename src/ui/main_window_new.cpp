// File > "&New": the new-schedule wizard and the window of the schedule it builds.
#include "ui/main_window.h"

#include "ui/schedule_window.h"
#include "ui/wizard_dialog.h"

#include <QApplication>
#include <QDate>

namespace shiftex {

void MainWindow::newSchedule()
{
    if (wizard_ == nullptr) {
        // One wizard for the whole program, filled afresh each time.
        wizard_ = new WizardDialog(programFolder_, *windowMessages_, windowSettings_.get(), this);
        connect(wizard_, &QDialog::accepted, this, &MainWindow::openNewSchedule);
        connect(wizard_, &QDialog::finished, this, [this] { closeGuard_.readyForClose = true; });
    }
    wizard_->start(QDate::currentDate());
    wizard_->open();
}

void MainWindow::dropWizard()
{
    delete wizard_;
    wizard_ = nullptr;
}

void MainWindow::openNewSchedule()
{
    std::optional<ScheduleDocument> document = wizard_->takeDocument();
    if (!document)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    AddScheduleWindow(std::move(*document));
    QApplication::restoreOverrideCursor();
}

} // namespace shiftex
