#include "ui/main_window.h"

#include "app/opening.h"
#include "app/recent_files.h"
#include "editing/schedule_session.h"
#include "files/schedule_text.h"
#include "platform/help_collection.h"
#include "platform/program_folder.h"
#include "platform/qt_message_sink.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_shell.h"
#include "platform/qt_startup_services.h"
#include "platform/qt_text_metrics.h"
#include "ui/about_window.h"
#include "ui/file_dialogs.h"
#include "ui/help_topic.h"
#include "ui/help_window.h"
#include "ui/icons.h"
#include "ui/main_commands.h"
#include "ui/report_commands.h"
#include "ui/schedule_window.h"
#include "ui/sheet_view.h"
#include "ui/status_panels.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace shiftex {

namespace {

constexpr int kLoadingStatusMs = 300;
constexpr int kEventsEveryLines = 256;

std::filesystem::path LocalPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

class ForwardingSink final : public MessageSink {
public:
    explicit ForwardingSink(const MainWindow& window) : window_(&window) {}
    void Information(const std::string& text) override { window_->messages().Information(text); }
    void Error(const std::string& text) override { window_->messages().Error(text); }
    Answer Question(const std::string& text, QuestionButtons buttons) override
    {
        return window_->messages().Question(text, buttons);
    }

private:
    const MainWindow* window_;
};

class ForwardingSettings final : public SettingsStore {
public:
    explicit ForwardingSettings(const MainWindow& window) : window_(&window) {}
    bool KeyExists(SettingsScope scope, std::string_view key) const override
    {
        return window_->settings().KeyExists(scope, key);
    }
    bool CreateKey(SettingsScope scope, std::string_view key) override
    {
        return window_->settings().CreateKey(scope, key);
    }
    std::optional<std::string> ReadValue(SettingsScope scope, std::string_view key,
                                         std::string_view name) const override
    {
        return window_->settings().ReadValue(scope, key, name);
    }
    bool WriteValue(SettingsScope scope, std::string_view key, std::string_view name,
                    std::string_view value) override
    {
        return window_->settings().WriteValue(scope, key, name, value);
    }

private:
    const MainWindow* window_;
};

// The Workinglist entries, each with the summary it shows and hides.
struct SummaryEntry {
    SummaryKind kind;
    MainCommand command;
};
constexpr SummaryEntry kSummaryEntries[] = {
    {SummaryKind::CustomQuery, MainCommand::ViewCustomQuery},
    {SummaryKind::EmployeesPerType, MainCommand::ViewEmployeesTypes},
    {SummaryKind::TypesPerDay, MainCommand::ViewTypesDays},
    {SummaryKind::WorkedHours, MainCommand::ViewWorkedHours},
};

// "View ..." captions while no schedule is open.
QString HiddenCaption(SummaryKind kind)
{
    static ScheduleDocument none;
    return QString::fromStdString(SummarySet(none).MenuCaption(kind));
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      mdiArea_(new QMdiArea(this)),
      status_(new StatusPanels),
      loadingTimer_(new QTimer(this)),
      messages_(std::make_unique<QtMessageSink>(this)),
      settings_(std::make_unique<QtSettingsStore>()),
      shell_(std::make_unique<QtShell>()),
      windowMessages_(std::make_unique<ForwardingSink>(*this)),
      windowSettings_(std::make_unique<ForwardingSettings>(*this)),
      printer_(std::make_unique<QPrinter>()),
      links_(BuiltInShellLinks()),
      programFolder_(ProgramFolder())
{
    setWindowTitle(QString::fromStdString(MainCaption()));
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    setCentralWidget(mdiArea_);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(true);
    loadingTimer_->setSingleShot(true);
    loadingTimer_->setInterval(kLoadingStatusMs);
    connect(loadingTimer_, &QTimer::timeout, this, &MainWindow::clearLoadingStatus);

    commands_ = new MainCommands(*this);
    initBackup();
    bindOwnCommands();
    initWarnings();
    reports_ = new ReportCommands(*this);
    connect(menu(MainMenu::File), &QMenu::aboutToShow, this, &MainWindow::updateFileMenu);
    connect(menu(MainMenu::Edit), &QMenu::aboutToShow, this, &MainWindow::updateEditMenu);
    connect(menu(MainMenu::Workinglist), &QMenu::aboutToShow, this, &MainWindow::updateActions);
    connect(menu(MainMenu::Options), &QMenu::aboutToShow, this, &MainWindow::updateOptionsMenu);
    connect(menu(MainMenu::Window), &QMenu::aboutToShow, this, &MainWindow::updateWindowMenu);
    connect(reopenMenu(), &QMenu::aboutToShow, this, &MainWindow::RefreshRecentMenu);
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* entry = reopenMenu()->addAction(QString());
        entry->setVisible(false);
        entry->setStatusTip(reopenMenu()->menuAction()->statusTip());
        connect(entry, &QAction::triggered, this, [this, entry] {
            OpenScheduleFile(entry->text());
        });
        reopenActions_ << entry;
    }
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MainWindow::updateActions);
    updateActions();
    resize(1024, 700);
}

