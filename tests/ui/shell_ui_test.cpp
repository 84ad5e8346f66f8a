#include "app/help_topics.h"
#include "app/startup.h"
#include "platform/help_collection.h"
#include "platform/program_folder.h"
#include "platform/qt_settings_store.h"
#include "ui/about_window.h"
#include "ui/help_topic.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/schedule_window.h"
#include "ui/sheet_view.h"
#include "ui/status_panels.h"
#include "ui/summary_view.h"
#include "ui/wizard_dialog.h"

#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEngine>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <deque>
#include <memory>
#include <string>
#include <vector>

using namespace shiftex;
using test::RecordingSink;

namespace {

// Questions answered from a queue (then Cancel); every box recorded.
class QueueSink final : public MessageSink {
public:
    std::vector<std::string> informations;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    std::deque<Answer> answers;

    void Information(const std::string& text) override { informations.push_back(text); }
    void Error(const std::string& text) override { errors.push_back(text); }
    Answer Question(const std::string& text, QuestionButtons) override
    {
        questions.push_back(text);
        if (answers.empty())
            return Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FakeServices final : public StartupServices {
public:
    FakeServices(QString folder, int width, int height)
        : folder_(std::move(folder)), width_(width), height_(height)
    {
    }
    std::string ProgramFolder() override { return folder_.toStdString(); }
    bool LoadHelp(const std::string&) override { return true; }
    void RegisterFileType(const std::string&) override {}
    std::string DocumentsFolder() override { return {}; }
    int ScreenWidth() override { return width_; }
    int ScreenHeight() override { return height_; }

private:
    QString folder_;
    int width_;
    int height_;
};

class FakeShell final : public Shell {
public:
    std::vector<std::string>* opened;
    int code;
    FakeShell(std::vector<std::string>* log, int result) : opened(log), code(result) {}
    int Open(const std::string& target) override
    {
        opened->push_back(target);
        return code;
    }
};

// One line of the menu bar: the menu, the item (a submenu's items after "/"), its shortcut and
// its hint.
struct MenuLine {
    QString menu;
    QString item;
    QString shortcut;
    QString hint;
    bool operator==(const MenuLine&) const = default;
};

QString Describe(const MenuLine& line)
{
    return line.menu + " | " + line.item + " | " + line.shortcut + " | " + line.hint;
}

void Collect(const QString& menuTitle, const QString& prefix, QMenu* menu,
             std::vector<MenuLine>& lines)
{
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (QMenu* sub = action->menu()) {
            lines.push_back({menuTitle, prefix + action->text(), QString(), action->statusTip()});
            // The recent files are filled at run time.
            if (action->text() != QLatin1String("&Reopen"))
                Collect(menuTitle, action->text() + "/", sub, lines);
            continue;
        }
        lines.push_back({menuTitle, prefix + action->text(),
                         action->shortcut().toString(QKeySequence::PortableText),
                         action->statusTip()});
    }
}

const char* const kClipboard = "Use CRTL + Left mouse button to select the copy fields.";

// The menu bar as the users' manual has it.
const std::vector<MenuLine>& ExpectedMenus()
{
    static const std::vector<MenuLine> lines{
        {"&File", "&New", "Ctrl+N", ""},
        {"&File", "&Open...", "Ctrl+O", "Open workinglist"},
        {"&File", "&Reopen", "", "Open workinglist"},
        {"&File", "&Save", "Ctrl+S", "Save workinglist"},
        {"&File", "Save &As...", "", "Save workinglist"},
        {"&File", "&Export ...", "", "Export schedule to Word, Excel or HTML files"},
        {"&File", "Export &Calendars ...", "", "Export one calendar file per employee"},
        {"&File", "Printer &Settings ...", "", "Setup printer properties"},
        {"&File", "&Print", "", "Print"},
        {"&File", "&Print/&Current view ...", "", "Print Workinglist"},
        {"&File", "&Print/&Work Schedule ...", "",
         "Print the current visible work schedule (code/icon)"},
        {"&File", "&Print/Work Schedule (&Icons) ...", "",
         "Print the schedule using the defined icons (only when no departments declared)"},
        {"&File", "&Print/&Special Summation ...", "",
         "Print Special Summation (only possible when visible)"},
        {"&File", "&Print/&Employees / Types ...", "",
         "Print Employee/Types (only possible when visible)"},
        {"&File", "&Print/&Types / Days ...", "", "Print Types/Days (only possible when visible)"},
        {"&File", "&Print/Worked &Hours ...", "",
         "Print Worked Hours (only possible when visible)"},
        {"&File", "&Close", "", ""},
        {"&File", "E&xit", "", "Exit Shiftex"},
        {"&Edit", "&Undo", "Ctrl+Z", ""},
        {"&Edit", "Redo", "Ctrl+Y", ""},
        {"&Edit", "Cut", "Ctrl+X", kClipboard},
        {"&Edit", "&Copy", "Ctrl+C", kClipboard},
        {"&Edit", "&Paste", "Ctrl+V", "Paste"},
        {"&Edit", "&Select All", "Ctrl+A", "Select all cells"},
        {"&Edit", "&Employees ...", "", "Edit employees"},
        {"&Edit", "&WorkingHours ...", "", "Edit workinghours"},
        {"&Edit", "&Custom Query ...", "", ""},
        {"&Edit", "&Holidays ...", "", "Edit holidays"},
        {"&Workinglist", "View &Custom Query", "F5", ""},
        {"&Workinglist", "View &Employees / Types summary", "F6", ""},
        {"&Workinglist", "View &Types / Days summary", "F7", ""},
        {"&Workinglist", "View &Worked Hours", "F8", ""},
        {"&Workinglist", "Generate &Bar Schedule ...", "",
         "Generate Bar Schedule per employee (SELECT THE CELL RANGE FIRST)"},
        {"&Options", "&Settings ...", "F2", ""},
        {"&Options", "Hide Departments", "", ""},
        {"&Options", "Show Departments", "", ""},
        {"&Options", "&Working-time rules ...", "", "Limits of the working-time warnings"},
        {"&Window", "&Tile", "", "Tile all windows"},
        {"&Window", "&Cascade", "", "Cascade all windows"},
        {"&Window", "&Arrange All", "", ""},
        {"&Help", "&Seach keyword", "", ""},
        {"&Help", "&Index", "F1", ""},
        {"&Help", "&FAQ (online)", "", ""},
        {"&Help", "&Help (online)", "", ""},
        {"&Help", "&About...", "", ""},
    };
    return lines;
}

} // namespace

class ShellUiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void captionAndMenuBarFollowTheTable();
    void toolBarAndStatusBar();
    void fileMenuEnabling();
    void optionsMenuOffersShowOrHide();
    void toggleVisibleWindowsLeavesTheSheetAlone();
    void screenSizeNotice();
    void damagedSettingsFallBackToDefaults();
    void windowMenuListsAndTilesTheSchedules();
    void closingStopsAtTheScheduleThatRefuses();
    void webCommandsAndTheMailLink();
    void theSplashComesBeforeTheStartupFile();
    void showHelpTopicFindsEveryTopic();
    void theWizardsHelpButtonOpensItsPage();
    void withoutHelpHelpRequestsDoNothing();
    void everyHelpPageHasItsPicturesAndLinks();

private:
    QString CopyOfExample(const QString& name);
    ScheduleWindow* OpenExample(const QString& name);
    QString HelpFolder();

