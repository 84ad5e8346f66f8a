#include "files/schedule_text.h"
#include "files/text_io.h"
#include "platform/program_folder.h"
#include "ui/comment_panel_widget.h"
#include "ui/main_window.h"
#include "ui/schedule_window.h"
#include "ui/sheet_view.h"
#include "ui/summary_view.h"
#include "ui/working_type_chooser.h"

#include <QAction>
#include "ui_test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace shiftex;
using test::RecordingSink;
using test::WriteLines;

namespace {


constexpr int kFirstDay = 2;
constexpr int kEmployees = 6;

// June 2004 with six employees and one working type E of eight hours, wanted once or twice a
// day; employee k works E on the days divisible by k + 2.
std::vector<std::string> SmallSchedule()
{
    ScheduleTextContent content;
    content.days = 30;
    content.monthTitle = "June 2004";
    content.weekendColour = "clyellow";
    content.holidayColour = "$00A8C8A6";
    for (int k = 1; k <= kEmployees; ++k) {
        ScheduleTextContent::Employee employee{"Employee " + std::to_string(k), {}};
        for (int day = 1; day <= 30; ++day)
            employee.cells.push_back(day % (k + 2) == 0 ? "E" : "");
        content.employees.push_back(employee);
    }
    WorkingType early = WorkingType::Create("E", "Early", "07H00", "15H00", "  H  ", "  H  ", 0);
    early.fields[field::DayMinColour] = "clred";
    early.fields[field::DayMinCount] = "1";
    early.fields[field::DayMaxColour] = "clyellow";
    early.fields[field::DayMaxCount] = "2";
    content.workingTypes = {early};
    content.customQueryLines = {kEndAllAdditions};
    content.fontName = "Sans Serif";
    content.fontColour = "clblue";
    content.region = "United Kingdom";
    content.departmentColours = {kDefaultMainDepartmentColour};
    return ComposeScheduleText(content);
}


// The colour painted at the top left corner of a cell, clear of its text.
QColor CellCorner(SummaryView* view, int col, int row)
{
    const QImage image = view->viewport()->grab().toImage();
    return image.pixelColor(view->cellRect(col, row).topLeft() + QPoint(1, 1));
}

} // namespace

class ScheduleWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void aClickPlacesTheCodeAndTheSummariesFollow();
    void keysActOnTheSelection();
    void undoAndRedoFollowTheActiveWindow();
    void workinglistEntriesShowAndHide();
    void contextMenuItemsRun();
    void customQueryRows();
    void theExampleWithAllSummaries();

private:
    ScheduleWindow* Open(const QString& name);

    QTemporaryDir temp_;
    QString programFolder_;
    std::unique_ptr<MainWindow> window_;
    RecordingSink* sink_ = nullptr;
};

void ScheduleWindowTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(temp_.isValid());
    programFolder_ = test::SeededProgramFolder(temp_);
    for (const char* name : {"a.sxt", "b.sxt"})
        QVERIFY(WriteLines(temp_.filePath(QString::fromLatin1(name)), SmallSchedule()));
}