MainWindow::~MainWindow()
{
    // Schedule windows go before the message sink they may still report to, the help window
    // before the help it reads, the options dialog before the backup it shows.
    dropOptions();
    delete mdiArea_;
    mdiArea_ = nullptr;
    if (ProgramHelpWindow() == helpWindow_)
        SetProgramHelpWindow(nullptr);
    delete helpWindow_;
    helpWindow_ = nullptr;
}

void MainWindow::bindOwnCommands()
{
    using C = MainCommand;
    bindCommand(C::New, [this] { newSchedule(); });
    const auto onActive = [this](auto command) {
        return [this, command] {
            if (ScheduleWindow* active = activeScheduleWindow())
                (active->*command)();
        };
    };
    bindCommand(C::Open, [this] { openFromDialog(); });
    bindCommand(C::Save, [this] { SaveActive(); });
    bindCommand(C::SaveAs, [this] { SaveActiveAs(); });
    bindCommand(C::PrinterSettings, [this] { showPrinterSettings(); });
    bindCommand(C::Close, [this] { mdiArea_->closeActiveSubWindow(); });
    bindCommand(C::Exit, [this] { close(); });

    bindCommand(C::Undo, onActive(&ScheduleWindow::undo));
    bindCommand(C::Redo, onActive(&ScheduleWindow::redo));
    bindCommand(C::Cut, onActive(&ScheduleWindow::cut));
    bindCommand(C::Copy, onActive(&ScheduleWindow::copy));
    bindCommand(C::Paste, onActive(&ScheduleWindow::paste));
    bindCommand(C::SelectAll, onActive(&ScheduleWindow::selectAll));
    for (const SummaryEntry& entry : kSummaryEntries) {
        const SummaryKind kind = entry.kind;
        bindCommand(entry.command, [this, kind] {
            if (ScheduleWindow* active = activeScheduleWindow())
                active->toggleSummary(kind);
        });
    }
    // Both empty the history once more before the command does.
    const auto departments = [this](bool show) {
        return [this, show] {
            ScheduleWindow* active = activeScheduleWindow();
            if (active == nullptr)
                return;
            active->session().ResetUndo();
            if (show)
                active->showDepartments();
            else
                active->hideDepartments();
        };
    };
    bindCommand(C::HideDepartments, departments(false));
    bindCommand(C::ShowDepartments, departments(true));
    bindOptionsCommands();

    bindCommand(C::Tile, [this] { TileSideBySide(); });
    bindCommand(C::Cascade, [this] { mdiArea_->cascadeSubWindows(); });
    bindCommand(C::ArrangeAll, [this] { ArrangeMinimised(); });
    bindCommand(C::ToggleVisibleWindows, [this] { HideSummaryPanels(); });

    const auto contents = [this] {
        if (helpWindow_ != nullptr)
            helpWindow_->showContents();
    };
    bindCommand(C::HelpIndex, contents);
    bindCommand(C::ShowHelpFile, contents);
    bindCommand(C::SearchKeyword, [this] {
        if (helpWindow_ != nullptr)
            helpWindow_->showKeywordSearch();
    });
    bindCommand(C::FaqOnline, [this] { OpenWebPage(WebPage::Faq); });
    bindCommand(C::HelpOnline, [this] { OpenWebPage(WebPage::Screenshots); });
    bindCommand(C::About, [this] { aboutWindow()->showModal(false); });
}

