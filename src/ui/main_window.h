#pragma once

#include "app/settings_store.h"
#include "model/message_sink.h"
#include "summaries/summary_set.h"

#include <QList>
#include <QMainWindow>
#include <QString>
#include <QUrl>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QTimer;
class QToolBar;

namespace shiftex {

class ScheduleWindow;

// The multiple-document main window: one child window per open schedule.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a schedule file of either form into a new schedule window; null when it could not
    // be opened (the reason has been reported). Every way of opening comes here.
    ScheduleWindow* OpenScheduleFile(const QString& path);
    // Opens the first local file of a drop; false when the drop holds none.
    bool OpenDroppedFiles(const QList<QUrl>& urls);
    // Save and Save As of the active schedule; false when nothing was written.
    bool SaveActive();
    bool SaveActiveAs();
    // Where Save As writes; the save dialog unless a test puts something else in. An empty
    // answer cancels.
    using FileChooser = std::function<QString()>;
    void SetSaveFileChooser(FileChooser chooser) { saveFileChooser_ = std::move(chooser); }
    void SetSettingsStore(std::unique_ptr<SettingsStore> settings);
    SettingsStore& settings() const { return *settings_; }
    // A file named at start, opened once at the first activation of this window.
    void SetStartupFile(const QString& path) { startupFile_ = path; }
    // Every message box goes through this sink; tests put a recording one in.
    void SetMessageSink(std::unique_ptr<MessageSink> sink);
    MessageSink& messages() const { return *messages_; }
    // Holiday templates are read below this folder (ends in "/").
    QString programFolder() const { return programFolder_; }
    void SetProgramFolder(const QString& folder) { programFolder_ = folder; }

    QMdiArea* mdiArea() const { return mdiArea_; }
    ScheduleWindow* activeScheduleWindow() const;
    QList<ScheduleWindow*> scheduleWindows() const;
    // The loading text and progress bar in the status bar.
    QLabel* loadingLabel() const { return loadingLabel_; }
    QProgressBar* loadingProgress() const { return loadingProgress_; }
    QAction* saveAction() const { return saveAction_; }
    // Edit menu and tool bar: they act on the active schedule window.
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    // The Workinglist menu entries that show and hide the summaries of the active window.
    QAction* summaryAction(SummaryKind kind) const
    {
        return summaryActions_[static_cast<std::size_t>(kind)];
    }
    QToolBar* editToolBar() const { return editToolBar_; }
    QMenu* reopenMenu() const { return reopenMenu_; }
    // Fills the "&Reopen" entries from the recent files.
    void RefreshRecentMenu();

signals:
    // After every open attempt of the start-up file, whether it loaded or not.
    void startupFileHandled(bool opened);

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void openFromDialog();
    void clearLoadingStatus();
    // Save, Undo, Redo and the Workinglist entries as the active schedule window has them.
    void updateActions();
    void updateFileMenu();

private:
    void createMenus();
    void openStartupFile();
    QString chooseSaveFile() const;

    QMdiArea* mdiArea_;
    QLabel* loadingLabel_;
    QProgressBar* loadingProgress_;
    QTimer* loadingTimer_;
    std::unique_ptr<MessageSink> messages_;
    std::unique_ptr<SettingsStore> settings_;
    // What the schedule windows report to and read from: always this window's present sink and
    // store, even after a test has put others in.
    std::unique_ptr<MessageSink> windowMessages_;
    std::unique_ptr<SettingsStore> windowSettings_;
    FileChooser saveFileChooser_;
    QMenu* reopenMenu_ = nullptr;
    QList<QAction*> reopenActions_;
    QAction* saveAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    std::array<QAction*, 4> summaryActions_{};
    QToolBar* editToolBar_ = nullptr;
    QList<QAction*> scheduleActions_;  // enabled while any schedule window is open
    QString programFolder_;
    QString startupFile_;
    bool shownOnce_ = false;
};

} // namespace shiftex