void ScheduleWindowTest::init()
{
    auto sink = std::make_unique<RecordingSink>();
    sink_ = sink.get();
    window_ = test::TestMainWindow(std::move(sink), programFolder_, QSize(900, 700));
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void ScheduleWindowTest::cleanup()
{
    window_.reset();
    sink_ = nullptr;
}

ScheduleWindow* ScheduleWindowTest::Open(const QString& name)
{
    ScheduleWindow* schedule = window_->OpenScheduleFile(temp_.filePath(name));
    QApplication::processEvents();
    return schedule;
}

void ScheduleWindowTest::aClickPlacesTheCodeAndTheSummariesFollow()
{
    ScheduleWindow* schedule = Open(QStringLiteral("a.sxt"));
    QVERIFY(schedule != nullptr);
    window_->summaryAction(SummaryKind::WorkedHours)->trigger();
    window_->summaryAction(SummaryKind::TypesPerDay)->trigger();
    QApplication::processEvents();
    SheetView* sheet = schedule->sheetView();
    SummaryView* hours = schedule->summaryView(SummaryKind::WorkedHours);
    SummaryView* types = schedule->summaryView(SummaryKind::TypesPerDay);
    QVERIFY(hours->isVisible());
    QVERIFY(types->isVisible());

    // Day 1 of employee 1 is empty; nobody works E on day 1, so its count is below the minimum.
    const int row = schedule->document().sheet.fixedRows;
    const int col = kFirstDay;
    const int typeRow = types->grid()->fixedRows();
    QCOMPARE(schedule->document().sheet.Text(col, row), std::string());
    QCOMPARE(hours->grid()->Text(1, row), std::string("80H00"));
    QCOMPARE(CellCorner(types, col - 1, typeRow), QColor(Qt::red));
    // Each total stands level with its employee.
    QCOMPARE(hours->mapTo(schedule, hours->cellRect(1, row).center()).y(),
             sheet->mapTo(schedule, sheet->cellRect(col, row).center()).y());
    const QImage before = hours->viewport()->grab().toImage().copy(hours->cellRect(1, row));

    WorkingTypeChooser* chooser = schedule->typeChooser();
    QCOMPARE(chooser->count(), 2);
    QCOMPARE(chooser->itemData(0, WorkingTypeChooser::kInformationRole).toString(),
             QStringLiteral("Insert blanc"));
    QVERIFY(chooser->itemIcon(0).isNull());
    QVERIFY(!chooser->itemIcon(1).isNull());
    emit chooser->activated(1);
    QCOMPARE(schedule->session().editState().currentType, 1);

    QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {}, sheet->cellRect(col, row).center());
    QCOMPARE(schedule->document().sheet.Text(col, row), std::string("E"));
    QCOMPARE(hours->grid()->Text(1, row), std::string("88H00"));
    QVERIFY(hours->viewport()->grab().toImage().copy(hours->cellRect(1, row)) != before);
    QCOMPARE(types->grid()->Text(col - 1, typeRow), std::string("1"));
    QCOMPARE(CellCorner(types, col - 1, typeRow), QColor(Qt::white));
    QVERIFY(window_->saveAction()->isEnabled());

    // A double-click on a week header shows that week's hours; the next click on a day cell
    // brings back the whole month.
    const QPoint week = sheet->cellRect(col + 7, 1).center();
    QTest::mouseDClick(sheet->viewport(), Qt::LeftButton, {}, week);
    QVERIFY(QString::fromStdString(hours->grid()->Text(0, 0)).contains(QStringLiteral("'till")));
    QCOMPARE(hours->grid()->Text(1, row), std::string("16H00"));
    // A second click takes the code out again.
    QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {}, sheet->cellRect(col, row).center());
    QCOMPARE(schedule->document().sheet.Text(col, row), std::string());
    QCOMPARE(hours->grid()->Text(0, 0), std::string("        Global"));
    QCOMPARE(hours->grid()->Text(1, row), std::string("80H00"));
    QVERIFY(sink_->errors.empty());
}

