#include "ui/main_window.h"

#include "app/opening.h"
#include "app/recent_files.h"
#include "editing/schedule_session.h"
#include "files/schedule_text.h"
#include "platform/program_folder.h"
#include "platform/qt_message_sink.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_text_metrics.h"
#include "ui/file_dialogs.h"
#include "ui/icons.h"
#include "ui/schedule_window.h"
#include "ui/sheet_view.h"

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
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
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

// The Workinglist entries in menu order, each with its key.
struct SummaryEntry {
    SummaryKind kind;
    Qt::Key key;
};
constexpr SummaryEntry kSummaryEntries[] = {
    {SummaryKind::CustomQuery, Qt::Key_F5},
    {SummaryKind::EmployeesPerType, Qt::Key_F6},
    {SummaryKind::TypesPerDay, Qt::Key_F7},
    {SummaryKind::WorkedHours, Qt::Key_F8},
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
      loadingLabel_(new QLabel(this)),
      loadingProgress_(new QProgressBar(this)),
      loadingTimer_(new QTimer(this)),
      messages_(std::make_unique<QtMessageSink>(this)),
      settings_(std::make_unique<QtSettingsStore>()),
      windowMessages_(std::make_unique<ForwardingSink>(*this)),
      windowSettings_(std::make_unique<ForwardingSettings>(*this)),
      programFolder_(ProgramFolder())
{
    setWindowTitle(QStringLiteral("Shiftex"));
    setAcceptDrops(true);
    setCentralWidget(mdiArea_);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    statusBar()->addWidget(loadingLabel_);
    statusBar()->addWidget(loadingProgress_);
    loadingProgress_->setMaximumWidth(200);
    loadingProgress_->setTextVisible(false);
    loadingProgress_->hide();
    loadingTimer_->setSingleShot(true);
    loadingTimer_->setInterval(kLoadingStatusMs);
    connect(loadingTimer_, &QTimer::timeout, this, &MainWindow::clearLoadingStatus);

    createMenus();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MainWindow::updateActions);
    updateActions();
    resize(1024, 700);
}

MainWindow::~MainWindow()
{
    // Schedule windows go before the message sink they may still report to.
    delete mdiArea_;
    mdiArea_ = nullptr;
}

void MainWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    connect(file, &QMenu::aboutToShow, this, &MainWindow::updateFileMenu);
    createNewScheduleAction(file);
    QAction* open = file->addAction(QStringLiteral("&Open..."), this, &MainWindow::openFromDialog);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    reopenMenu_ = file->addMenu(QStringLiteral("&Reopen"));
    connect(reopenMenu_, &QMenu::aboutToShow, this, &MainWindow::RefreshRecentMenu);
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* entry = reopenMenu_->addAction(QString());
        entry->setVisible(false);
        connect(entry, &QAction::triggered, this, [this, entry] {
            OpenScheduleFile(entry->text());
        });
        reopenActions_ << entry;
    }
    file->addSeparator();
    saveAction_ = file->addAction(QStringLiteral("&Save"), this, &MainWindow::SaveActive);
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* saveAs =
        file->addAction(QStringLiteral("Save &As..."), this, &MainWindow::SaveActiveAs);
    QAction* close = file->addAction(QStringLiteral("&Close"), mdiArea_,
                                     &QMdiArea::closeActiveSubWindow);
    scheduleActions_ = {saveAs, close};
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    editMenu_ = edit;
    // The items copy the state of the active schedule whenever the menu opens.
    connect(edit, &QMenu::aboutToShow, this, &MainWindow::updateEditMenu);
    undoAction_ = edit->addAction(UndoIcon(), QStringLiteral("&Undo"), this, [this] {
        if (ScheduleWindow* active = activeScheduleWindow())
            active->undo();
    });
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undoAction_->setToolTip(QStringLiteral("Undo"));
    redoAction_ = edit->addAction(RedoIcon(), QStringLiteral("Redo"), this, [this] {
        if (ScheduleWindow* active = activeScheduleWindow())
            active->redo();
    });
    redoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redoAction_->setToolTip(QStringLiteral("Redo"));
    edit->addSeparator();

    // Menu items and tool buttons run the same commands but are enabled by different events.
    const auto onActive = [this](auto command) {
        return [this, command] {
            if (ScheduleWindow* active = activeScheduleWindow())
                (active->*command)();
        };
    };
    const auto clipboardPair = [&](const QIcon& icon, const char* caption, const char* hint,
                                   const char* toolHint, QKeySequence key, auto command,
                                   QAction*& item, QAction*& tool) {
        item = edit->addAction(icon, QString::fromUtf8(caption), this, onActive(command));
        item->setShortcut(key);
        item->setToolTip(QString::fromUtf8(hint));
        item->setStatusTip(item->toolTip());
        tool = new QAction(icon, QString::fromUtf8(toolHint), this);
        tool->setToolTip(QString::fromUtf8(toolHint));
        connect(tool, &QAction::triggered, this, onActive(command));
    };
    clipboardPair(CutIcon(), "Cut", kClipboardHint, "Cut", QKeySequence(Qt::CTRL | Qt::Key_X),
                  &ScheduleWindow::cut, cutAction_, cutToolAction_);
    clipboardPair(CopyIcon(), "&Copy", kClipboardHint, "Copy",
                  QKeySequence(Qt::CTRL | Qt::Key_C), &ScheduleWindow::copy, copyAction_,
                  copyToolAction_);
    clipboardPair(PasteIcon(), "&Paste", "Paste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V),
                  &ScheduleWindow::paste, pasteAction_, pasteToolAction_);
    edit->addSeparator();
    selectAllAction_ = edit->addAction(QStringLiteral("&Select All"), this,
                                       onActive(&ScheduleWindow::selectAll));
    selectAllAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    selectAllAction_->setToolTip(QStringLiteral("Select all cells"));
    selectAllAction_->setStatusTip(selectAllAction_->toolTip());

    QMenu* workinglist = menuBar()->addMenu(QStringLiteral("&Workinglist"));
    workinglistMenu_ = workinglist;
    connect(workinglist, &QMenu::aboutToShow, this, &MainWindow::updateActions);
    for (const SummaryEntry& entry : kSummaryEntries) {
        const SummaryKind kind = entry.kind;
        QAction* action = workinglist->addAction(HiddenCaption(kind), this, [this, kind] {
            if (ScheduleWindow* active = activeScheduleWindow())
                active->toggleSummary(kind);
        });
        action->setShortcut(QKeySequence(entry.key));
        summaryActions_[static_cast<std::size_t>(kind)] = action;
    }

    optionsMenu_ = menuBar()->addMenu(QStringLiteral("&Options"));
    connect(optionsMenu_, &QMenu::aboutToShow, this, &MainWindow::updateOptionsMenu);
    // The options dialog comes later.
    QAction* settings = optionsMenu_->addAction(QStringLiteral("&Settings ..."));
    settings->setShortcut(QKeySequence(Qt::Key_F2));
    settings->setEnabled(false);
    optionsMenu_->addSeparator();
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
    hideDepartmentsAction_ =
        optionsMenu_->addAction(QStringLiteral("Hide Departments"), this, departments(false));
    showDepartmentsAction_ =
        optionsMenu_->addAction(QStringLiteral("Show Departments"), this, departments(true));

    editToolBar_ = addToolBar(QStringLiteral("Edit"));
    editToolBar_->setObjectName(QStringLiteral("EditToolBar"));
    editToolBar_->setIconSize(QSize(16, 16));
    editToolBar_->addAction(newAction_);
    editToolBar_->addSeparator();
    editToolBar_->addAction(cutToolAction_);
    editToolBar_->addAction(copyToolAction_);
    editToolBar_->addAction(pasteToolAction_);
    editToolBar_->addSeparator();
    editToolBar_->addAction(undoAction_);
    editToolBar_->addAction(redoAction_);

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->addAction(QStringLiteral("&Cascade"), mdiArea_, &QMdiArea::cascadeSubWindows);
    window->addAction(QStringLiteral("&Tile"), mdiArea_, &QMdiArea::tileSubWindows);
}

