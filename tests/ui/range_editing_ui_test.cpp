#include "editing/schedule_closing.h"
#include "editing/schedule_session.h"
#include "files/schedule_text.h"
#include "files/text_io.h"
#include "platform/program_folder.h"
#include "ui/main_window.h"
#include "ui/quick_insert_panel_widget.h"
#include "ui/schedule_window.h"
#include "ui/sheet_view.h"
#include "ui/summary_view.h"

#include "ui_test_support.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

using namespace shiftex;
using test::RecordingSink;
using test::WriteLines;

namespace {


constexpr int kFirstDay = 2;
constexpr int kDays = 30;

// June 2004 with four employees and the working types E and L of eight hours; employee k works
// E on the days divisible by k + 2.
std::vector<std::string> JuneSchedule()
{
    ScheduleTextContent content;
    content.days = kDays;
    content.monthTitle = "June 2004";
    content.weekendColour = "clyellow";
    content.holidayColour = "$00A8C8A6";
    for (int k = 1; k <= 4; ++k) {
        ScheduleTextContent::Employee employee{"Employee " + std::to_string(k), {}};
        for (int day = 1; day <= kDays; ++day)
            employee.cells.push_back(day % (k + 2) == 0 ? "E" : "");
        content.employees.push_back(employee);
    }
    content.workingTypes = {
        WorkingType::Create("E", "Early", "07H00", "15H00", "  H  ", "  H  ", 0),
        WorkingType::Create("L", "Late", "14H00", "22H00", "  H  ", "  H  ", 1)};
    content.customQueryLines = {kEndAllAdditions};
    content.fontName = "Sans Serif";
    content.fontColour = "clblue";
    content.region = "United Kingdom";
    content.departmentColours = {kDefaultMainDepartmentColour};
    return ComposeScheduleText(content);
}


// Opens the list as a user does (its entries are taken from the document then) and clicks the
// entry with this text; false when the list has no such entry.
bool ChooseEntry(ChoiceCombo* list, const QString& text)
{
    list->showPopup();
    QAbstractItemView* view = list->view();
    const int row = list->findText(text);
    if (row < 0) {
        list->hidePopup();
        return false;
    }
    view->setCurrentIndex(view->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();
    return list->currentText() == text;
}

QStringList EntriesOf(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

} // namespace

class RangeEditingUiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void quickInsertThroughThePanel();
    void clipboardCommands();
    void theMonthButtonExtendsTheSheet();
    void draggingANameMovesTheRow();
    void cancelKeepsAModifiedScheduleOpen();
    void theExampleInTheDepartmentsView();

private:
    ScheduleWindow* Open();

    QTemporaryDir temp_;
    QString programFolder_;
    std::unique_ptr<MainWindow> window_;
    RecordingSink* sink_ = nullptr;
};

void RangeEditingUiTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(temp_.isValid());
    programFolder_ = test::SeededProgramFolder(temp_);
    QVERIFY(WriteLines(temp_.filePath(QStringLiteral("june.sxt")), JuneSchedule()));
}