void ScheduleWindowTest::keysActOnTheSelection()
{
    ScheduleWindow* schedule = Open(QStringLiteral("a.sxt"));
    QVERIFY(schedule != nullptr);
    SheetView* sheet = schedule->sheetView();
    const ScheduleSheet& cells = schedule->document().sheet;
    const int top = cells.fixedRows;
    sheet->setFocus();

    // Keypad + steps through the working types, and the tool bar list follows.
    QTest::keyClick(sheet, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(schedule->typeChooser()->currentIndex(), 1);

    // Ctrl and a drag select two days of two employees; nothing is placed.
    QTest::keyPress(sheet, Qt::Key_Control);
    QTest::mousePress(sheet->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      sheet->cellRect(kFirstDay, top).center());
    QTest::mouseMove(sheet->viewport(), sheet->cellRect(kFirstDay + 1, top + 1).center());
    QTest::mouseRelease(sheet->viewport(), Qt::LeftButton, Qt::ControlModifier,
                        sheet->cellRect(kFirstDay + 1, top + 1).center());
    QTest::keyRelease(sheet, Qt::Key_Control);
    QCOMPARE(cells.Text(kFirstDay, top), std::string());
    QVERIFY(schedule->session().editState().selectionShown);

    QTest::keyClick(sheet, Qt::Key_Return);
    for (int c = kFirstDay; c <= kFirstDay + 1; ++c)
        for (int r = top; r <= top + 1; ++r)
            QCOMPARE(cells.Text(c, r), std::string("E"));
    QCOMPARE(cells.Text(kFirstDay, top + 2), std::string());
    QVERIFY(window_->undoAction()->isEnabled());

    // Delete empties the current cell again.
    QTest::keyClick(sheet, Qt::Key_Delete);
    QCOMPARE(cells.Text(kFirstDay, top), std::string());
    QCOMPARE(cells.Text(kFirstDay + 1, top), std::string("E"));
}

void ScheduleWindowTest::undoAndRedoFollowTheActiveWindow()
{
    ScheduleWindow* first = Open(QStringLiteral("a.sxt"));
    ScheduleWindow* second = Open(QStringLiteral("b.sxt"));
    QVERIFY(first != nullptr && second != nullptr);
    QAction* undo = window_->undoAction();
    QAction* redo = window_->redoAction();
    QCOMPARE(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    QVERIFY(!undo->isEnabled());

    QMdiArea* area = window_->mdiArea();
    const auto subWindowOf = [area](ScheduleWindow* schedule) {
        for (QMdiSubWindow* sub : area->subWindowList())
            if (sub->widget() == schedule)
                return sub;
        return static_cast<QMdiSubWindow*>(nullptr);
    };
    area->setActiveSubWindow(subWindowOf(first));
    QCOMPARE(window_->activeScheduleWindow(), first);
    first->selectWorkingType(1);
    const int row = first->document().sheet.fixedRows;
    SheetView* sheet = first->sheetView();
    QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {},
                      sheet->cellRect(kFirstDay, row).center());
    QCOMPARE(first->document().sheet.Text(kFirstDay, row), std::string("E"));
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());

    area->setActiveSubWindow(subWindowOf(second));
    QCOMPARE(window_->activeScheduleWindow(), second);
    QVERIFY(!undo->isEnabled());
    area->setActiveSubWindow(subWindowOf(first));
    QVERIFY(undo->isEnabled());

    undo->trigger();
    QCOMPARE(first->document().sheet.Text(kFirstDay, row), std::string());
    QVERIFY(!undo->isEnabled());
    // Redo leads back to the edit that one Undo took away.
    QVERIFY(redo->isEnabled());
    redo->trigger();
    QCOMPARE(first->document().sheet.Text(kFirstDay, row), std::string("E"));
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    QCOMPARE(second->document().sheet.Text(kFirstDay, row), std::string());
}

void ScheduleWindowTest::workinglistEntriesShowAndHide()
{
    const struct {
        SummaryKind kind;
        Qt::Key key;
        const char* shownCaption;
    } cases[] = {
        {SummaryKind::CustomQuery, Qt::Key_F5, "Hide &Custom Query"},
        {SummaryKind::EmployeesPerType, Qt::Key_F6, "Hide &Employees / Types summary"},
        {SummaryKind::TypesPerDay, Qt::Key_F7, "Hide &Types / Days summary"},
        {SummaryKind::WorkedHours, Qt::Key_F8, "Hide &Worked Hours"},
    };
    for (const auto& c : cases)
        QVERIFY(!window_->summaryAction(c.kind)->isEnabled());
    ScheduleWindow* schedule = Open(QStringLiteral("a.sxt"));
    QVERIFY(schedule != nullptr);
    QVERIFY(!schedule->document().modified);
    for (const auto& c : cases) {
        QAction* action = window_->summaryAction(c.kind);
        const QString hidden = QString::fromLatin1(c.shownCaption).replace(0, 4, "View");
        QCOMPARE(action->shortcut(), QKeySequence(c.key));
        QCOMPARE(action->text(), hidden);
        action->trigger();
        QApplication::processEvents();
        QCOMPARE(action->text(), QString::fromLatin1(c.shownCaption));
        QVERIFY(schedule->summaryView(c.kind)->isVisible());
        QVERIFY(schedule->document().modified);
    }
    // All four at once: the sheet keeps its room, and the day columns below it line up with it.
    SheetView* sheet = schedule->sheetView();
    QVERIFY(sheet->height() > 100);
    for (SummaryKind kind : {SummaryKind::TypesPerDay, SummaryKind::CustomQuery}) {
        SummaryView* view = schedule->summaryView(kind);
        const int dayCol = kind == SummaryKind::TypesPerDay ? 1 : kFirstDay;
        QCOMPARE(view->mapTo(schedule, view->cellRect(dayCol, 0).topLeft()).x(),
                 sheet->mapTo(schedule, sheet->cellRect(kFirstDay, 0).topLeft()).x());
    }
    for (const auto& c : cases) {
        window_->summaryAction(c.kind)->trigger();
        QCOMPARE(window_->summaryAction(c.kind)->text(),
                 QString::fromLatin1(c.shownCaption).replace(0, 4, "View"));
        QVERIFY(!schedule->summaryView(c.kind)->isVisible());
    }
}

