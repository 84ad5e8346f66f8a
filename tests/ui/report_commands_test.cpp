#include "files/schedule_text.h"
#include "ui/bar_schedule_window.h"
#include "ui/main_window.h"
#include "ui/print_preview_window.h"
#include "ui/quick_insert_panel_widget.h"
#include "ui/report_commands.h"
#include "ui/schedule_window.h"

#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>
#include <string>
#include <vector>

using namespace shiftex;
using test::RecordingSink;
using test::WriteLines;

namespace {

constexpr int kEmployees = 40;

// June 2004 with forty employees working E (07H00 to 15H00) every third day; two of them share
// a name. With `departments`, two departments are declared.
std::vector<std::string> JuneSchedule(bool departments)
{
    ScheduleTextContent content;
    content.days = 30;
    content.monthTitle = "June 2004";
    content.weekendDays = {"5", "6", "12", "13", "19", "20", "26", "27"};
    content.weekendColour = "clyellow";
    content.holidayColour = "$00A8C8A6";
    for (int k = 1; k <= kEmployees; ++k) {
        const std::string name = k == 3 ? "Employee 2" : "Employee " + std::to_string(k);
        ScheduleTextContent::Employee employee{name, {}};
        for (int day = 1; day <= 30; ++day)
            employee.cells.push_back((day + k) % 3 == 0 ? "E" : "");
        content.employees.push_back(employee);
    }
    content.workingTypes = {
        WorkingType::Create("E", "Early", "07H00", "15H00", "  H  ", "  H  ", 0)};
    content.customQueryLines = {kEndAllAdditions};
    content.fontName = "DejaVu Sans";
    content.fontColour = "clblue";
    content.region = "United Kingdom";
    content.departmentColours = {kDefaultMainDepartmentColour};
    if (departments) {
        content.departmentNames = {"Ward A", "Ward B"};
        content.departmentColours = {kDefaultMainDepartmentColour, "clLime", "clAqua"};
    }
    return ComposeScheduleText(content);
}

// The text of a PDF and its page count, through pdftotext and pdfinfo.
QString PdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, "-"});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished();
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.section(QLatin1Char(' '), -1).toInt();
    return 0;
}

} // namespace

class ReportCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fileAndPrintMenusFollowTheActiveSchedule();
    void workScheduleAndCurrentViewPrint();
    void previewPagesThroughAndPrints();
    void exportAppendsTheTypesExtension();
    void calendarsAreWrittenPerEmployee();
    void barScheduleWindowDrawsChoosesAndPrints();

private:
    ScheduleWindow* Open(bool departments = false);
    // The printer dialog answered by printing to a PDF file.
    ReportCommands::PrintDialog PrintTo(const QString& path);

    QTemporaryDir temp_;
    QString programFolder_;
    std::unique_ptr<MainWindow> window_;
    RecordingSink* sink_ = nullptr;
};

void ReportCommandsTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(temp_.isValid());
    programFolder_ = test::SeededProgramFolder(temp_);
    QVERIFY(WriteLines(temp_.filePath(QStringLiteral("june.sxt")), JuneSchedule(false)));
    QVERIFY(WriteLines(temp_.filePath(QStringLiteral("wards.sxt")), JuneSchedule(true)));
}