void RangeEditingUiTest::init()
{
    auto sink = std::make_unique<RecordingSink>();
    sink_ = sink.get();
    window_ = test::TestMainWindow(std::move(sink), programFolder_, QSize(1100, 760));
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void RangeEditingUiTest::cleanup()
{
    window_.reset();
    sink_ = nullptr;
}

ScheduleWindow* RangeEditingUiTest::Open()
{
    ScheduleWindow* schedule = window_->OpenScheduleFile(temp_.filePath("june.sxt"));
    QApplication::processEvents();
    return schedule;
}

void RangeEditingUiTest::quickInsertThroughThePanel()
{
    ScheduleWindow* schedule = Open();
    QVERIFY(schedule != nullptr);
    window_->summaryAction(SummaryKind::WorkedHours)->trigger();
    const ScheduleSheet& cells = schedule->document().sheet;
    const int top = cells.fixedRows;
    QuickInsertPanelWidget* panel = schedule->quickInsertPanel();
    QVERIFY(panel->isVisible());
    QVERIFY(!panel->insertButton()->isEnabled());
    QVERIFY(!panel->departmentList()->isEnabled());

    // Late shifts into the empty days of the second employee only.
    schedule->selectWorkingType(2);
    QVERIFY(ChooseEntry(panel->scopeList(), QStringLiteral("All empty cells")));
    QVERIFY(!panel->insertButton()->isEnabled());
    QVERIFY(ChooseEntry(panel->employeeList(), QStringLiteral("Employee 2")));
    QCOMPARE(EntriesOf(panel->employeeList()),
             QStringList({"Everybody", "Employee 1", "Employee 2", "Employee 3", "Employee 4"}));
    QVERIFY(!panel->groupColourList()->isEnabled());
    QVERIFY(panel->insertButton()->isEnabled());
    QTest::mouseClick(panel->insertButton(), Qt::LeftButton);

    for (int day = 1; day <= kDays; ++day) {
        const int col = kFirstDay + day - 1;
        QCOMPARE(cells.Text(col, top + 1), std::string(day % 4 == 0 ? "E" : "L"));
        QCOMPARE(cells.Text(col, top), std::string(day % 3 == 0 ? "E" : ""));
    }
    // The worked hours follow: eight hours on every day.
    SummaryView* hours = schedule->summaryView(SummaryKind::WorkedHours);
    QCOMPARE(hours->grid()->Text(1, top + 1), std::string("240H00"));
    QVERIFY(window_->undoAction()->isEnabled());
    QVERIFY(window_->saveAction()->isEnabled());

    // Back to everybody: the group colour list offers the one colour of the sheet as a swatch.
    QVERIFY(ChooseEntry(panel->employeeList(), QStringLiteral("Everybody")));
    QVERIFY(panel->groupColourList()->isEnabled());
    panel->groupColourList()->showPopup();
    QCOMPARE(panel->groupColourList()->count(), 2);
    QVERIFY(panel->groupColourList()->itemData(1, ChoiceCombo::kColourRole).value<QColor>()
                .isValid());
    panel->groupColourList()->hidePopup();

    // A click on the caption folds the panel up, a second one opens it again.
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(10, 5));
    QVERIFY(!panel->body()->isVisible());
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(10, 5));
    QVERIFY(panel->body()->isVisible());
    QVERIFY(sink_->errors.empty());
}

void RangeEditingUiTest::clipboardCommands()
{
    ScheduleWindow* schedule = Open();
    QVERIFY(schedule != nullptr);
    SheetView* sheet = schedule->sheetView();
    const ScheduleSheet& cells = schedule->document().sheet;
    const int top = cells.fixedRows;
    QCOMPARE(window_->pasteAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));

    // Another program put two rows on the clipboard; an unknown code stays out.
    QGuiApplication::clipboard()->setText(QStringLiteral("L\tL\r\nL\tX\r\n"));
    sheet->setCurrentCell(kFirstDay, top);
    QVERIFY(window_->pasteAction()->isEnabled());
    window_->pasteAction()->trigger();
    QCOMPARE(cells.Text(kFirstDay, top), std::string("L"));
    QCOMPARE(cells.Text(kFirstDay + 1, top), std::string("L"));
    QCOMPARE(cells.Text(kFirstDay, top + 1), std::string("L"));
    QCOMPARE(cells.Text(kFirstDay + 1, top + 1), std::string());
    QCOMPARE(sink_->informations,
             std::vector<std::string>{std::string(kRejectedPasteMessage) + "\n\rX"});
    QCOMPARE(sheet->currentCell(), QPoint(kFirstDay, top));
    QVERIFY(window_->undoAction()->isEnabled());

    // Copy puts the selection on the system clipboard and enables the Paste tool button.
    schedule->session().selections().SetSelection({kFirstDay + 1, top, kFirstDay + 2, top});
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(sheet, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("L\tE"));
    QVERIFY(window_->pasteToolAction()->isEnabled());
    QVERIFY(sink_->errors.empty());
}

