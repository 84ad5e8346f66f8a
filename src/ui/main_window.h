#pragma once

#include "app/settings_store.h"
#include "model/schedule_document.h"
#include "editing/schedule_closing.h"
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
class WizardDialog;

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
    void SetProgramFolder(const QString& folder);
    // What closing the schedule windows and the program goes by.
    CloseGuard& closeGuard() { return closeGuard_; }

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
    // Cut, Copy, Paste and "&Select All" of the Edit menu, and the tool buttons of the first
    // three, which have states of their own.
    QAction* cutAction() const { return cutAction_; }
    QAction* copyAction() const { return copyAction_; }
    QAction* pasteAction() const { return pasteAction_; }
    QAction* selectAllAction() const { return selectAllAction_; }
    QAction* cutToolAction() const { return cutToolAction_; }
    QAction* copyToolAction() const { return copyToolAction_; }
    QAction* pasteToolAction() const { return pasteToolAction_; }
    QMenu* editMenu() const { return editMenu_; }
    // The Options menu: the departments view of the active schedule on and off.
    QMenu* optionsMenu() const { return optionsMenu_; }
    QAction* showDepartmentsAction() const { return showDepartmentsAction_; }
    QAction* hideDepartmentsAction() const { return hideDepartmentsAction_; }
    // The Workinglist menu entries that show and hide the summaries of the active window.
    QAction* summaryAction(SummaryKind kind) const
    {
        return summaryActions_[static_cast<std::size_t>(kind)];
    }
    QToolBar* editToolBar() const { return editToolBar_; }
    QMenu* reopenMenu() const { return reopenMenu_; }
    // Fills the "&Reopen" entries from the recent files.
    void RefreshRecentMenu();

    // --- New: the new-schedule wizard (main_window_new.cpp) ---
    // File > "&New" and the tool button "Create new workinglist".
    QAction* newAction() const { return newAction_; }
    // The one wizard window of the program; null until New was first used.
    WizardDialog* wizardDialog() const { return wizard_; }
    // A loaded document in a new schedule window.
    ScheduleWindow* AddScheduleWindow(ScheduleDocument document);

signals:
    // After every open attempt of the start-up file, whether it loaded or not.
    void startupFileHandled(bool opened);

protected:
    void showEvent(QShowEvent* event) override;
    // Every schedule window is asked to close, then the user confirms the exit.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void openFromDialog();
    void clearLoadingStatus();
    // Save, Undo, Redo and the Workinglist entries as the active schedule window has them.
    void updateActions();
    void updateFileMenu();
    void updateEditMenu();
    void updateOptionsMenu();

private:
    void createMenus();
    void createNewScheduleAction(QMenu* file);
    void newSchedule();
    void openNewSchedule();
    // The wizard is made again for another program folder.
    void dropWizard();
    void openStartupFile();
    QString chooseSaveFile() const;
    // The close guard's status text in the first status bar panel.
    void showCloseStatus();

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
    QAction* cutAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    QAction* pasteAction_ = nullptr;
    QAction* selectAllAction_ = nullptr;
    QAction* cutToolAction_ = nullptr;
    QAction* copyToolAction_ = nullptr;
    QAction* pasteToolAction_ = nullptr;
    QAction* showDepartmentsAction_ = nullptr;
    QAction* hideDepartmentsAction_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* workinglistMenu_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    CloseGuard closeGuard_;
    std::array<QAction*, 4> summaryActions_{};
    QToolBar* editToolBar_ = nullptr;
    QList<QAction*> scheduleActions_;  // enabled while any schedule window is open
    QString programFolder_;
    QString startupFile_;
    bool shownOnce_ = false;
    QAction* newAction_ = nullptr;
    WizardDialog* wizard_ = nullptr;
};

} // namespace shiftex