void ReportCommandsTest::init()
{
    auto sink = std::make_unique<RecordingSink>();
    sink_ = sink.get();
    window_ = test::TestMainWindow(std::move(sink), programFolder_, QSize(900, 600));
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void ReportCommandsTest::cleanup()
{
    window_.reset();
    sink_ = nullptr;
}

ScheduleWindow* ReportCommandsTest::Open(bool departments)
{
    ScheduleWindow* schedule = window_->OpenScheduleFile(
        temp_.filePath(departments ? QStringLiteral("wards.sxt") : QStringLiteral("june.sxt")));
    QApplication::processEvents();
    return schedule;
}

ReportCommands::PrintDialog ReportCommandsTest::PrintTo(const QString& path)
{
    return [path](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
}

void ReportCommandsTest::fileAndPrintMenusFollowTheActiveSchedule()
{
    ReportCommands& reports = *window_->reports();
    QMenu* print = window_->printMenu();
    const std::vector<QAction*> bound{window_->commandAction(MainCommand::Export),
                                      window_->commandAction(MainCommand::ExportCalendars),
                                      window_->commandAction(MainCommand::GenerateBarSchedule),
                                      window_->toolAction(MainCommand::PrintSheet),
                                      window_->toolAction(MainCommand::PrintPreview)};
    // Nothing to print without a schedule.
    QVERIFY(!print->menuAction()->isEnabled());
    for (QAction* action : bound)
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));

    ScheduleWindow* schedule = Open();
    QVERIFY(schedule != nullptr);
    QVERIFY(print->menuAction()->isEnabled());
    for (QAction* action : bound)
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    const auto enabledItems = [&] {
        emit print->aboutToShow();
        QList<bool> enabled;
        for (QAction* action : print->actions())
            enabled << action->isEnabled();
        return enabled;
    };
    QCOMPARE(enabledItems(), (QList<bool>{true, true, true, false, false, false, false}));
    schedule->toggleSummary(SummaryKind::WorkedHours);
    schedule->toggleSummary(SummaryKind::TypesPerDay);
    QCOMPARE(enabledItems(), (QList<bool>{true, true, true, false, false, true, true}));
    schedule->toggleSummary(SummaryKind::CustomQuery);
    schedule->toggleSummary(SummaryKind::EmployeesPerType);
    schedule->toggleSummary(SummaryKind::WorkedHours);
    QCOMPARE(enabledItems(), (QList<bool>{true, true, true, true, true, true, false}));
    // A disabled item does nothing, even when triggered directly.
    QVERIFY(!reports.run(PrintCommand::WorkedHours));

    // Departments declared: no icon print.
    QVERIFY(Open(true) != nullptr);
    QCOMPARE(enabledItems().at(2), false);
}

void ReportCommandsTest::workScheduleAndCurrentViewPrint()
{
    ScheduleWindow* schedule = Open();
    QVERIFY(schedule != nullptr);
    ReportCommands& reports = *window_->reports();

    const QString sheet = temp_.filePath(QStringLiteral("sheet.pdf"));
    reports.setPrintDialog(PrintTo(sheet));
    QVERIFY(reports.run(PrintCommand::WorkSchedule));
    const QString text = PdfText(sheet);
    QVERIFY(text.contains(QStringLiteral("June 2004")));
    QVERIFY(text.contains(QStringLiteral("Employee 40")));
    QVERIFY(text.contains(QStringLiteral("Employee / Days")));
    QCOMPARE(PdfPages(sheet), 1);

    // A selection of the first week prints that week only, every employee with it.
    schedule->session().selections().SetSelection(CellRect{2, 5, 8, 9});
    const QString week = temp_.filePath(QStringLiteral("week.pdf"));
    reports.setPrintDialog(PrintTo(week));
    QVERIFY(window_->toolAction(MainCommand::PrintSheet)->isEnabled());
    window_->toolAction(MainCommand::PrintSheet)->trigger();
    const QString weekText = PdfText(week);
    QVERIFY(weekText.contains(QStringLiteral("Employee 40")));
    QString days;
    for (const QString& line : weekText.split(QLatin1Char('\n')))
        if (line.contains(QStringLiteral("Employee / Days")))
            days = line.simplified();
    QCOMPARE(days, QStringLiteral("Employee / Days 1 2 3 4 5 6 7"));

    // The current view: without its tool bar and quick insert panel, which come back after.
    const QString view = temp_.filePath(QStringLiteral("view.pdf"));
    reports.setPrintDialog(PrintTo(view));
    QVERIFY(reports.run(PrintCommand::CurrentView));
    QCOMPARE(reports.printer().docName(), QStringLiteral("4.3 : schedule."));
    QVERIFY(QFileInfo(view).size() > 0);
    QVERIFY(schedule->toolBar()->isVisible());
    QVERIFY(schedule->quickInsertPanel()->isVisible());

    // A cancelled printer dialog prints nothing.
    reports.setPrintDialog([](QPrinter&) { return false; });
    QVERIFY(!reports.run(PrintCommand::WorkSchedule));
    QVERIFY(sink_->errors.empty());
}

