#include "app/automatic_backup.h"
#include "model/settings_store.h"
#include "setup/options_dialog.h"
#include "ui/list_page_widgets.h"
#include "ui/main_window.h"
#include "ui/options_dialog_window.h"
#include "ui/schedule_window.h"
#include "ui/status_panels.h"
#include "ui/summary_view.h"
#include "ui/working_type_chooser.h"

#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBox>

#include <memory>
#include <optional>
#include <string>

using namespace shiftex;
using test::RecordingSink;

// The options dialog and the automatic backup in the main window.
class OptionsUiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void f2OpensTheDialogAndClosingItApplies();
    void theSchedulesMenusOpenTheirPages();
    void theBackupPageSwitchesBackupsOn();
    void theBackupTimerWritesEveryScheduleAndTheStatusTells();

private:
    ScheduleWindow* openExample();
    OptionsDialogWindow* shownDialog();
    template <typename Widget>
    Widget* field(const char* name);
    void closeDialog();

    std::unique_ptr<QTemporaryDir> temp_;
    std::unique_ptr<MainWindow> window_;
    RecordingSink* sink_ = nullptr;
    MemorySettingsStore* settings_ = nullptr;
};

void OptionsUiTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void OptionsUiTest::init()
{
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
    auto sink = std::make_unique<RecordingSink>();
    sink_ = sink.get();
    sink_->answer = Answer::Ok;
    window_ = test::TestMainWindow(std::move(sink), test::SeededProgramFolder(*temp_),
                                   QSize(1200, 800));
    auto settings = std::make_unique<MemorySettingsStore>();
    settings_ = settings.get();
    window_->SetSettingsStore(std::move(settings));
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void OptionsUiTest::cleanup()
{
    window_.reset();
    temp_.reset();
}

ScheduleWindow* OptionsUiTest::openExample()
{
    const QString path = temp_->filePath(QStringLiteral("ward.sxt"));
    QFile::copy(QStringLiteral(SHIFTEX_SOURCE_DIR "/examples/ward.sxt"), path);
    return window_->OpenScheduleFile(path);
}

OptionsDialogWindow* OptionsUiTest::shownDialog()
{
    OptionsDialogWindow* dialog = window_->optionsDialog();
    if (dialog == nullptr || !dialog->isVisible())
        return nullptr;
    return dialog;
}

template <typename Widget>
Widget* OptionsUiTest::field(const char* name)
{
    return shownDialog()->page()->findChild<Widget*>(QString::fromLatin1(name));
}

void OptionsUiTest::closeDialog()
{
    OptionsDialogWindow* dialog = shownDialog();
    QVERIFY(dialog != nullptr);
    // The close box: there is no other way out.
    dialog->close();
    QVERIFY(!dialog->isVisible());
}

void OptionsUiTest::f2OpensTheDialogAndClosingItApplies()
{
    ScheduleWindow* schedule = openExample();
    QVERIFY(schedule != nullptr);
    schedule->selectWorkingType(1);
    schedule->session().sheetEdits().ClickCell(3, schedule->document().sheet.fixedRows);
    schedule->refresh();
    QVERIFY(window_->undoAction()->isEnabled());
    const int rows = schedule->document().sheet.rowCount();

    QVERIFY(window_->commandAction(MainCommand::Settings)->isEnabled());
    QTest::keyClick(window_.get(), Qt::Key_F2);
    OptionsDialogWindow* dialog = shownDialog();
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Employees"));
    QCOMPARE(dialog->bar()->currentIndex(), 0);
    QCOMPARE(dialog->items(0)->currentRow(), 0);
    QVERIFY(!window_->undoAction()->isEnabled());  // the history is gone

    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    auto* name = field<QLineEdit>("name");
    QVERIFY(name != nullptr);
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Zoe"));
    QTest::mouseClick(field<QPushButton>("add"), Qt::LeftButton);
    QCOMPARE(qobject_cast<EmployeesPageWidget*>(dialog->page())->list()->count(), 14);

    // Another item of the bar: the employees go into the copy when their page is left.
    QListWidget* colours = dialog->items(options::kColorSetup);
    colours->setCurrentRow(0);
    emit colours->itemClicked(colours->item(0));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Schedule Grid"));
    QCOMPARE(dialog->dialog().copy().employeeNames.back(), std::string("Zoe"));
    closeDialog();

    QCOMPARE(schedule->document().sheet.rowCount(), rows + 1);
    QCOMPARE(schedule->document().Employees().back(), std::string("Zoe"));
    QVERIFY(schedule->document().modified);
    QVERIFY(window_->saveAction()->isEnabled());
    QVERIFY(sink_->errors.empty());
}

void OptionsUiTest::theSchedulesMenusOpenTheirPages()
{
    ScheduleWindow* schedule = openExample();
    QVERIFY(schedule != nullptr);
    const int row = schedule->document().sheet.fixedRows;
    // A day cell holding "L" (Anna Peeters on the 2nd).
    QCOMPARE(schedule->document().sheet.Text(3, row), std::string("L"));
    const struct {
        int col;
        int row;
        const char* entry;
        const char* caption;
    } entries[] = {
        {1, row, "addEmployee", "Employees"},
        {3, row, "editWorkingHours", "Working Types"},
    };
    for (const auto& entry : entries) {
        std::unique_ptr<QMenu> menu(schedule->createSheetMenu(entry.col, entry.row));
        QVERIFY(menu != nullptr);
        QAction* action = menu->findChild<QAction*>(QString::fromLatin1(entry.entry));
        QVERIFY2(action != nullptr && action->isEnabled(), entry.entry);
        action->trigger();
        QVERIFY2(shownDialog() != nullptr, entry.entry);
        QCOMPARE(shownDialog()->windowTitle(), QString::fromLatin1(entry.caption));
        closeDialog();
    }
    // The working type of the clicked cell is chosen, and again by "&WorkingHours ...".
    window_->commandAction(MainCommand::EditWorkingHours)->trigger();
    QVERIFY(shownDialog() != nullptr);
    QCOMPARE(field<QLineEdit>("code")->text(), QStringLiteral("L"));
    closeDialog();

    // The working type list's own menu hands the chosen type.
    schedule->selectWorkingType(schedule->document().workingTypes.IndexOfCode("N"));
    emit schedule->typeChooser()->editRequested();
    QVERIFY(shownDialog() != nullptr);
    QCOMPARE(field<QLineEdit>("code")->text(), QStringLiteral("N"));
    closeDialog();

    std::unique_ptr<QMenu> queryMenu(schedule->createSummaryMenu(SummaryKind::CustomQuery));
    QAction* setup = queryMenu->findChild<QAction*>(QStringLiteral("goToSetup"));
    QVERIFY(setup != nullptr);
    setup->trigger();
    QVERIFY(shownDialog() != nullptr);
    QCOMPARE(shownDialog()->windowTitle(), QStringLiteral("Custom Query"));
    QCOMPARE(shownDialog()->bar()->currentIndex(), options::kScheduleSetup);
    closeDialog();

    // The backup status panel leads to the backup page while it shows a text.
    StatusPanels* status = window_->statusPanels();
    emit status->backupPanelDoubleClicked();
    QVERIFY(shownDialog() == nullptr);
    status->setBackupStatus(QString::fromUtf8(kBackupSuccessful), true, {});
    emit status->backupPanelDoubleClicked();
    QVERIFY(shownDialog() != nullptr);
    QCOMPARE(shownDialog()->windowTitle(), QStringLiteral("Backup"));
    closeDialog();
    QVERIFY(sink_->errors.empty());
}

void OptionsUiTest::theBackupPageSwitchesBackupsOn()
{
    QVERIFY(openExample() != nullptr);
    const QString folder = temp_->filePath(QStringLiteral("saved"));
    QVERIFY(QDir().mkpath(folder));
    std::unique_ptr<QMenu> menu(window_->createBackupMenu());
    QAction* settings = menu->findChild<QAction*>(QStringLiteral("goToBackupSettings"));
    QVERIFY(settings != nullptr && settings->isVisible());
    QCOMPARE(settings->text(), QStringLiteral("Go to backup settings ..."));
    settings->trigger();
    OptionsDialogWindow* dialog = shownDialog();
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->bar()->currentIndex(), options::kOptions);

    auto* page = qobject_cast<BackupPageWidget*>(dialog->page());
    QVERIFY(page != nullptr);
    QCOMPARE(page->toggle()->text(), QStringLiteral("Enable"));
    QVERIFY(page->panel()->isHidden());
    QTest::mouseClick(page->toggle(), Qt::LeftButton);
    QCOMPARE(page->toggle()->text(), QStringLiteral("Disable"));
    QVERIFY(!page->panel()->isHidden());
    page->interval()->setValue(0);  // never less than a minute
    QCOMPARE(page->interval()->value(), 1);
    page->interval()->setValue(10);
    page->setFolderChooser([folder](const QString&) { return folder; });
    QTest::mouseClick(page->browse(), Qt::LeftButton);
    QCOMPARE(page->folder()->text(), QDir::toNativeSeparators(folder));
    QTest::mouseClick(dialog->page()->findChild<QPushButton*>(QStringLiteral("save")),
                      Qt::LeftButton);
    closeDialog();

    QVERIFY(window_->backupTimer()->isActive());
    QCOMPARE(window_->backupTimer()->interval(), 600000);
    QCOMPARE(ReadUserSetting(*settings_, kBackupKey, "Enabled"), std::string("true"));
    QCOMPARE(ReadUserSetting(*settings_, kBackupKey, "Interval"), std::string("10"));
    QCOMPARE(QString::fromStdString(ReadUserSetting(*settings_, kBackupKey, "Path")),
             QDir::toNativeSeparators(folder));
    QVERIFY(sink_->errors.empty());
}