void MainWindow::bindCommand(MainCommand command, std::function<void()> handler)
{
    commands_->bind(command, std::move(handler));
    updateActions();
}

QMenu* MainWindow::printMenu() const { return commands_->printMenu(); }

QAction* MainWindow::commandAction(MainCommand command) const { return commands_->action(command); }

QAction* MainWindow::toolAction(MainCommand command) const
{
    return commands_->toolAction(command);
}

QMenu* MainWindow::menu(MainMenu which) const { return commands_->menu(which); }

QToolBar* MainWindow::mainToolBar() const { return commands_->toolBar(); }

QMenu* MainWindow::reopenMenu() const { return commands_->reopenMenu(); }

QAction* MainWindow::summaryAction(SummaryKind kind) const
{
    for (const SummaryEntry& entry : kSummaryEntries)
        if (entry.kind == kind)
            return commandAction(entry.command);
    return nullptr;
}

QLabel* MainWindow::loadingLabel() const { return status_->panel(0); }

QProgressBar* MainWindow::loadingProgress() const { return status_->loadingProgress(); }

void MainWindow::SetStatus(int panel, const QString& text) { status_->setText(panel, text); }

void MainWindow::Startup()
{
    QtStartupServices services([this](const std::string& folder) {
        return LoadHelp(QString::fromStdString(folder));
    });
    Startup(services);
}

void MainWindow::Startup(StartupServices& services)
{
    startup_ = RunStartup(services, *settings_, *messages_);
    setWindowTitle(QString::fromStdString(startup_.caption));
    SetProgramFolder(QString::fromStdString(startup_.programFolder));
    backup_->Start(startup_.backup);
}

bool MainWindow::LoadHelp(const QString& folder)
{
    if (ProgramHelpWindow() == helpWindow_)
        SetProgramHelpWindow(nullptr);
    delete helpWindow_;
    helpWindow_ = nullptr;
    if (help_ == nullptr)
        help_ = new HelpCollection(this);
    if (!help_->Load(folder, InstalledDataFolder()))
        return false;
    helpWindow_ = new HelpWindow(*help_);
    SetProgramHelpWindow(helpWindow_);
    return true;
}

AboutWindow* MainWindow::aboutWindow()
{
    if (about_ == nullptr) {
        about_ = new AboutWindow(this);
        connect(about_, &AboutWindow::websiteRequested, this,
                [this] { OpenWebPage(WebPage::Product); });
        connect(about_, &AboutWindow::mailRequested, this, &MainWindow::OpenMailLink);
    }
    return about_;
}

void MainWindow::OpenWebPage(WebPage page)
{
    const WebTarget target = WebPageTarget(page, links_);
    if (!target.address.empty())
        ShellOpen(*shell_, *messages_, target.address);
    else
        ShowHelpTopic(target.helpTopic);
}

void MainWindow::OpenMailLink() { shiftex::OpenMailLink(*shell_, *messages_, links_.supportAddress); }

void MainWindow::SetShell(std::unique_ptr<Shell> shell)
{
    if (shell)
        shell_ = std::move(shell);
}

void MainWindow::showPrinterSettings()
{
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

void MainWindow::TileSideBySide()
{
    // Side by side: one column per window that is not minimised, each as high as the area.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder))
        if (!sub->isMinimized() && !sub->isHidden())
            windows << sub;
    if (windows.isEmpty())
        return;
    const QRect area = mdiArea_->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    const int width = std::max(1, area.width() / count);
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* sub = windows[i];
        if (sub->isMaximized())
            sub->showNormal();
        const int right = i + 1 == count ? area.right() + 1 : (i + 1) * width;
        sub->setGeometry(i * width, 0, right - i * width, area.height());
    }
}