void ReportCommandsTest::previewPagesThroughAndPrints()
{
    ScheduleWindow* schedule = Open();
    QVERIFY(schedule != nullptr);
    schedule->toggleSummary(SummaryKind::WorkedHours);
    ReportCommands& reports = *window_->reports();
    const QString printed = temp_.filePath(QStringLiteral("hours.pdf"));
    reports.setPrintDialog(PrintTo(printed));
    bool shown = false;
    reports.setPreviewShower([&](PrintPreviewWindow& preview) {
        shown = true;
        QCOMPARE(preview.windowTitle(), QStringLiteral("Preview"));
        QCOMPARE(preview.previousButton()->text(), QStringLiteral("Previous"));
        QCOMPARE(preview.nextButton()->text(), QStringLiteral("Next"));
        QCOMPARE(preview.printButton()->text(), QStringLiteral("Print"));
        QCOMPARE(preview.closeButton()->text(), QStringLiteral("Close"));
        QCOMPARE(preview.copy().source, PrintSource::Hours);
        // Forty employees at full size need a second page; headers repeat on it.
        QCOMPARE(preview.pageCount(), 2);
        QCOMPARE(preview.currentPage(), 1);
        QVERIFY(!preview.previousButton()->isEnabled());
        QTest::mouseClick(preview.nextButton(), Qt::LeftButton);
        QCOMPARE(preview.currentPage(), 2);
        QVERIFY(!preview.nextButton()->isEnabled());
        QVERIFY(preview.previousButton()->isEnabled());
        QTest::mouseClick(preview.printButton(), Qt::LeftButton);
    });
    QVERIFY(reports.run(PrintCommand::WorkedHours));
    QVERIFY(shown);
    QCOMPARE(PdfPages(printed), 2);
    const QString text = PdfText(printed);
    QCOMPARE(text.count(QStringLiteral("Shiftex Schedule: Worked Hours")), 2);
    QCOMPARE(text.count(QStringLiteral("Hours")), 4);  // the title and the column, per page
    QVERIFY(text.contains(QStringLiteral("1/2")));
    QVERIFY(text.contains(QStringLiteral("2/2")));

    // The sheet's preview tool button previews the work schedule.
    shown = false;
    reports.setPreviewShower([&](PrintPreviewWindow& preview) {
        shown = true;
        QCOMPARE(preview.copy().source, PrintSource::Sheet);
        QCOMPARE(preview.pageCount(), 1);
    });
    window_->toolAction(MainCommand::PrintPreview)->trigger();
    QVERIFY(shown);
}

void ReportCommandsTest::exportAppendsTheTypesExtension()
{
    QVERIFY(Open() != nullptr);
    ReportCommands& reports = *window_->reports();
    const QString name = temp_.filePath(QStringLiteral("roster.htm"));
    reports.setExportChooser([&] { return std::pair{name, ExportType::Html}; });
    QVERIFY(reports.exportSchedule());
    QVERIFY(QFile::exists(name + ".htm"));
    QVERIFY(!QFile::exists(name));

    // An existing file is replaced only after a yes.
    const QDateTime written = QFileInfo(name + ".htm").lastModified();
    sink_->answer = Answer::No;
    QVERIFY(!reports.exportSchedule());
    QCOMPARE(sink_->questions.size(), 1u);
    QVERIFY(sink_->questions[0].find("roster.htm.htm already exists") != std::string::npos);
    QCOMPARE(QFileInfo(name + ".htm").lastModified(), written);

    // A folder that does not exist: the writer's own message.
    const QString missing = temp_.filePath(QStringLiteral("missing/roster"));
    reports.setExportChooser([&] { return std::pair{missing, ExportType::Xlsx}; });
    QVERIFY(!reports.exportSchedule());
    QCOMPARE(sink_->errors.size(), 1u);
    QCOMPARE(QString::fromStdString(sink_->errors[0]),
             QStringLiteral("Cannot Create file ") + missing + QStringLiteral(".xlsx"));
}