void RangeEditingUiTest::theMonthButtonExtendsTheSheet()
{
    ScheduleWindow* schedule = Open();
    QVERIFY(schedule != nullptr);
    SheetView* sheet = schedule->sheetView();
    const ScheduleSheet& cells = schedule->document().sheet;
    const int old = cells.colCount();
    const int month = cells.MergeRect(old - 1, 0).left;
    const QRect button = sheet->buttonRect(month, 0);
    QVERIFY(!button.isEmpty());
    sheet->scrollToCell(old - 1, 0);
    QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {}, sheet->buttonRect(month, 0).center());

    // June 2004 ends on its last day: the whole of July follows, and the buttons move on.
    QCOMPARE(cells.colCount(), old + 31);
    QCOMPARE(cells.Text(old, 0), std::string("July 2004"));
    QCOMPARE(cells.Text(old, 2), std::string("1"));
    QCOMPARE(cells.Text(cells.colCount() - 1, 2), std::string("31"));
    QVERIFY(!cells.HasButton(month, 0));
    QVERIFY(cells.HasButton(cells.MergeRect(cells.colCount() - 1, 0).left, 0));
    QVERIFY(window_->saveAction()->isEnabled());
    QVERIFY(sink_->errors.empty());
}

void RangeEditingUiTest::draggingANameMovesTheRow()
{
    ScheduleWindow* schedule = Open();
    QVERIFY(schedule != nullptr);
    window_->summaryAction(SummaryKind::WorkedHours)->trigger();
    SheetView* sheet = schedule->sheetView();
    const ScheduleSheet& cells = schedule->document().sheet;
    const int top = cells.fixedRows;
    const SummaryGrid& totals = schedule->session().summaries().workedHours().grid();
    const std::string hours = totals.Text(1, top + 2);
    QVERIFY(hours != totals.Text(1, top));

    // The third employee's name dropped on the first row: the row and its total move up.
    QTest::mousePress(sheet->viewport(), Qt::LeftButton, {}, sheet->cellRect(1, top + 2).center());
    QTest::mouseMove(sheet->viewport(), sheet->cellRect(1, top + 1).center());
    QTest::mouseMove(sheet->viewport(), sheet->cellRect(1, top).center());
    QTest::mouseRelease(sheet->viewport(), Qt::LeftButton, {}, sheet->cellRect(1, top).center());
    QCOMPARE(cells.Text(1, top), std::string("Employee 3"));
    QCOMPARE(cells.Text(1, top + 1), std::string("Employee 1"));
    QCOMPARE(totals.Text(1, top), hours);
    QVERIFY(window_->saveAction()->isEnabled());

    // A click on a name moves nothing.
    QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {}, sheet->cellRect(1, top).center());
    QCOMPARE(cells.Text(1, top), std::string("Employee 3"));
}

void RangeEditingUiTest::cancelKeepsAModifiedScheduleOpen()
{
    ScheduleWindow* schedule = Open();
    QVERIFY(schedule != nullptr);
    schedule->selectWorkingType(1);
    SheetView* sheet = schedule->sheetView();
    QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {},
                      sheet->cellRect(kFirstDay, schedule->document().sheet.fixedRows).center());
    QVERIFY(schedule->document().modified);

    // The program is asked to exit; the user cancels the closing of the schedule.
    sink_->answer = Answer::Cancel;
    QVERIFY(!window_->close());
    QCOMPARE(sink_->questions, std::vector<std::string>{kCloseUnsavedQuestion});
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->scheduleWindows().size(), 1);
    QCOMPARE(window_->closeGuard().closeVerdict, std::string(kCancelVerdict));
    QVERIFY(window_->editMenu()->menuAction()->isEnabled());

    // The same from the window's own close.
    QMdiSubWindow* sub = window_->mdiArea()->subWindowList().value(0);
    QVERIFY(sub != nullptr);
    QVERIFY(!sub->close());
    QCOMPARE(window_->scheduleWindows().size(), 1);

    // OK closes it, and the commands that need a schedule go.
    sink_->answer = Answer::Ok;
    QVERIFY(sub->close());
    QTRY_COMPARE(window_->scheduleWindows().size(), 0);
    QTRY_VERIFY(!window_->editMenu()->menuAction()->isEnabled());
    QVERIFY(!window_->undoAction()->isEnabled());
    QVERIFY(!window_->pasteToolAction()->isEnabled());
}

