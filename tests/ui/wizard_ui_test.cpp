#include "model/settings_store.h"
#include "files/schedule_file.h"
#include "files/schedule_text.h"
#include "platform/program_folder.h"
#include "setup/sheet_colours_page.h"
#include "ui/holidays_page_widget.h"
#include "ui/import_page_widget.h"
#include "ui/list_page_widgets.h"
#include "ui/main_window.h"
#include "ui/schedule_window.h"
#include "ui/setup_widgets.h"
#include "ui/sheet_view.h"
#include "ui/wizard_dialog.h"

#include "ui_test_support.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using namespace shiftex;
using test::RecordingSink;

// Walks the new-schedule wizard as a user does, from File > "&New" to the new schedule's window.
// With SHIFTEX_SCREENSHOT_DIR set, the pages and the new window are saved there as pictures.
class WizardUiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void newOpensTheWizardAndFinishOpensTheSchedule();
    void leaveChecksComeBeforeTheButton();
    void aTemplateFileIsPreviewed();
    void closingBuildsNothing();

private:
    WizardDialog* openWizard();
    void next();
    template <typename Widget>
    Widget* page();
    template <typename Widget>
    Widget* field(const char* name);
    void type(const char* name, const QString& text);
    void click(const char* name);
    void shoot(QWidget* widget, const QString& name);
    // Pages 1 to 4 filled: April 2003, from scratch, employees A and B, working type D.
    void fillRequiredPages();

    std::unique_ptr<QTemporaryDir> temp_;
    QString programFolder_;
    std::unique_ptr<MainWindow> window_;
    RecordingSink* sink_ = nullptr;
    MemorySettingsStore* settings_ = nullptr;
    WizardDialog* wizard_ = nullptr;
};

void WizardUiTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void WizardUiTest::init()
{
    // A program folder of its own for every test: the holiday edits of one stay there.
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
    QDir(temp_->path()).mkpath(QStringLiteral("exe"));
    programFolder_ = ChooseProgramFolder(temp_->filePath(QStringLiteral("exe")),
                                         temp_->filePath(QStringLiteral("data")),
                                         QStringLiteral(SHIFTEX_SOURCE_DIR "/data"));
    window_ = std::make_unique<MainWindow>();
    auto sink = std::make_unique<RecordingSink>();
    sink_ = sink.get();
    window_->SetMessageSink(std::move(sink));
    auto settings = std::make_unique<MemorySettingsStore>();
    settings_ = settings.get();
    window_->SetSettingsStore(std::move(settings));
    window_->SetProgramFolder(programFolder_);
    window_->resize(1000, 700);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void WizardUiTest::cleanup()
{
    window_.reset();
    wizard_ = nullptr;
}

WizardDialog* WizardUiTest::openWizard()
{
    window_->newAction()->trigger();
    wizard_ = window_->wizardDialog();
    if (wizard_ == nullptr || !wizard_->isVisible())
        return nullptr;
    wizard_->activateWindow();
    if (!QTest::qWaitForWindowActive(wizard_))
        return nullptr;
    return wizard_;
}

void WizardUiTest::next()
{
    QVERIFY(wizard_->nextButton()->isEnabled());
    QTest::mouseClick(wizard_->nextButton(), Qt::LeftButton);
}

template <typename Widget>
Widget* WizardUiTest::page()
{
    return qobject_cast<Widget*>(wizard_->pageWidget());
}

template <typename Widget>
Widget* WizardUiTest::field(const char* name)
{
    return wizard_->pageWidget()->findChild<Widget*>(QString::fromLatin1(name));
}

void WizardUiTest::type(const char* name, const QString& text)
{
    QLineEdit* edit = field<QLineEdit>(name);
    QVERIFY2(edit != nullptr, name);
    // Focus moves between fields only inside the active window.
    if (QApplication::activeWindow() != wizard_) {
        wizard_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(wizard_));
    }
    edit->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
    edit->selectAll();
    edit->home(false);
    QTest::keyClicks(edit, text);
}