void ReportCommandsTest::calendarsAreWrittenPerEmployee()
{
    QVERIFY(Open() != nullptr);
    ReportCommands& reports = *window_->reports();
    const QString folder = temp_.filePath(QStringLiteral("calendars"));
    QVERIFY(QDir().mkpath(folder));
    reports.setFolderChooser([&] { return folder; });
    window_->commandAction(MainCommand::ExportCalendars)->trigger();
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.ics")}, QDir::Files);
    QCOMPARE(files.size(), kEmployees);
    QVERIFY(files.contains(QStringLiteral("Employee 2 (2).ics")));
    QCOMPARE(sink_->informations.size(), 1u);
}

void ReportCommandsTest::barScheduleWindowDrawsChoosesAndPrints()
{
    ScheduleWindow* schedule = Open(true);
    QVERIFY(schedule != nullptr);
    const ScheduleDocument& document = schedule->document();
    QVERIFY(!document.modified);
    schedule->session().selections().SetSelection(CellRect{2, 3, 8, 3});  // 1 to 7 June
    ReportCommands& reports = *window_->reports();
    bool shown = false;
    const QString pdf = temp_.filePath(QStringLiteral("bars.pdf"));
    const QString bitmap = temp_.filePath(QStringLiteral("bars.bmp"));
    reports.setBarWindowShower([&](BarScheduleWindow& bars) {
        shown = true;
        QCOMPARE(bars.statusBar()->currentMessage(),
                 QStringLiteral("Hint: Select the days in your schedule before creating the "
                                "bargraph"));
        QCOMPARE(bars.employeeList()->count(), kEmployees);
        QCOMPARE(bars.titleText(), QStringLiteral("Schedule for Employee 1 - 1 June 'till 7 June"));
        // Employee 1 works E on the 2nd and the 5th: a coloured bar for each.
        int coloured = 0;
        for (const BarColumn& column : bars.graph().columns)
            coloured += column.worked.any() ? 1 : 0;
        QCOMPARE(coloured, 2);
        int legend = 0;
        for (QPushButton* button : bars.legendButtons())
            legend += button->isVisibleTo(&bars) ? 1 : 0;
        QCOMPARE(legend, 3);

        // Both employees named "Employee 2" can be shown: each list entry is its own row.
        bars.employeeList()->setCurrentRow(2);
        QCOMPARE(bars.titleText(), QStringLiteral("Schedule for Employee 2 - 1 June 'till 7 June"));
        QCOMPARE(bars.graph().columns[0].worked.any(), false);  // the 1st
        QCOMPARE(bars.graph().columns[4].worked.any(), true);   // the 3rd

        // A legend colour goes to the document without marking it modified.
        bars.setColourChooser([](Colour) { return std::optional<Colour>(RgbColour(10, 20, 30)); });
        bars.legendButtons()[1]->click();
        QCOMPARE(document.departments[0].colour, ColorToString(RgbColour(10, 20, 30)));
        QVERIFY(!document.modified);

        // Save as proposes the title and writes a bitmap of the content.
        QString proposed;
        bars.setFileChooser([&](const QString& title) {
            proposed = title;
            return bitmap;
        });
        QMenu* file = bars.findChild<QMenuBar*>()->actions().first()->menu();
        QStringList items;
        for (QAction* action : file->actions())
            if (!action->isSeparator())
                items << action->text();
        QCOMPARE(items, (QStringList{"&Save as ...", "Printer Settings ...", "Print Curren&t",
                                     "&Print All", "&Close"}));
        file->actions().first()->trigger();
        QCOMPARE(proposed, bars.titleText());
        QImage image(bitmap);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), bars.content()->size());

        // Print All: one page per employee, the job named after the employee shown first.
        QVERIFY(PrintTo(pdf)(reports.printer()));
        QVERIFY(bars.printAll(reports.printer()));
        QCOMPARE(reports.printer().docName(),
                 QStringLiteral("Shiftex 4.3Schedule for Employee 2 - 1 June 'till 7 June"));
    });
    window_->commandAction(MainCommand::GenerateBarSchedule)->trigger();
    QVERIFY(shown);
    QCOMPARE(PdfPages(pdf), kEmployees);
    const QString last = QStringLiteral("Schedule for Employee 40 - 1 June 'till 7 June");
    QVERIFY(PdfText(pdf).contains(last));
    QVERIFY(sink_->errors.empty());
}

QTEST_MAIN(ReportCommandsTest)
#include "report_commands_test.moc"