void MainWindow::ArrangeMinimised()
{
    // The minimised windows in a row along the bottom edge, left to right.
    const QRect area = mdiArea_->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        sub->move(x, y - size.height());
        x += size.width();
    }
}

void MainWindow::HideSummaryPanels()
{
    if (ScheduleWindow* active = activeScheduleWindow())
        active->hideAllSummaries();
}

void MainWindow::SetProgramFolder(const QString& folder)
{
    programFolder_ = folder;
    dropWizard();
    dropOptions();
    backup_->SetProgramFolder(LocalPath(folder));
    for (ScheduleWindow* window : scheduleWindows())
        window->setProgramFolder(folder);
}

void MainWindow::SetSettingsStore(std::unique_ptr<SettingsStore> settings)
{
    if (settings)
        settings_ = std::move(settings);
}

void MainWindow::RefreshRecentMenu()
{
    const std::optional<RecentMenu> recent = RecentFiles(*settings_);
    if (!recent)
        return;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::optional<std::string>& caption = (*recent)[static_cast<std::size_t>(i)];
        reopenActions_[i]->setVisible(caption.has_value());
        reopenActions_[i]->setText(caption ? QString::fromStdString(*caption) : QString());
    }
}

// Every command by the rules of the table, then the states of their own: Save follows the
// active document's modified flag, Undo and Redo its history, the clipboard its selection.
void MainWindow::updateActions()
{
    if (commands_ == nullptr)
        return;
    const ScheduleWindow* active = activeScheduleWindow();
    const bool any = active != nullptr;
    commands_->enableFor(any);
    // The menus that need a schedule wait for one.
    for (MainMenu each : {MainMenu::Edit, MainMenu::Workinglist, MainMenu::Options})
        menu(each)->menuAction()->setEnabled(any);
    const bool modified = any && active->document().modified;
    for (QAction* save : {saveAction(), toolAction(MainCommand::Save)})
        save->setEnabled(modified);
    // Each schedule window keeps its own history: the active one decides.
    for (QAction* undo : {undoAction(), toolAction(MainCommand::Undo)})
        undo->setEnabled(any && active->canUndo());
    for (QAction* redo : {redoAction(), toolAction(MainCommand::Redo)})
        redo->setEnabled(any && active->canRedo());
    const ScheduleSession* session = any ? &active->session() : nullptr;
    const bool focused = any && session->editState().sheetFocused;
    for (QAction* action : {cutAction(), copyAction(), pasteAction()})
        action->setEnabled(focused);
    cutToolAction()->setEnabled(any && session->sheetEdits().CutEnabled());
    copyToolAction()->setEnabled(any && session->sheetEdits().CopyEnabled());
    pasteToolAction()->setEnabled(any && session->sheetEdits().PasteEnabled());
    for (const SummaryEntry& entry : kSummaryEntries) {
        const QString caption =
            any ? QString::fromStdString(session->summaries().MenuCaption(entry.kind))
                : HiddenCaption(entry.kind);
        commandAction(entry.command)->setText(caption);
    }
}

void MainWindow::updateFileMenu()
{
    updateActions();
    // Opening the menu offers every file command of a schedule while one is open.
    const bool any = activeScheduleWindow() != nullptr;
    if (commands_->isBound(MainCommand::Save))
        saveAction()->setEnabled(any);
}

void MainWindow::updateEditMenu()
{
    updateActions();
    // Opening the menu offers Cut, Copy and Paste of the active schedule.
    const bool any = activeScheduleWindow() != nullptr;
    for (QAction* action : {cutAction(), copyAction(), pasteAction()})
        action->setEnabled(any);
}

void MainWindow::updateOptionsMenu()
{
    updateActions();
    const ScheduleWindow* active = activeScheduleWindow();
    const bool shown =
        active != nullptr && active->session().structuralEdits().DepartmentViewShown();
    hideDepartmentsAction()->setVisible(shown);
    showDepartmentsAction()->setVisible(!shown);
}