void ScheduleWindowTest::contextMenuItemsRun()
{
    ScheduleWindow* schedule = Open(QStringLiteral("a.sxt"));
    QVERIFY(schedule != nullptr);
    const ScheduleSheet& cells = schedule->document().sheet;
    const int row = cells.fixedRows + 1;
    const int col = kFirstDay + 3;
    const auto itemOf = [](QMenu* menu, const char* id) {
        return menu->findChild<QAction*>(QString::fromLatin1(id));
    };

    // No menu on the colour strip.
    QVERIFY(schedule->createSheetMenu(0, row) == nullptr);

    std::unique_ptr<QMenu> menu(schedule->createSheetMenu(col, row));
    QVERIFY(menu);
    QCOMPARE(schedule->sheetView()->currentCell(), QPoint(col, row));
    QAction* bold = itemOf(menu.get(), "bold");
    QVERIFY(bold != nullptr);
    QCOMPARE(bold->text(), QStringLiteral("Make Bold"));
    QVERIFY(!itemOf(menu.get(), "undo")->isEnabled());
    // It leads to the options dialog.
    QVERIFY(itemOf(menu.get(), "editWorkingHours")->isEnabled());
    bold->trigger();
    QVERIFY(cells.IsBold(col, row));
    menu.reset(schedule->createSheetMenu(col, row));
    QCOMPARE(itemOf(menu.get(), "bold")->text(), QStringLiteral("Undo Bold"));

    // "Add Comment" opens the panel; OK puts its text on the cell.
    itemOf(menu.get(), "comment")->trigger();
    CommentPanelWidget* panel = schedule->commentPanel();
    QVERIFY(panel->isVisible());
    QVERIFY(panel->textField()->toPlainText().isEmpty());
    panel->textField()->setPlainText(QStringLiteral("Swap with Employee 3"));
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    QCOMPARE(cells.Comment(col, row), std::string("Swap with Employee 3"));
    menu.reset(schedule->createSheetMenu(col, row));
    QCOMPARE(itemOf(menu.get(), "comment")->text(), QStringLiteral("Edit Comment"));
    QCOMPARE(schedule->sheetView()->hintAt(schedule->sheetView()->cellRect(col, row).center()),
             QStringLiteral("Swap with Employee 3"));
}

