#pragma once

#include "app/automatic_backup.h"
#include "app/main_menu.h"
#include "app/shell_links.h"
#include "app/shell_open.h"
#include "app/startup.h"
#include "editing/schedule_closing.h"
#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "model/settings_store.h"
#include "summaries/summary_set.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QProgressBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace shiftex {

class AboutWindow;
class HelpCollection;
class HelpWindow;
class MainCommands;
class OptionsDialogWindow;
class ReportCommands;
class ScheduleWindow;
class StatusPanels;
class WizardDialog;
class WorkingTimeDock;

// The multiple-document main window: one child window per open schedule, the menu bar and tool
// bar of every command, the status bar, the help and the About window.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up steps, before the window is first shown: caption, program folder, help,
    // file type, date format, settings and the notice for a small screen. Without services the
    // desktop's own are used.
    void Startup();
    void Startup(StartupServices& services);
    const StartupState& startupState() const { return startup_; }

    // Opens a schedule file of either form into a new schedule window; null when it could not
    // be opened (the reason has been reported). Every way of opening comes here.
    ScheduleWindow* OpenScheduleFile(const QString& path);
    // A loaded document in a new schedule window.
    ScheduleWindow* AddScheduleWindow(ScheduleDocument document);
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
    // Whether the first activation shows the About window as a splash (the program does;
    // windows made for tests do not unless they ask).
    void SetSplashEnabled(bool enabled) { splashEnabled_ = enabled; }
    // Every message box goes through this sink; tests put a recording one in.
    void SetMessageSink(std::unique_ptr<MessageSink> sink);
    MessageSink& messages() const { return *messages_; }
    // A sink that always passes on to the present messages(): for windows that outlive a test's
    // change of sink.
    MessageSink& forwardingMessages() const { return *windowMessages_; }
    // Web pages, folders and mail links open through this; tests put a recording one in.
    void SetShell(std::unique_ptr<Shell> shell);
    // The web pages and support address; the build's unless a test puts others in.
    void SetShellLinks(const ShellLinks& links) { links_ = links; }
    // Holiday templates are read below this folder (ends in "/").
    QString programFolder() const { return programFolder_; }
    void SetProgramFolder(const QString& folder);
    // What closing the schedule windows and the program goes by.
    CloseGuard& closeGuard() { return closeGuard_; }

    // The commands of the menu bar and the tool bar. Another window binds its command with
    // one line: bindCommand(MainCommand::Export, [this] { ... }); until then it is disabled.
    void bindCommand(MainCommand command, std::function<void()> handler);
    QAction* commandAction(MainCommand command) const;
    QAction* toolAction(MainCommand command) const;
    QMenu* menu(MainMenu menu) const;
    QToolBar* mainToolBar() const;
    // The printer that "Printer &Settings ..." sets up, for every printing command.
    QPrinter& printer() const { return *printer_; }
    // The "&Print" submenu of the File menu.
    QMenu* printMenu() const;
    // Printing, export, the calendars and the bar schedule (ui/report_commands).
    ReportCommands* reports() const { return reports_; }

    QMdiArea* mdiArea() const { return mdiArea_; }
    ScheduleWindow* activeScheduleWindow() const;
    QList<ScheduleWindow*> scheduleWindows() const;
    // The status bar: SetStatus writes a panel (0 messages, 1 backup status, 2 the rest).
    void SetStatus(int panel, const QString& text);
    StatusPanels* statusPanels() const { return status_; }
    // The loading text (the first panel) and progress bar in the status bar.
    QLabel* loadingLabel() const;
    QProgressBar* loadingProgress() const;
    QAction* saveAction() const { return commandAction(MainCommand::Save); }
    // Edit menu and tool bar: they act on the active schedule window.
    QAction* undoAction() const { return commandAction(MainCommand::Undo); }
    QAction* redoAction() const { return commandAction(MainCommand::Redo); }
    // Cut, Copy, Paste and "&Select All" of the Edit menu, and the tool buttons of the first
    // three, which have states of their own.
    QAction* cutAction() const { return commandAction(MainCommand::Cut); }
    QAction* copyAction() const { return commandAction(MainCommand::Copy); }
    QAction* pasteAction() const { return commandAction(MainCommand::Paste); }
    QAction* selectAllAction() const { return commandAction(MainCommand::SelectAll); }
    QAction* cutToolAction() const { return toolAction(MainCommand::Cut); }
    QAction* copyToolAction() const { return toolAction(MainCommand::Copy); }
    QAction* pasteToolAction() const { return toolAction(MainCommand::Paste); }
    QMenu* editMenu() const { return menu(MainMenu::Edit); }
    // The Options menu: the departments view of the active schedule on and off.
    QMenu* optionsMenu() const { return menu(MainMenu::Options); }
    QAction* showDepartmentsAction() const
    {
        return commandAction(MainCommand::ShowDepartments);
    }
    QAction* hideDepartmentsAction() const
    {
        return commandAction(MainCommand::HideDepartments);
    }
    // The Workinglist menu entries that show and hide the summaries of the active window.
    QAction* summaryAction(SummaryKind kind) const;
    QToolBar* editToolBar() const { return mainToolBar(); }
    QMenu* reopenMenu() const;
    // Fills the "&Reopen" entries from the recent files.
    void RefreshRecentMenu();

    // --- New: the new-schedule wizard (main_window_new.cpp) ---
    // File > "&New" (its tool button "Create new workinglist" runs the same command).
    QAction* newAction() const { return commandAction(MainCommand::New); }
    // The one wizard window of the program; null until New was first used.
    WizardDialog* wizardDialog() const { return wizard_; }

    // --- the options dialog (main_window_options.cpp) ---
    // Opens the options dialog on the active schedule with item `item` of panel `panel`; a
    // code, when given, is the working type its working types page chooses.
    void OpenOptions(int panel, int item, std::optional<std::string> code = std::nullopt);
    // The one options dialog of the program; null until it was first opened.
    OptionsDialogWindow* optionsDialog() const { return options_; }

    // --- the automatic backup (main_window_backup.cpp) ---
    AutomaticBackup& backup() const { return *backup_; }
    // The timer that starts every backup, and the one that clears the status after one.
    QTimer* backupTimer() const { return backupTimer_; }
    QTimer* backupStatusTimer() const { return backupStatusTimer_; }
    // Every open schedule into the backup folder, with the progress bar over the third panel;
    // what the backup timer runs.
    void RunBackup();
    // The pop-up menu of the backup status panel.
    QMenu* createBackupMenu();

    // --- the working-time warnings (main_window_warnings.cpp) ---
    // The list of the active schedule's findings, and their count in the status bar (a click
    // shows the list).
    WorkingTimeDock* warningsDock() const { return warningsDock_; }
    QToolButton* warningsCount() const { return warningsCount_; }
    // Options > "Working-time rules ...": the dialog, then the limits kept and applied.
    void EditWorkingTimeRules();

    // Sets up the help of a program folder (start-up does); false when it has none. The help
    // window is then the one ShowHelpTopic opens.
    bool LoadHelp(const QString& programFolder);
    // The help: null until start-up found it.
    HelpWindow* helpWindow() const { return helpWindow_; }
    AboutWindow* aboutWindow();

    // The Window menu's arrangements of the schedule windows.
    void TileSideBySide();
    void ArrangeMinimised();
    // "Toggle visible windows ": the active schedule shows its sheet alone.
    void HideSummaryPanels();
    // The web commands: the page at the build's address, else the shipped help's page.
    void OpenWebPage(WebPage page);
    // The mail link, with "Could not find your default mail client." when it cannot open.
    void OpenMailLink();