void MainWindow::SetProgramFolder(const QString& folder)
{
    programFolder_ = folder;
    dropWizard();
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

// Save follows the active document's modified flag; the other file commands only need a
// schedule window.
void MainWindow::updateActions()
{
    const ScheduleWindow* active = activeScheduleWindow();
    const bool any = active != nullptr;
    // The menus that need a schedule wait for one.
    for (QMenu* menu : {editMenu_, workinglistMenu_, optionsMenu_})
        menu->menuAction()->setEnabled(any);
    for (QAction* action : scheduleActions_)
        action->setEnabled(any);
    saveAction_->setEnabled(active != nullptr && active->document().modified);
    // Each schedule window keeps its own history: the active one decides.
    undoAction_->setEnabled(active != nullptr && active->canUndo());
    redoAction_->setEnabled(active != nullptr && active->canRedo());
    const ScheduleSession* session = any ? &active->session() : nullptr;
    const bool focused = any && session->editState().sheetFocused;
    for (QAction* action : {cutAction_, copyAction_, pasteAction_})
        action->setEnabled(focused);
    selectAllAction_->setEnabled(any);
    cutToolAction_->setEnabled(any && session->CutEnabled());
    copyToolAction_->setEnabled(any && session->CopyEnabled());
    pasteToolAction_->setEnabled(any && session->PasteEnabled());
    for (const SummaryEntry& entry : kSummaryEntries) {
        QAction* action = summaryActions_[static_cast<std::size_t>(entry.kind)];
        action->setEnabled(active != nullptr);
        const QString caption =
            active != nullptr
                ? QString::fromStdString(active->session().summaries().MenuCaption(entry.kind))
                : HiddenCaption(entry.kind);
        action->setText(caption);
    }
}

void MainWindow::updateFileMenu() { updateActions(); }

void MainWindow::updateEditMenu()
{
    updateActions();
    // Opening the menu offers Cut, Copy and Paste of the active schedule.
    const bool any = activeScheduleWindow() != nullptr;
    for (QAction* action : {cutAction_, copyAction_, pasteAction_})
        action->setEnabled(any);
}

void MainWindow::updateOptionsMenu()
{
    updateActions();
    const ScheduleWindow* active = activeScheduleWindow();
    const bool shown = active != nullptr && active->session().DepartmentViewShown();
    hideDepartmentsAction_->setVisible(shown);
    showDepartmentsAction_->setVisible(!shown);
}

void MainWindow::SetMessageSink(std::unique_ptr<MessageSink> sink)
{
    if (sink)
        messages_ = std::move(sink);
}

ScheduleWindow* MainWindow::activeScheduleWindow() const
{
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

void MainWindow::openFromDialog()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Shiftex File"), DocumentsFolder(), ScheduleFileFilter());
    if (!path.isEmpty())
        OpenScheduleFile(path);
}

ScheduleWindow* MainWindow::OpenScheduleFile(const QString& path)
{
    std::vector<std::string> openPaths;
    for (const ScheduleWindow* window : scheduleWindows())
        openPaths.push_back(window->document().filePath);

    loadingTimer_->stop();
    loadingLabel_->setText(QStringLiteral("loading :"));
    loadingProgress_->setRange(0, 0);
    loadingProgress_->setValue(0);
    loadingProgress_->show();

    int lastEvents = 0;
    const LoadProgress progress = [this, &lastEvents](int line, int lineCount) {
        if (loadingProgress_->maximum() != lineCount)
            loadingProgress_->setMaximum(lineCount);
        loadingProgress_->setValue(std::clamp(line, 0, lineCount));
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
    window->document().onModified = [this] { updateActions(); };
    window->setProgramFolder(programFolder_);
    window->setCloseGuard(&closeGuard_);
    connect(window, &ScheduleWindow::stateChanged, this, &MainWindow::updateActions);
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
                       DocumentsFolder(), ScheduleFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("SXT"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
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
    const bool saved = SaveScheduleAs(window->document(), window->document().filePath,
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
        SaveScheduleAs(window->document(), path.toStdString(), *messages_, *settings_);
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
    loadingProgress_->hide();
    loadingLabel_->setText(QString::fromStdString(closeGuard_.statusText));
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
    if (exit)
        event->accept();
    else
        event->ignore();
}

void MainWindow::clearLoadingStatus()
{
    loadingLabel_->clear();
    loadingProgress_->hide();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // After the window has appeared, and only once per run.
    QTimer::singleShot(0, this, &MainWindow::openStartupFile);
}

void MainWindow::openStartupFile()
{
    const QString path = startupFile_;
    startupFile_.clear();
    if (path.isEmpty())
        return;
    bool opened = false;
    if (QFileInfo::exists(path))
        opened = OpenScheduleFile(path) != nullptr;
    emit startupFileHandled(opened);
}

} // namespace shiftex