void OptionsUiTest::theBackupTimerWritesEveryScheduleAndTheStatusTells()
{
    ScheduleWindow* schedule = openExample();
    QVERIFY(schedule != nullptr);
    const QString folder = temp_->filePath(QStringLiteral("backups"));
    window_->backup().Start(BackupSettings{true, folder.toStdString(), "5"});
    QVERIFY(window_->backupTimer()->isActive());
    QCOMPARE(window_->backupTimer()->interval(), 300000);

    // A window asked to close while the backup is written stays open.
    auto* sub = qobject_cast<QMdiSubWindow*>(schedule->parentWidget());
    QVERIFY(sub != nullptr);
    QTimer::singleShot(0, sub, &QMdiSubWindow::close);
    QVERIFY(QMetaObject::invokeMethod(window_->backupTimer(), "timeout"));

    const QStringList written = QDir(folder).entryList({QStringLiteral("ward_*.SXT")});
    QCOMPARE(written.size(), 1);
    QCOMPARE(window_->scheduleWindows().size(), 1);
    QCOMPARE(sink_->informations,
             std::vector<std::string>{"Please wait until backup creation has finished"});
    StatusPanels* status = window_->statusPanels();
    QCOMPARE(status->text(1), QStringLiteral("  Backup successful"));
    QVERIFY(status->backupIconShown());
    QVERIFY(window_->backupStatusTimer()->isActive());
    QCOMPARE(window_->backupStatusTimer()->interval(), 3000);

    QVERIFY(QMetaObject::invokeMethod(window_->backupStatusTimer(), "timeout"));
    QCOMPARE(status->text(1), QString());
    QVERIFY(!status->backupIconShown());
    QVERIFY(status->backupProgress()->isHidden());

    // The schedule's own file is not touched; another tick writes another file.
    QVERIFY(!schedule->document().modified);
    QVERIFY(QMetaObject::invokeMethod(window_->backupTimer(), "timeout"));
    QCOMPARE(QDir(folder).entryList({QStringLiteral("ward_*.SXT")}).size(), 2);
}

QTEST_MAIN(OptionsUiTest)
#include "options_ui_test.moc"