void WizardUiTest::click(const char* name)
{
    auto* button = field<QPushButton>(name);
    QVERIFY2(button != nullptr && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void WizardUiTest::shoot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("SHIFTEX_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(widget->grab().save(QDir(folder).filePath(name)));
}

void WizardUiTest::fillRequiredPages()
{
    next();
    auto* holidays = page<HolidaysPageWidget>();
    QVERIFY(holidays != nullptr);
    holidays->calendar()->setCurrentPage(2003, 4);
    RefreshingComboBox* regions = holidays->regions();
    const int region = regions->findText(QStringLiteral("Netherlands"));
    QVERIFY(region >= 0);
    regions->setCurrentIndex(region);
    emit regions->activated(region);
    QCOMPARE(holidays->list()->topLevelItemCount(), 1);  // King's Day
    emit holidays->calendar()->clicked(QDate(2003, 4, 18));
    QCOMPARE(field<QSpinBox>("day")->text(), QStringLiteral("18"));
    type("name", QStringLiteral("Good Friday"));
    click("save");
    QCOMPARE(holidays->list()->topLevelItemCount(), 2);
    QVERIFY(holidays->calendar()->dateTextFormat(QDate(2003, 4, 18)).fontWeight() == QFont::Bold);
    shoot(wizard_, QStringLiteral("wizard-page-1.png"));
    next();

    QVERIFY(page<ImportPageWidget>()->scratchOption()->isChecked());
    next();

    QVERIFY(!wizard_->nextButton()->isEnabled());
    for (const char* name : {"A", "B"}) {
        page<EmployeesPageWidget>()->list()->setCurrentRow(0);
        type("name", QString::fromLatin1(name));
        click("add");
    }
    QCOMPARE(page<EmployeesPageWidget>()->list()->count(), 3);
    next();

    QVERIFY(!wizard_->nextButton()->isEnabled());
    type("code", QStringLiteral("D"));
    type("info", QStringLiteral("Day shift"));
    type("start1", QStringLiteral("0800"));
    type("finish1", QStringLiteral("1630"));

    auto* icons = field<QComboBox>("icon");
    icons->setCurrentIndex(3);
    emit icons->activated(3);
    click("save");
    QCOMPARE(field<QLineEdit>("hours")->text(), QStringLiteral("08H30"));
    QVERIFY(wizard_->nextButton()->isEnabled());
    QVERIFY(!field<QPushButton>("help")->isVisible());
}

void WizardUiTest::newOpensTheWizardAndFinishOpensTheSchedule()
{
    QCOMPARE(window_->newAction()->text(), QStringLiteral("&New"));
    QCOMPARE(window_->newAction()->toolTip(), QStringLiteral("Create new workinglist"));
    QVERIFY(openWizard() != nullptr);
    QCOMPARE(wizard_->windowTitle(), QStringLiteral("Shiftex Wizard"));
    QVERIFY(!wizard_->priorButton()->isEnabled());
    shoot(wizard_, QStringLiteral("wizard-page-0.png"));
    fillRequiredPages();
    if (QTest::currentTestFailed())
        return;
    shoot(wizard_, QStringLiteral("wizard-page-4.png"));
    next();

    auto* queries = page<CustomQueryPageWidget>();
    QVERIFY(queries != nullptr);
    type("name", QStringLiteral("Day staff"));
    queries->checklist()->item(0)->setCheckState(Qt::Checked);
    click("save");
    QCOMPARE(queries->list()->count(), 2);
    QCOMPARE(queries->list()->currentRow(), 1);
    shoot(wizard_, QStringLiteral("wizard-page-5.png"));
    next();

    auto* weekend = field<ColourButton>("weekend");
    QVERIFY(weekend != nullptr);
    emit weekend->colourChosen(QStringLiteral("clAqua"));
    auto* fonts = field<QComboBox>("font");
    const int font = fonts->findText(QStringLiteral("MS Sans Serif"));
    QVERIFY(font >= 0);  // a font the machine lacks is listed all the same
    if (fonts->count() > 1) {
        int other = fonts->findText(QStringLiteral("DejaVu Sans"));
        if (other < 0 || other == font)
            other = font == 0 ? 1 : 0;
        fonts->setCurrentIndex(other);
        emit fonts->activated(other);
        QCOMPARE(ReadUserSetting(*settings_, kGridFontKey, kGridFontValue),
                 fonts->itemText(other).toStdString());
    }
    click("save");
    shoot(wizard_, QStringLiteral("wizard-page-6.png"));
    next();

    QVERIFY(!wizard_->nextButton()->isEnabled());
    QVERIFY(wizard_->finishButton() != nullptr);
    QCOMPARE(wizard_->finishButton()->text(), QStringLiteral("Finish"));
    QTest::mouseClick(wizard_->finishButton(), Qt::LeftButton);
    QTRY_VERIFY(!wizard_->isVisible());

    ScheduleWindow* schedule = window_->activeScheduleWindow();
    QVERIFY(schedule != nullptr);
    const ScheduleDocument& document = schedule->document();
    QCOMPARE(document.monthTitle, std::string("April 2003"));
    QCOMPARE(document.Employees(), (std::vector<std::string>{"A", "B"}));
    QCOMPARE(document.workingTypes.Codes(), std::vector<std::string>{"D"});
    QCOMPARE(document.weekendColour, std::string("clAqua"));
    QCOMPARE(document.customQueryNames, std::vector<std::string>{"Day staff"});
    QCOMPARE(document.holidayLines.front(), std::string("[Netherlands]"));
    QCOMPARE(QString::fromStdString(document.sheet.Text(19, 2)), QStringLiteral("18"));
    QVERIFY(sink_->errors.empty());
    QVERIFY(sink_->informations.empty());
    QVERIFY(window_->closeGuard().readyForClose);
    shoot(window_.get(), QStringLiteral("new-schedule.png"));
}

void WizardUiTest::leaveChecksComeBeforeTheButton()
{
    QVERIFY(openWizard() != nullptr);
    fillRequiredPages();
    if (QTest::currentTestFailed())
        return;
    page<WorkingTypesPageWidget>()->list()->setCurrentIndex(0);
    emit page<WorkingTypesPageWidget>()->list()->activated(0);
    type("code", QStringLiteral("N"));
    type("start1", QStringLiteral("2200"));
    type("finish1", QStringLiteral("2500"));
    // The click takes the focus from the field: its check speaks, and the click is dropped.
    click("save");
    QCOMPARE(sink_->informations, std::vector<std::string>{"A day has only 24 Hours!"});
    QCOMPARE(page<WorkingTypesPageWidget>()->list()->count(), 2);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field<QLineEdit>("finish1")));

    // Prior leaves the page: what was not saved is gone, what was saved stays.
    QTest::mouseClick(wizard_->priorButton(), Qt::LeftButton);
    next();
    QCOMPARE(page<WorkingTypesPageWidget>()->list()->count(), 2);
}