signals:
    // After every open attempt of the start-up file, whether it loaded or not.
    void startupFileHandled(bool opened);

protected:
    bool event(QEvent* event) override;
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
    void updateWindowMenu();

private:
    void bindOwnCommands();
    void newSchedule();
    void openNewSchedule();
    void bindOptionsCommands();
    void initWarnings();
    // The list and the count follow the window while it is the active one.
    void watchWarnings(ScheduleWindow* window);
    void refreshWarnings();
    void optionsApplied(bool closeSchedule);
    void dropOptions();
    void initBackup();
    void showBackupStatus();
    void backupStatusElapsed();
    void viewBackupFolder();
    // The wizard is made again for another program folder.
    void dropWizard();
    void firstActivation();
    void openStartupFile();
    void showPrinterSettings();
    QString chooseSaveFile() const;
    QString dialogFolder() const;
    // The close guard's status text in the first status bar panel.
    void showCloseStatus();

    QMdiArea* mdiArea_;
    StatusPanels* status_;
    QTimer* loadingTimer_;
    MainCommands* commands_ = nullptr;
    ReportCommands* reports_ = nullptr;
    std::unique_ptr<MessageSink> messages_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<Shell> shell_;
    // What the schedule windows report to and read from: always this window's present sink and
    // store, even after a test has put others in.
    std::unique_ptr<MessageSink> windowMessages_;
    std::unique_ptr<SettingsStore> windowSettings_;
    std::unique_ptr<QPrinter> printer_;
    HelpCollection* help_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    AboutWindow* about_ = nullptr;
    ShellLinks links_;
    StartupState startup_;
    FileChooser saveFileChooser_;
    QList<QAction*> reopenActions_;
    QList<QAction*> windowListActions_;
    CloseGuard closeGuard_;
    QString programFolder_;
    QString startupFile_;
    bool shownOnce_ = false;
    bool splashEnabled_ = false;
    WizardDialog* wizard_ = nullptr;
    OptionsDialogWindow* options_ = nullptr;
    QPointer<ScheduleWindow> optionsTarget_;
    QTimer* backupTimer_ = nullptr;
    QTimer* backupStatusTimer_ = nullptr;
    std::unique_ptr<BackupTimer> backupTimerControl_;
    std::unique_ptr<AutomaticBackup> backup_;
    bool backingUp_ = false;
    WorkingTimeDock* warningsDock_ = nullptr;
    QToolButton* warningsCount_ = nullptr;
    bool warningsDockClosed_ = false;  // closed by the user: it waits for the count's click
};

} // namespace shiftex