void MainWindow::updateWindowMenu()
{
    // The open schedule windows below the arrangements, the active one checked.
    QMenu* window = menu(MainMenu::Window);
    qDeleteAll(windowListActions_);
    windowListActions_.clear();
    const QList<QMdiSubWindow*> subs = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    windowListActions_ << window->addSeparator();
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    int number = 0;
    for (QMdiSubWindow* sub : subs) {
        ++number;
        QString title = sub->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString caption = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                            : QStringLiteral("%1 %2").arg(number).arg(title);
        QAction* entry = window->addAction(caption);
        entry->setCheckable(true);
        entry->setChecked(sub == active);
        QPointer<QMdiSubWindow> target(sub);
        connect(entry, &QAction::triggered, this, [this, target] {
            if (target)
                mdiArea_->setActiveSubWindow(target);
        });
        windowListActions_ << entry;
    }
}

void MainWindow::SetMessageSink(std::unique_ptr<MessageSink> sink)
{
    if (sink)
        messages_ = std::move(sink);
}

ScheduleWindow* MainWindow::activeScheduleWindow() const
{
    if (mdiArea_ == nullptr)
        return nullptr;
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    if (sub == nullptr) {
        const auto list = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (list.isEmpty())
            return nullptr;
        sub = list.last();
    }
    return qobject_cast<ScheduleWindow*>(sub->widget());
}

QList<ScheduleWindow*> MainWindow::scheduleWindows() const
{
    QList<ScheduleWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        if (auto* window = qobject_cast<ScheduleWindow*>(sub->widget()))
            windows << window;
    }
    return windows;
}

QString MainWindow::dialogFolder() const
{
    // The documents folder found at start-up; without one the dialog's own default.
    return QString::fromStdString(startup_.documentsFolder);
}

void MainWindow::openFromDialog()
{
    QFileDialog dialog(this, QStringLiteral("Open Shiftex File"), dialogFolder(),
                       ScheduleFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("SXT"));
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    OpenScheduleFile(dialog.selectedFiles().constFirst());
}