    QTemporaryDir temp_;
    QString programFolder_;
    std::unique_ptr<MainWindow> window_;
    QueueSink* sink_ = nullptr;
};

void ShellUiTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(temp_.isValid());
    programFolder_ = test::SeededProgramFolder(temp_);
}

void ShellUiTest::init()
{
    auto sink = std::make_unique<QueueSink>();
    sink_ = sink.get();
    window_ = test::TestMainWindow(std::move(sink), programFolder_, QSize(900, 640));
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void ShellUiTest::cleanup()
{
    window_.reset();
    sink_ = nullptr;
}

QString ShellUiTest::CopyOfExample(const QString& name)
{
    const QString path = temp_.filePath(name);
    QFile::remove(path);
    QFile::copy(QStringLiteral(SHIFTEX_SOURCE_DIR "/examples/ward.sxt"), path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

ScheduleWindow* ShellUiTest::OpenExample(const QString& name)
{
    ScheduleWindow* schedule = window_->OpenScheduleFile(CopyOfExample(name));
    QApplication::processEvents();
    return schedule;
}

// A program folder of its own with a copy of the built help: searching writes beside it.
QString ShellUiTest::HelpFolder()
{
    const QString folder = temp_.filePath(QStringLiteral("helped/"));
    QDir().mkpath(folder + "help");
    for (const char* name : {"shiftex.qhc", "shiftex.qch"}) {
        const QString target = folder + "help/" + name;
        if (!QFile::exists(target))
            QFile::copy(QStringLiteral(SHIFTEX_PROGRAM_DIR "/help/") + name, target);
        QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    return folder;
}

void ShellUiTest::captionAndMenuBarFollowTheTable()
{
    QCOMPARE(window_->windowTitle(), QStringLiteral("Shiftex version 4.3"));

    QStringList titles;
    std::vector<MenuLine> lines;
    for (QAction* menu : window_->menuBar()->actions()) {
        titles << menu->text();
        Collect(menu->text(), QString(), menu->menu(), lines);
    }
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Workinglist", "&Options", "&Window",
                                  "&Help"}));
    const std::vector<MenuLine>& expected = ExpectedMenus();
    for (std::size_t i = 0; i < std::max(lines.size(), expected.size()); ++i) {
        const QString got = i < lines.size() ? Describe(lines[i]) : QStringLiteral("(none)");
        const QString want =
            i < expected.size() ? Describe(expected[i]) : QStringLiteral("(none)");
        QCOMPARE(got, want);
    }
}

void ShellUiTest::toolBarAndStatusBar()
{
    QStringList hints;
    for (QAction* action : window_->mainToolBar()->actions())
        if (!action->isSeparator())
            hints << action->statusTip();
    QCOMPARE(hints, QStringList({"Create new workinglist", "Open workinglist",
                                 "save current workinglist", "Print Preview of main workinggrid",
                                 "Print main workinggrid", "Cut",
                                 "Copy", "Paste", "Redo", "Undo", "Toggle visible windows ",
                                 "Show help file"}));
    // Without a schedule only what needs none is offered.
    QVERIFY(window_->toolAction(MainCommand::Open)->isEnabled());
    QVERIFY(window_->toolAction(MainCommand::ShowHelpFile)->isEnabled());
    QVERIFY(!window_->toolAction(MainCommand::ToggleVisibleWindows)->isEnabled());
    QVERIFY(!window_->toolAction(MainCommand::Save)->isEnabled());
    QVERIFY(!window_->menu(MainMenu::Edit)->menuAction()->isEnabled());
    QVERIFY(!window_->menu(MainMenu::Workinglist)->menuAction()->isEnabled());
    QVERIFY(!window_->menu(MainMenu::Options)->menuAction()->isEnabled());

    // Three panels; the loading bar over the first, 120 pixels in, 280 wide.
    StatusPanels* status = window_->statusPanels();
    QCOMPARE(status->panel(0)->width(), 500);
    QCOMPARE(status->panel(1)->width(), 150);
    QVERIFY(status->panel(2)->width() > 0);
    QCOMPARE(status->loadingProgress()->parentWidget(), status->panel(0));
    QCOMPARE(status->loadingProgress()->geometry().left(), 120);
    QCOMPARE(status->loadingProgress()->width(), 280);
    QCOMPARE(status->backupProgress()->parentWidget(), status->panel(2));
    QCOMPARE(status->backupProgress()->width(), 150);
    QVERIFY(status->panel(0)->height() >= status->fontMetrics().height());

    // The hint of a button under the mouse covers the first panel, then gives it back.
    window_->SetStatus(0, QStringLiteral("loading :"));
    QWidget* button = window_->mainToolBar()->widgetForAction(window_->toolAction(MainCommand::Open));
    window_->toolAction(MainCommand::Open)->showStatusText(button);
    QCOMPARE(status->panel(0)->text(), QStringLiteral("Open workinglist"));
    QVERIFY(window_->statusBar()->currentMessage().isEmpty());
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(button, &gone);
    QCOMPARE(status->panel(0)->text(), QStringLiteral("loading :"));
}

void ShellUiTest::fileMenuEnabling()
{
    // Printing and export come from other windows; bound here, they follow the same rule.
    int exported = 0;
    window_->bindCommand(MainCommand::Export, [&exported] { ++exported; });
    window_->bindCommand(MainCommand::PrintWorkSchedule, [] {});
    QMenu* file = window_->menu(MainMenu::File);
    const auto scheduleItems = [this] {
        return std::vector<QAction*>{window_->commandAction(MainCommand::Save),
                                     window_->commandAction(MainCommand::SaveAs),
                                     window_->commandAction(MainCommand::Export),
                                     window_->commandAction(MainCommand::PrinterSettings),
                                     window_->commandAction(MainCommand::Close)};
    };
    QMenu* print = nullptr;
    for (QAction* action : file->actions())
        if (action->text() == QLatin1String("&Print"))
            print = action->menu();
    QVERIFY(print != nullptr);

    emit file->aboutToShow();
    for (QAction* action : scheduleItems())
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    QVERIFY(!print->menuAction()->isEnabled());
    QVERIFY(window_->commandAction(MainCommand::Open)->isEnabled());
    QVERIFY(window_->commandAction(MainCommand::Exit)->isEnabled());
    QVERIFY(window_->commandAction(MainCommand::New)->isEnabled());
    // A command nobody has bound is present and disabled.
    window_->bindCommand(MainCommand::PrintTypesDays, {});
    QVERIFY(!window_->commandAction(MainCommand::PrintTypesDays)->isEnabled());

    QVERIFY(OpenExample(QStringLiteral("file-menu.sxt")) != nullptr);
    emit file->aboutToShow();
    for (QAction* action : scheduleItems())
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    QVERIFY(print->menuAction()->isEnabled());
    QVERIFY(window_->commandAction(MainCommand::PrintWorkSchedule)->isEnabled());
    QVERIFY(!window_->commandAction(MainCommand::PrintTypesDays)->isEnabled());
    // Save on the tool bar still waits for a change.
    QVERIFY(!window_->toolAction(MainCommand::Save)->isEnabled());
    window_->commandAction(MainCommand::Export)->trigger();
    QCOMPARE(exported, 1);

    sink_->answers = {Answer::Ok};
    window_->commandAction(MainCommand::Close)->trigger();
    QApplication::processEvents();
    QCOMPARE(window_->scheduleWindows().size(), 0);
    emit file->aboutToShow();
    for (QAction* action : scheduleItems())
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
}

void ShellUiTest::optionsMenuOffersShowOrHide()
{
    ScheduleWindow* schedule = OpenExample(QStringLiteral("options.sxt"));
    QVERIFY(schedule != nullptr);
    QMenu* options = window_->menu(MainMenu::Options);
    emit options->aboutToShow();
    QVERIFY(window_->showDepartmentsAction()->isVisible());
    QVERIFY(!window_->hideDepartmentsAction()->isVisible());
    window_->showDepartmentsAction()->trigger();
    QVERIFY(schedule->session().structuralEdits().DepartmentViewShown());
    emit options->aboutToShow();
    QVERIFY(!window_->showDepartmentsAction()->isVisible());
    QVERIFY(window_->hideDepartmentsAction()->isVisible());
    window_->hideDepartmentsAction()->trigger();
    emit options->aboutToShow();
    QVERIFY(window_->showDepartmentsAction()->isVisible());
}

void ShellUiTest::toggleVisibleWindowsLeavesTheSheetAlone()
{
    ScheduleWindow* schedule = OpenExample(QStringLiteral("toggle.sxt"));
    QVERIFY(schedule != nullptr);
    const SummaryKind kinds[] = {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                                 SummaryKind::TypesPerDay, SummaryKind::WorkedHours};
    for (SummaryKind kind : kinds)
        if (!schedule->session().summaries().IsShown(kind))
            schedule->toggleSummary(kind);
    QApplication::processEvents();
    QVERIFY(schedule->summaryView(SummaryKind::CustomQuery)->isVisible());
    const int before = schedule->document().customQueryPanel.height;
    QVERIFY(before > 0);

    QAction* toggle = window_->toolAction(MainCommand::ToggleVisibleWindows);
    QVERIFY(toggle->isEnabled());
    toggle->trigger();
    QApplication::processEvents();
    for (SummaryKind kind : kinds) {
        QVERIFY(!schedule->session().summaries().IsShown(kind));
        QVERIFY(!schedule->summaryView(kind)->isVisible());
    }
    QVERIFY(schedule->sheetView()->isVisible());
    QCOMPARE(schedule->document().customQueryPanel.height, kDefaultQueryPanelHeight);
    QCOMPARE(schedule->document().customQueryPanel.height, 72);
    QVERIFY(schedule->document().modified);

    // The custom query panel comes back at that height.
    schedule->toggleSummary(SummaryKind::CustomQuery);
    QApplication::processEvents();
    QCOMPARE(schedule->document().customQueryPanel.height, 72);
}

void ShellUiTest::screenSizeNotice()
{
    FakeServices small(programFolder_, 800, 600);
    window_->Startup(small);
    QCOMPARE(sink_->informations.size(), std::size_t(1));
    QVERIFY(sink_->informations[0].find("600*800") != std::string::npos);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Shiftex version 4.3"));
    QCOMPARE(window_->programFolder(), programFolder_);

    sink_->informations.clear();
    FakeServices wide(programFolder_, 1024, 600);
    window_->Startup(wide);
    QVERIFY(sink_->informations.empty());
    QVERIFY(sink_->errors.empty());
}

void ShellUiTest::damagedSettingsFallBackToDefaults()
{
    // A settings file with values of the wrong kind and with bytes that are no settings at all.
    const QString folder = temp_.filePath(QStringLiteral("settings"));
    QDir().mkpath(folder);
    QFile user(folder + "/Shiftex.ini");
    QVERIFY(user.open(QIODevice::WriteOnly));
    user.write("\xff\xfe garbage [[[\n[Software]\nShiftex\\BackUp\\Enabled=true\n"
               "Shiftex\\BackUp\\Interval=900\n\x01\x02=\n");
    user.close();
    window_->SetSettingsStore(std::make_unique<QtSettingsStore>(folder));
    FakeServices services(programFolder_, 1280, 1024);
    window_->Startup(services);
    const BackupSettings& backup = window_->startupState().backup;
    QVERIFY(backup.enabled);
    QCOMPARE(backup.interval, std::string("5"));
    QVERIFY(sink_->errors.empty());
    // The machine-wide keys were written beside it all the same.
    QCOMPARE(window_->settings().ReadValue(SettingsScope::Machine, kVersionKey, "Version"),
             std::optional<std::string>("4.3"));
}

void ShellUiTest::windowMenuListsAndTilesTheSchedules()
{
    QVERIFY(OpenExample(QStringLiteral("w1.sxt")) != nullptr);
    QVERIFY(OpenExample(QStringLiteral("w2.sxt")) != nullptr);
    QMenu* windows = window_->menu(MainMenu::Window);
    emit windows->aboutToShow();
    QStringList entries;
    QString checked;
    for (QAction* action : windows->actions())
        if (action->isCheckable()) {
            entries << action->text();
            if (action->isChecked())
                checked = action->text();
        }
    QCOMPARE(entries.size(), 2);
    QVERIFY(entries[0].startsWith("&1 ") && entries[0].endsWith("w1.sxt"));
    QVERIFY(entries[1].startsWith("&2 ") && entries[1].endsWith("w2.sxt"));
    QCOMPARE(checked, entries[1]);

    // Choosing an entry activates its window.
    for (QAction* action : windows->actions())
        if (action->text() == entries[0])
            action->trigger();
    QVERIFY(QString::fromStdString(window_->activeScheduleWindow()->document().filePath)
                .endsWith("w1.sxt"));

    // Side by side: two columns over the whole height.
    window_->commandAction(MainCommand::Tile)->trigger();
    const QList<QMdiSubWindow*> subs =
        window_->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    const QRect area = window_->mdiArea()->viewport()->rect();
    QCOMPARE(subs[0]->geometry().top(), 0);
    QCOMPARE(subs[0]->geometry().height(), area.height());
    QCOMPARE(subs[1]->geometry().left(), subs[0]->geometry().right() + 1);
    QCOMPARE(subs[1]->geometry().right(), area.right());

    // Arrange All lines the minimised windows up along the bottom.
    subs[0]->showMinimized();
    subs[1]->showMinimized();
    window_->commandAction(MainCommand::ArrangeAll)->trigger();
    QCOMPARE(subs[0]->geometry().bottom(), area.bottom());
    QCOMPARE(subs[1]->geometry().bottom(), area.bottom());
    QCOMPARE(subs[0]->geometry().left(), 0);
    QVERIFY(subs[1]->geometry().left() >= subs[0]->geometry().right());
}

void ShellUiTest::closingStopsAtTheScheduleThatRefuses()
{
    for (const char* name : {"c1.sxt", "c2.sxt", "c3.sxt"}) {
        ScheduleWindow* schedule = OpenExample(QString::fromLatin1(name));
        QVERIFY(schedule != nullptr);
    }
    // The first agrees to close, the second is kept: the third is not asked, nor the exit.
    sink_->answers = {Answer::Ok, Answer::Cancel};
    QVERIFY(!window_->close());
    QCOMPARE(sink_->questions.size(), std::size_t(2));
    for (const std::string& question : sink_->questions)
        QVERIFY(question != kExitQuestion);
    QApplication::processEvents();
    QCOMPARE(window_->scheduleWindows().size(), 2);
    QVERIFY(window_->isVisible());
    QVERIFY(window_->menu(MainMenu::Edit)->menuAction()->isEnabled());
    QVERIFY(window_->menu(MainMenu::Workinglist)->menuAction()->isEnabled());
}

void ShellUiTest::webCommandsAndTheMailLink()
{
    std::vector<std::string> opened;
    window_->SetShell(std::make_unique<FakeShell>(&opened, kShellOpened));
    ShellLinks links;
    links.faqPage = "https://shiftex.example/faq";
    links.screenshotsPage = "https://shiftex.example/screenshots";
    links.supportAddress = "help@shiftex.example";
    window_->SetShellLinks(links);
    window_->commandAction(MainCommand::FaqOnline)->trigger();
    window_->commandAction(MainCommand::HelpOnline)->trigger();
    window_->OpenMailLink();
    QCOMPARE(opened, (std::vector<std::string>{"https://shiftex.example/faq",
                                               "https://shiftex.example/screenshots",
                                               "mailto:help@shiftex.example?subject=Shiftex&body=%0d"}));
    QVERIFY(sink_->errors.empty());

    // A desktop that cannot open them.
    window_->SetShell(std::make_unique<FakeShell>(&opened, kShellNoAssociation));
    window_->commandAction(MainCommand::FaqOnline)->trigger();
    window_->OpenMailLink();
    QCOMPARE(sink_->errors,
             (std::vector<std::string>{
                 "There is no application associated with the given filename extension.",
                 "Could not find your default mail client."}));

    // The About window's two links.
    opened.clear();
    window_->SetShell(std::make_unique<FakeShell>(&opened, kShellOpened));
    links.productPage = "https://shiftex.example/";
    window_->SetShellLinks(links);
    AboutWindow* about = window_->aboutWindow();
    emit about->websiteRequested();
    emit about->mailRequested();
    QCOMPARE(opened, (std::vector<std::string>{"https://shiftex.example/",
                                               "mailto:help@shiftex.example?subject=Shiftex&body=%0d"}));
}

void ShellUiTest::theSplashComesBeforeTheStartupFile()
{
    MainWindow window;
    window.SetMessageSink(std::make_unique<RecordingSink>());
    window.SetSettingsStore(std::make_unique<MemorySettingsStore>());
    window.SetProgramFolder(programFolder_);
    window.SetStartupFile(CopyOfExample(QStringLiteral("splash.sxt")));
    window.SetSplashEnabled(true);
    QStringList seen;
    int windowsWhileSplash = -1;
    // The splash is modal: look at it from inside its own loop, then close it.
    QTimer poll;
    connect(&poll, &QTimer::timeout, &window, [&] {
        auto* about = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
        if (about == nullptr)
            return;
        poll.stop();
        windowsWhileSplash = static_cast<int>(window.scheduleWindows().size());
        for (QLabel* label : about->findChildren<QLabel*>())
            seen << label->text();
        QCOMPARE(about->windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
        about->closeButton()->click();
    });
    poll.start(10);
    QSignalSpy handled(&window, &MainWindow::startupFileHandled);
    window.show();
    QVERIFY(handled.wait(10000));
    QCOMPARE(windowsWhileSplash, 0);
    QCOMPARE(window.scheduleWindows().size(), 1);
    const QString all = seen.join('\n');
    for (const char* text : {"Shiftex : Information.", "Version: 4.3", "Last update : 11 August 2003",
                             "Multiple \"Special Additions\" can be used.", "Check out the website"})
        QVERIFY2(all.contains(QString::fromUtf8(text).toHtmlEscaped()) ||
                     all.contains(QString::fromUtf8(text)),
                 text);
}

void ShellUiTest::showHelpTopicFindsEveryTopic()
{
    QVERIFY(window_->LoadHelp(HelpFolder()));
    HelpWindow* help = ProgramHelpWindow();
    QVERIFY(help != nullptr);
    QCOMPARE(help, window_->helpWindow());

    std::vector<std::string> topics(ProgramHelpTopics().begin(), ProgramHelpTopics().end());
    // As the wizard spells it, with non-breaking spaces.
    topics.push_back("Wizard\xC2\xA0" "Custom\xC2\xA0Query Settings");
    topics.push_back("Wizard Custom\xC2\xA0Query\xC2\xA0Settings");
    QStringList pages;
    for (const std::string& topic : topics) {
        help->browser()->clear();
        ShowHelpTopic(topic);
        const QUrl page = help->currentPage();
        QVERIFY2(page.scheme() == QLatin1String("qthelp"), topic.c_str());
        QVERIFY2(!help->browser()->toPlainText().trimmed().isEmpty(), topic.c_str());
        QVERIFY2(help->browser()->documentTitle().size() > 0, topic.c_str());
        pages << page.toString();
    }
    QVERIFY(help->isVisible());
    QVERIFY(pages.contains("qthelp://shiftex.help/doc/backup.html"));
    QVERIFY(pages.contains("qthelp://shiftex.help/doc/colours.html#days-types"));
    QVERIFY(pages.contains("qthelp://shiftex.help/doc/placing.html"));

    // An unknown topic leaves the page as it is.
    const QUrl before = help->currentPage();
    ShowHelpTopic("No such topic");
    QCOMPARE(help->currentPage(), before);

    // F1 on the sheet opens the sheet's page, F1 elsewhere the contents.
    ScheduleWindow* schedule = OpenExample(QStringLiteral("f1.sxt"));
    QVERIFY(schedule != nullptr);
    help->browser()->setSource(QUrl(QStringLiteral("qthelp://shiftex.help/doc/backup.html")));
    schedule->sheetView()->setFocus();
    QTest::keyClick(schedule->sheetView(), Qt::Key_F1);
    QCOMPARE(help->currentPage().toString(),
             QStringLiteral("qthelp://shiftex.help/doc/placing.html"));

    // "&Index" opens the contents, "&Seach keyword" the index with an empty keyword.
    window_->commandAction(MainCommand::HelpIndex)->trigger();
    QCOMPARE(help->tabs()->currentIndex(), 0);
    help->keywordField()->setText(QStringLiteral("back"));
    window_->commandAction(MainCommand::SearchKeyword)->trigger();
    QCOMPARE(help->tabs()->currentIndex(), 1);
    QVERIFY(help->keywordField()->text().isEmpty());

    help->close();
}

void ShellUiTest::theWizardsHelpButtonOpensItsPage()
{
    QVERIFY(window_->LoadHelp(HelpFolder()));
    window_->toolAction(MainCommand::New)->trigger();
    WizardDialog* wizard = window_->wizardDialog();
    QVERIFY(wizard != nullptr && wizard->isVisible());
    wizard->helpButton()->click();
    QCOMPARE(window_->helpWindow()->currentPage().toString(),
             QStringLiteral("qthelp://shiftex.help/doc/wizard.html"));
    wizard->reject();
}

void ShellUiTest::withoutHelpHelpRequestsDoNothing()
{
    const QString empty = temp_.filePath(QStringLiteral("nohelp/"));
    QDir().mkpath(empty);
    QVERIFY(!window_->LoadHelp(empty));
    QVERIFY(window_->helpWindow() == nullptr);
    QVERIFY(ProgramHelpWindow() == nullptr);
    ShowHelpTopic("backup");
    window_->commandAction(MainCommand::HelpIndex)->trigger();
    window_->toolAction(MainCommand::ShowHelpFile)->trigger();
    window_->commandAction(MainCommand::SearchKeyword)->trigger();
    // A damaged collection is no help either.
    QDir().mkpath(empty + "help");
    QFile junk(empty + "help/shiftex.qhc");
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a collection");
    junk.close();
    QFile pages(empty + "help/shiftex.qch");
    QVERIFY(pages.open(QIODevice::WriteOnly));
    pages.close();
    QVERIFY(!window_->LoadHelp(empty));
    QVERIFY(ProgramHelpWindow() == nullptr);
    QVERIFY(sink_->errors.empty());
}

void ShellUiTest::everyHelpPageHasItsPicturesAndLinks()
{
    HelpCollection help;
    QVERIFY(help.Load(HelpFolder(), QString()));
    QHelpEngine& engine = *help.engine();
    const QString space = engine.registeredDocumentations().constFirst();
    const QList<QUrl> pages = engine.files(space, QString(), QStringLiteral("html"));
    QVERIFY(pages.size() >= 25);
    const QRegularExpression reference(QStringLiteral("(?:src|href)=\"([^\"#:]+)[^\"]*\""));
    for (const QUrl& page : pages) {
        const QString html = QString::fromUtf8(engine.fileData(page));
        QVERIFY2(html.contains(QLatin1String("<title>")), qPrintable(page.toString()));
        for (const QRegularExpressionMatch& match : reference.globalMatch(html)) {
            const QUrl target = page.resolved(QUrl(match.captured(1)));
            QVERIFY2(!engine.fileData(target).isEmpty(),
                     qPrintable(page.toString() + " names " + match.captured(1)));
        }
    }
}

QTEST_MAIN(ShellUiTest)
#include "shell_ui_test.moc"
