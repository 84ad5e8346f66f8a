// The main window's part of the working-time warnings: the Options command and its dialog, the
// list of findings as a dock, and their count in the status bar.
#include "app/working_time_settings.h"
#include "ui/main_window.h"
#include "ui/schedule_window.h"
#include "ui/working_time_dialog.h"
#include "ui/working_time_list.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QToolButton>

namespace shiftex {

namespace {

constexpr int kDockHeight = 130;

QString CountText(const ScheduleWindow& window)
{
    const WorkingTimeWarnings& warnings = window.warnings();
    if (!warnings.limits().enabled)
        return QObject::tr("Working-time warnings off");
    if (!warnings.error().empty())
        return QObject::tr("Working-time warnings stopped");
    const int count = warnings.Count();
    if (count == 0)
        return QObject::tr("No working-time warnings");
    return count == 1 ? QObject::tr("1 working-time warning")
                      : QObject::tr("%1 working-time warnings").arg(count);
}

} // namespace

void MainWindow::initWarnings()
{
    warningsDock_ = new WorkingTimeDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, warningsDock_);
    // A few lines of warnings; the schedules keep the room.
    resizeDocks({warningsDock_}, {kDockHeight}, Qt::Vertical);
    // The list shows itself when there is something to warn about, until the user closes it.
    warningsDock_->hide();
    connect(warningsDock_, &WorkingTimeDock::closedByUser, this,
            [this] { warningsDockClosed_ = true; });
    connect(warningsDock_, &WorkingTimeDock::findingActivated, this,
            [this](const WorkingTimeFinding& finding) {
                if (ScheduleWindow* active = activeScheduleWindow())
                    active->showFinding(finding);
            });

    warningsCount_ = new QToolButton;
    warningsCount_->setObjectName(QStringLiteral("WorkingTimeCount"));
    warningsCount_->setAutoRaise(true);
    warningsCount_->setToolTip(tr("Show the list of working-time warnings"));
    connect(warningsCount_, &QToolButton::clicked, this, [this] {
        warningsDockClosed_ = false;
        warningsDock_->show();
        warningsDock_->raise();
    });
    statusBar()->addPermanentWidget(warningsCount_);

    bindCommand(MainCommand::WorkingTimeRules, [this] { EditWorkingTimeRules(); });
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MainWindow::refreshWarnings);
    refreshWarnings();
}

void MainWindow::watchWarnings(ScheduleWindow* window)
{
    connect(window, &ScheduleWindow::warningsChanged, this, [this, window] {
        if (window == activeScheduleWindow())
            refreshWarnings();
    });
    connect(window, &QObject::destroyed, this, &MainWindow::refreshWarnings,
            Qt::QueuedConnection);
}

void MainWindow::refreshWarnings()
{
    if (warningsDock_ == nullptr)
        return;
    const ScheduleWindow* active = activeScheduleWindow();
    if (active == nullptr) {
        warningsDock_->setFindings({}, {}, {});
        warningsCount_->hide();
        return;
    }
    const WorkingTimeWarnings& warnings = active->warnings();
    warningsDock_->setFindings(warnings.Findings(), warnings.limits(),
                               QString::fromStdString(warnings.error()));
    warningsCount_->setText(CountText(*active));
    warningsCount_->show();
    if (warnings.Count() > 0 && !warningsDockClosed_)
        warningsDock_->show();
}

void MainWindow::EditWorkingTimeRules()
{
    WorkingTimeDialog dialog(this);
    dialog.setLimits(ReadWorkingTimeLimits(*settings_));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const WorkingTimeLimits limits = dialog.limits();
    if (!WriteWorkingTimeLimits(*settings_, limits))
        messages_->Error("The working-time rules could not be kept in the settings.");
    // They apply to the open schedules all the same.
    for (ScheduleWindow* window : scheduleWindows())
        window->setWorkingTimeLimits(limits);
    refreshWarnings();
}

} // namespace shiftex
