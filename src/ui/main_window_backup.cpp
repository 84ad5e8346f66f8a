// The automatic backup: its timer, the backup of every open schedule, and the backup status
// panel with its pop-up menu.
#include "ui/main_window.h"

#include "ui/schedule_window.h"
#include "ui/status_panels.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <vector>

namespace shiftex {

namespace {

// The backup timer as the core sees it.
class QtBackupTimer final : public BackupTimer {
public:
    explicit QtBackupTimer(QTimer& timer) : timer_(timer) {}
    void Start(int milliseconds) override { timer_.start(milliseconds); }
    void Stop() override { timer_.stop(); }
    bool IsRunning() const override { return timer_.isActive(); }

private:
    QTimer& timer_;
};

std::tm LocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

void MainWindow::initBackup()
{
    backupTimer_ = new QTimer(this);
    backupTimer_->setObjectName(QStringLiteral("backupTimer"));
    backupStatusTimer_ = new QTimer(this);
    backupStatusTimer_->setObjectName(QStringLiteral("backupStatusTimer"));
    backupStatusTimer_->setSingleShot(true);
    backupStatusTimer_->setInterval(kBackupStatusMilliseconds);
    backupTimerControl_ = std::make_unique<QtBackupTimer>(*backupTimer_);
    backup_ = std::make_unique<AutomaticBackup>(
        *windowSettings_, *windowMessages_, *backupTimerControl_,
        std::filesystem::path(QFile::encodeName(programFolder_).toStdString()));
    connect(backupTimer_, &QTimer::timeout, this, &MainWindow::RunBackup);
    connect(backupStatusTimer_, &QTimer::timeout, this, &MainWindow::backupStatusElapsed);
    connect(status_, &StatusPanels::backupPanelDoubleClicked, this, [this] {
        if (!status_->text(1).isEmpty())
            OpenOptions(options::kOptions, options::kBackup);
    });
    connect(status_, &StatusPanels::backupPanelMenuRequested, this, [this](const QPoint& at) {
        std::unique_ptr<QMenu> menu(createBackupMenu());
        menu->exec(at);
    });
}

QMenu* MainWindow::createBackupMenu()
{
    auto* menu = new QMenu(this);
    menu->setToolTipsVisible(true);
    QAction* view = menu->addAction(QString::fromUtf8(kViewBackupFolderCaption));
    view->setObjectName(QStringLiteral("viewBackupFolder"));
    view->setStatusTip(QString::fromUtf8(kViewBackupFolderHint));
    view->setToolTip(view->statusTip());
    connect(view, &QAction::triggered, this, &MainWindow::viewBackupFolder);
    QAction* settings = menu->addAction(QString::fromUtf8(kGoToBackupSettingsCaption));
    settings->setObjectName(QStringLiteral("goToBackupSettings"));
    settings->setStatusTip(QString::fromUtf8(kGoToBackupSettingsHint));
    settings->setToolTip(settings->statusTip());
    // The settings belong to the options dialog, which works on an open schedule.
    settings->setVisible(activeScheduleWindow() != nullptr);
    connect(settings, &QAction::triggered, this,
            [this] { OpenOptions(options::kOptions, options::kBackup); });
    return menu;
}

void MainWindow::viewBackupFolder()
{
    ShellOpen(*shell_, *messages_, backup_->Folder().string());
}

void MainWindow::RunBackup()
{
    // A tick that comes while the last one still writes waits for the next.
    if (backingUp_)
        return;
    backingUp_ = true;
    std::vector<const ScheduleDocument*> documents;
    for (const ScheduleWindow* window : scheduleWindows())
        documents.push_back(&window->document());
    QProgressBar* bar = status_->backupProgress();
    bar->setRange(0, std::max<int>(1, static_cast<int>(documents.size())));
    bar->setValue(0);
    bar->show();
    backup_->Tick(documents, closeGuard_, LocalTime(), [bar](int done, int) {
        bar->setValue(done);
        // The bar is drawn; a window asked to close meanwhile says it must wait.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    backingUp_ = false;
    showCloseStatus();
    showBackupStatus();
    backupStatusTimer_->start();
}

void MainWindow::showBackupStatus()
{
    const BackupStatus& status = backup_->status();
    status_->setBackupStatus(QString::fromStdString(status.text), status.icon,
                             QString::fromStdString(status.hint));
}

void MainWindow::backupStatusElapsed()
{
    status_->backupProgress()->hide();
    backup_->StatusTimerElapsed();
    showBackupStatus();
}

} // namespace shiftex