void WizardUiTest::aTemplateFileIsPreviewed()
{
    // A schedule file to take as template.
    ScheduleTextContent content;
    content.days = 30;
    content.monthTitle = "June 2004";
    content.weekendColour = "clyellow";
    content.holidayColour = "clred";
    content.employees = {{"Ann", {"E"}}, {"Bob", {}}};
    content.workingTypes = {
        WorkingType::Create("E", "Early", "07H00", "15H00", "  H  ", "  H  ", 0)};
    content.customQueryLines = {kEndAllAdditions};
    content.fontName = "Sans Serif";
    content.fontColour = "clblue";
    content.region = "Custom";
    content.departmentColours = {kDefaultMainDepartmentColour};
    RecordingSink silent;
    const Result<ScheduleDocument> document =
        LoadScheduleText(ComposeScheduleText(content), programFolder_.toStdString(), silent);
    QVERIFY(document.has_value());
    const QString path = temp_->filePath(QStringLiteral("template.sxt"));
    QVERIFY(SaveSchedule(*document, path.toStdString()).has_value());

    QVERIFY(openWizard() != nullptr);
    wizard_->setTemplateChooser([path] { return path; });
    next();
    next();
    auto* import = page<ImportPageWidget>();
    QVERIFY(import->noPreviewLabel()->isHidden());
    QTest::mouseClick(import->browseButton(), Qt::LeftButton);
    QVERIFY(import->templateOption()->isChecked());
    QVERIFY(import->preview()->isVisible());
    QVERIFY(import->noPreviewLabel()->isHidden());
    QCOMPARE(field<QLineEdit>("path")->text(), path);
    QVERIFY(wizard_->nextButton()->isEnabled());
    shoot(wizard_, QStringLiteral("wizard-page-2.png"));
    next();
    QCOMPARE(page<EmployeesPageWidget>()->list()->count(), 3);
    QVERIFY(wizard_->nextButton()->isEnabled());
}

void WizardUiTest::closingBuildsNothing()
{
    QVERIFY(openWizard() != nullptr);
    next();
    next();
    next();
    type("name", QStringLiteral("A"));
    click("add");
    wizard_->reject();
    QVERIFY(!wizard_->isVisible());
    QVERIFY(window_->scheduleWindows().isEmpty());
    // Opened again, it starts afresh.
    QVERIFY(openWizard() != nullptr);
    QCOMPARE(wizard_->wizard().page(), 0);
    QVERIFY(wizard_->wizard().answers().employeeNames.empty());
}

QTEST_MAIN(WizardUiTest)
#include "wizard_ui_test.moc"