// The example in the departments view after a paste of department lines (Ward B takes the
// shifts of the second half of the staff, one nurse works on both wards on the 4th). With
// SHIFTEX_SCREENSHOT_DIR set the window is saved there as departments.png.
void RangeEditingUiTest::theExampleInTheDepartmentsView()
{
    const QString example = QStringLiteral(SHIFTEX_SOURCE_DIR "/tests/data/ward.sxt");
    if (!QFile::exists(example))
        QSKIP("tests/data/ward.sxt is not there");
    window_->resize(1440, 900);
    ScheduleWindow* schedule = window_->OpenScheduleFile(example);
    QVERIFY(schedule != nullptr);
    for (SummaryKind kind : {SummaryKind::TypesPerDay, SummaryKind::CustomQuery})
        window_->summaryAction(kind)->trigger();
    const std::vector<std::string> names = schedule->session().summaries().QueryNameChoices();
    QVERIFY(!names.empty());
    QVERIFY(schedule->chooseQuery(schedule->session().summaries().customQuery().headerRows(),
                                  names[0]));
    const ScheduleDocument& document = schedule->document();
    const ScheduleSheet& cells = document.sheet;
    QCOMPARE(document.departments.size(), std::size_t{2});

    const int top = cells.fixedRows;
    const int rows = cells.rowCount() - top;
    QString text;
    for (int r = top; r < cells.rowCount(); ++r) {
        QStringList row;
        const QString ward = r - top < rows / 2 ? QStringLiteral("Ward A: ")
                                                : QStringLiteral("Ward B: ");
        for (int c = kFirstDay; c < cells.colCount(); ++c) {
            const QString code = QString::fromStdString(cells.Text(c, r));
            row << (code.isEmpty() ? code : ward + code);
        }
        if (r == top + 1)
            row[3] = QStringLiteral("\"Ward A: E\rWard B: L\"");
        text += row.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    QGuiApplication::clipboard()->setText(text);
    schedule->sheetView()->setCurrentCell(kFirstDay, top);
    window_->pasteAction()->trigger();
    QVERIFY(sink_->informations.empty());
    QCOMPARE(cells.Text(kFirstDay + 3, top + 1), std::string("Ward A: E\rWard B: L"));

    window_->showDepartmentsAction()->trigger();
    QVERIFY(schedule->session().structuralEdits().DepartmentViewShown());
    QCOMPARE(cells.fixedRows, 4);
    QCOMPARE(cells.Text(kFirstDay, 3), std::string("Ward A"));
    QCOMPARE(cells.Text(kFirstDay + 1, 3), std::string("Ward B"));
    // The nurse on both wards on the 4th: E in Ward A's sub-column, L in Ward B's.
    QCOMPARE(cells.Text(kFirstDay + 6, 5), std::string("E"));
    QCOMPARE(cells.Text(kFirstDay + 7, 5), std::string("L"));
    QVERIFY(!window_->undoAction()->isEnabled());
    QVERIFY(schedule->quickInsertPanel()->departmentList()->isEnabled());
    QCOMPARE(schedule->quickInsertPanel()->departmentList()->currentText(),
             QStringLiteral("All departments"));
    QVERIFY(sink_->errors.empty());
    QTRY_VERIFY(!window_->loadingProgress()->isVisible());

    const QString folder = qEnvironmentVariable("SHIFTEX_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(window_->grab().save(QDir(folder).filePath(QStringLiteral("departments.png"))));

    // Hide brings the department lines back into single day cells.
    window_->hideDepartmentsAction()->trigger();
    QCOMPARE(cells.fixedRows, 3);
    QCOMPARE(cells.Text(kFirstDay + 3, top + 1), std::string("Ward A: E\rWard B: L\r"));
    QCOMPARE(schedule->sheetView()->horizontalScrollBar()->value(), 0);
}

QTEST_MAIN(RangeEditingUiTest)
#include "range_editing_ui_test.moc"