void ScheduleWindowTest::customQueryRows()
{
    ScheduleWindow* schedule = Open(QStringLiteral("a.sxt"));
    QVERIFY(schedule != nullptr);
    window_->summaryAction(SummaryKind::CustomQuery)->trigger();
    SummaryView* view = schedule->summaryView(SummaryKind::CustomQuery);
    const CustomQuerySummary& query = schedule->session().summaries().customQuery();
    const int first = query.headerRows();
    QAction* insert = schedule->insertQueryRowAction();
    QAction* remove = schedule->deleteQueryRowAction();
    QCOMPARE(insert->shortcut(), QKeySequence(Qt::Key_Insert));
    QCOMPARE(remove->shortcut(), QKeySequence(Qt::Key_Delete));
    const int height = schedule->document().customQueryPanel.height;
    QVERIFY(height > 0);

    // One row and the Total row: nothing to delete.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(3, first).center());
    QCOMPARE(view->currentCell(), QPoint(3, first));
    QVERIFY(insert->isEnabled());
    QVERIFY(!remove->isEnabled());
    insert->trigger();
    QCOMPARE(query.totalRow(), first + 2);
    QCOMPARE(schedule->document().customQueryPanel.height, height + kQueryRowHeight);
    QVERIFY(remove->isEnabled());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->cellRect(3, query.totalRow()).center());
    QVERIFY(!remove->isEnabled());

    // A double-click on a row's colour cell offers the sheet's group colours.
    std::vector<std::string> offered;
    schedule->setColourPicker([&offered](const std::vector<std::string>& offers) {
        offered = offers;
        return std::optional<Colour>(0x000000FF);  // red
    });
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(0, first).center());
    QCOMPARE(offered, std::vector<std::string>{"ColorA=C8E0E6"});
    QCOMPARE(CellCorner(view, 0, first), QColor(Qt::red));
    QVERIFY(!schedule->document().customQueryPanel.rows.front().groupColour.empty());

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(3, first).center());
    remove->trigger();
    QCOMPARE(query.totalRow(), first + 1);
    QCOMPARE(QString::fromStdString(query.grid().Text(1, query.totalRow())),
             QStringLiteral("Total"));
}

// Shows the example with all four summaries after a few clicks that leave days with too few and
// too many early shifts. With SHIFTEX_SCREENSHOT_DIR set the window is saved there as
// summaries.png.
void ScheduleWindowTest::theExampleWithAllSummaries()
{
    const QString example = QStringLiteral(SHIFTEX_SOURCE_DIR "/tests/data/ward.sxt");
    if (!QFile::exists(example))
        QSKIP("tests/data/ward.sxt is not there");
    window_->resize(1280, 900);
    ScheduleWindow* schedule = window_->OpenScheduleFile(example);
    QVERIFY(schedule != nullptr);
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                             SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
        window_->summaryAction(kind)->trigger();
    const CustomQuerySummary& queries = schedule->session().summaries().customQuery();
    const std::vector<std::string> names = schedule->session().summaries().QueryNameChoices();
    QVERIFY(names.size() >= 2);
    QVERIFY(schedule->chooseQuery(queries.headerRows(), names[0]));
    schedule->insertQueryRowAction()->trigger();
    QVERIFY(schedule->chooseQuery(queries.totalRow() - 1, names[1]));
    QCOMPARE(queries.grid().Text(1, queries.headerRows() + 1), names[1]);

    // Early shifts on the fifth for everybody who has none there, none left on the second.
    const ScheduleDocument& document = schedule->document();
    const ScheduleSheet& cells = document.sheet;
    SheetView* sheet = schedule->sheetView();
    const auto click = [&](int col, int row) {
        QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {},
                          sheet->cellRect(col, row).center());
    };
    schedule->selectWorkingType(document.workingTypes.IndexOfCode("E"));
    for (int row = cells.fixedRows; row < cells.fixedRows + 4; ++row)
        if (cells.Text(kFirstDay + 4, row) != "E")
            click(kFirstDay + 4, row);
    schedule->selectWorkingType(0);
    for (int row = cells.fixedRows; row < cells.rowCount(); ++row)
        if (cells.Text(kFirstDay + 1, row) == "E")
            click(kFirstDay + 1, row);
    QApplication::processEvents();
    QVERIFY(sink_->errors.empty());
    QTRY_VERIFY(!window_->loadingProgress()->isVisible());

    SummaryView* types = schedule->summaryView(SummaryKind::TypesPerDay);
    const int early = types->grid()->fixedRows();
    QCOMPARE(CellCorner(types, 2, early), QColor(Qt::red));
    QCOMPARE(CellCorner(types, 5, early), QColor(Qt::magenta));
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                             SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
        QVERIFY(schedule->summaryView(kind)->isVisible());

    const QString folder = qEnvironmentVariable("SHIFTEX_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(window_->grab().save(QDir(folder).filePath(QStringLiteral("summaries.png"))));
}

QTEST_MAIN(ScheduleWindowTest)
#include "schedule_window_test.moc"