ScheduleWindow* MainWindow::OpenScheduleFile(const QString& path)
{
    std::vector<std::string> openPaths;
    for (const ScheduleWindow* window : scheduleWindows())
        openPaths.push_back(window->document().filePath);

    loadingTimer_->stop();
    QProgressBar* bar = status_->loadingProgress();
    SetStatus(0, QStringLiteral("loading :"));
    bar->setRange(0, 0);
    bar->setValue(0);
    bar->show();

    int lastEvents = 0;
    const LoadProgress progress = [bar, &lastEvents](int line, int lineCount) {
        if (bar->maximum() != lineCount)
            bar->setMaximum(lineCount);
        bar->setValue(std::clamp(line, 0, lineCount));
        if (line - lastEvents >= kEventsEveryLines || line < lastEvents) {
            lastEvents = line;
            // Keep the progress bar drawn; clicks wait until the document is complete.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    };

    std::optional<ScheduleDocument> document;
    try {
        document = shiftex::OpenScheduleFile(openPaths, path.toStdString(),
                                             LocalPath(programFolder_), *messages_, *settings_,
                                             progress, QtTextMetrics(font()));
    } catch (const std::exception&) {
        messages_->Error(kDamagedFileMessage);
    }
    loadingTimer_->start();
    if (!document)
        return nullptr;

    return AddScheduleWindow(std::move(*document));
}

ScheduleWindow* MainWindow::AddScheduleWindow(ScheduleDocument document)
{
    const QMdiSubWindow* previous = mdiArea_->activeSubWindow();
    const bool maximise = previous == nullptr || previous->isMaximized();
    auto* window =
        new ScheduleWindow(std::move(document), *windowMessages_, windowSettings_.get());
    window->session().SetModifiedListener([this] { updateActions(); });
    window->setProgramFolder(programFolder_);
    window->setCloseGuard(&closeGuard_);
    connect(window, &ScheduleWindow::stateChanged, this, &MainWindow::updateActions);
    watchWarnings(window);
    connect(window, &ScheduleWindow::optionsRequested, this,
            [this](int panel, int item, std::optional<std::string> code) {
                OpenOptions(panel, item, std::move(code));
            });
    connect(window, &ScheduleWindow::closeAnswered, this, [this] {
        showCloseStatus();
        updateActions();
    });
    QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QObject::destroyed, this, &MainWindow::updateActions, Qt::QueuedConnection);
    if (maximise)
        sub->showMaximized();
    else
        sub->show();
    window->sheetView()->setFocus();
    updateActions();
    return window;
}

QString MainWindow::chooseSaveFile() const
{
    if (saveFileChooser_)
        return saveFileChooser_();
    QFileDialog dialog(const_cast<MainWindow*>(this), QStringLiteral("Save Shiftex File"),
                       dialogFolder(), ScheduleFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("SXT"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool MainWindow::SaveActive()
{
    ScheduleWindow* window = activeScheduleWindow();
    if (window == nullptr)
        return false;
    if (!HasOwnFile(window->document()))
        return SaveActiveAs();
    const bool saved = SaveScheduleAs(window->session().document(), window->document().filePath,
                                      *messages_, *settings_);
    window->refreshTitle();
    updateActions();
    return saved;
}

bool MainWindow::SaveActiveAs()
{
    ScheduleWindow* window = activeScheduleWindow();
    if (window == nullptr)
        return false;
    const QString path = chooseSaveFile();
    if (path.isEmpty())
        return false;
    const bool saved =
        SaveScheduleAs(window->session().document(), path.toStdString(), *messages_, *settings_);
    window->refreshTitle();
    updateActions();
    return saved;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    if (OpenDroppedFiles(event->mimeData()->urls()))
        event->acceptProposedAction();
}

bool MainWindow::OpenDroppedFiles(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        // A drop before the start-up file was opened replaces it.
        startupFile_.clear();
        OpenScheduleFile(url.toLocalFile());
        return true;
    }
    return false;
}

void MainWindow::showCloseStatus()
{
    if (closeGuard_.statusText.empty())
        return;
    loadingTimer_->stop();
    status_->loadingProgress()->hide();
    SetStatus(0, QString::fromStdString(closeGuard_.statusText));
    closeGuard_.statusText.clear();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The windows open now, asked in turn; one that closed is gone from the list.
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (qobject_cast<ScheduleWindow*>(sub->widget()) != nullptr)
            windows << sub;
    qsizetype next = 0;
    const auto closeFirst = [&windows, &next] {
        while (next < windows.size()) {
            const QPointer<QMdiSubWindow> sub = windows[next++];
            if (sub)
                return sub->close();
        }
        return true;
    };
    const bool exit = ConfirmExit(closeGuard_, *messages_, static_cast<int>(windows.size()),
                                  closeFirst);
    showCloseStatus();
    updateActions();
    if (exit) {
        if (helpWindow_ != nullptr)
            helpWindow_->close();
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::clearLoadingStatus()
{
    SetStatus(0, QString());
    status_->loadingProgress()->hide();
}

bool MainWindow::event(QEvent* event)
{
    // The hints of menus and buttons go to the first panel, never over the whole status bar.
    if (event->type() == QEvent::StatusTip) {
        status_->showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // After the window has appeared, and only once per run.
    QTimer::singleShot(0, this, &MainWindow::firstActivation);
}

void MainWindow::firstActivation()
{
    if (splashEnabled_)
        aboutWindow()->showModal(true);
    openStartupFile();
}

void MainWindow::openStartupFile()
{
    const QString path = startupFile_;
    startupFile_.clear();
    if (path.isEmpty())
        return;
    // Only a file is opened: anything else named on the command line is passed over quietly.
    bool opened = false;
    if (QFileInfo(path).isFile())
        opened = OpenScheduleFile(path) != nullptr;
    emit startupFileHandled(opened);
}

} // namespace shiftex
