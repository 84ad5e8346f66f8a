#include "../support/sample_schedule.h"
#include "app/working_time_settings.h"
#include "ui/main_window.h"
#include "ui/schedule_window.h"
#include "ui/sheet_view.h"
#include "ui/working_time_dialog.h"
#include "ui/working_time_list.h"

#include "ui_test_support.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace shiftex;
using test::RecordingSink;

namespace {

// January 2027: Monday the 4th is column 5; the first employee row is 3.
constexpr int kFirst = 3;
int Day(int d) { return d + 1; }

ScheduleDocument Schedule()
{
    test::SampleOptions options;
    options.types = {WorkingType::Create("E", "Early", "07H00", "15H00", "  H  ", "  H  ", 0),
                     WorkingType::Create("L", "Late", "14H00", "22H00", "  H  ", "  H  ", 1)};
    return test::MakeSchedule(options);
}

// Runs `edit` on the dialog that `open` shows, then accepts it.
void WithDialog(const std::function<void(WorkingTimeDialog&)>& edit,
                const std::function<void()>& open)
{
    QTimer::singleShot(0, [edit] {
        auto* dialog = qobject_cast<WorkingTimeDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        edit(*dialog);
        dialog->accept();
    });
    open();
}

} // namespace

class WorkingTimeUiTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clicksUndoAndMovesKeepTheWarningsCurrent();
    void theDialogKeepsTheLimitsAndAppliesThem();

private:
    void click(int col, int row);
    QString countText() const { return window_->warningsCount()->text(); }
    int listed() const { return window_->warningsDock()->model().rowCount(); }

    QTemporaryDir temp_;
    std::unique_ptr<MainWindow> window_;
    ScheduleWindow* schedule_ = nullptr;
};

void WorkingTimeUiTest::init()
{
    window_ = test::TestMainWindow(std::make_unique<RecordingSink>(),
                                   test::SeededProgramFolder(temp_), QSize(1400, 900));
    schedule_ = window_->AddScheduleWindow(Schedule());
    QVERIFY(schedule_ != nullptr);
}

void WorkingTimeUiTest::cleanup()
{
    window_.reset();
    schedule_ = nullptr;
}

void WorkingTimeUiTest::click(int col, int row)
{
    SheetView* sheet = schedule_->sheetView();
    sheet->scrollToCell(col, row);
    QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {}, sheet->cellRect(col, row).center());
}

void WorkingTimeUiTest::clicksUndoAndMovesKeepTheWarningsCurrent()
{
    SheetView* sheet = schedule_->sheetView();
    QCOMPARE(countText(), QStringLiteral("No working-time warnings"));
    QVERIFY(window_->warningsDock()->isHidden());
    schedule_->selectWorkingType(2);
    click(Day(4), kFirst);
    schedule_->selectWorkingType(1);
    click(Day(5), kFirst);
    QCOMPARE(schedule_->warnings().Count(), 1);
    QCOMPARE(listed(), 1);
    QCOMPARE(countText(), QStringLiteral("1 working-time warning"));
    QVERIFY(!window_->warningsDock()->isHidden());
    const QString rest =
        QStringLiteral("Rest of 9H00 between Mon 4 Jan 22:00 and Tue 5 Jan 07:00 (minimum 11H00)");
    QCOMPARE(sheet->hintAt(sheet->cellRect(Day(5), kFirst).center()), rest);
    QCOMPARE(window_->warningsDock()->model().data(
                 window_->warningsDock()->model().index(0, 4), Qt::DisplayRole),
             QVariant(QStringLiteral("9H00")));
    // The mark: red in the top left corner of both cells, none beside them.
    const QImage image = sheet->viewport()->grab().toImage();
    const auto corner = [&](int col) {
        return image.pixelColor(sheet->cellRect(col, kFirst).topLeft() + QPoint(1, 1));
    };
    QCOMPARE(corner(Day(4)).red(), 220);
    QCOMPARE(corner(Day(5)).red(), 220);
    QVERIFY(corner(Day(6)).green() > 100);

    // A double-click on the warning goes to its first cell.
    QTableView* table = window_->warningsDock()->table();
    const QModelIndex first = table->model()->index(0, 0);
    emit table->doubleClicked(first);
    QCOMPARE(sheet->currentCell(), QPoint(Day(4), kFirst));

    QVERIFY(schedule_->undo());
    QCOMPARE(listed(), 0);
    QCOMPARE(sheet->hintAt(sheet->cellRect(Day(5), kFirst).center()), QString());
    QVERIFY(schedule_->redo());
    QCOMPARE(listed(), 1);

    // A moved employee takes the warning along.
    QVERIFY(schedule_->moveEmployeeRow(kFirst, kFirst + 2));
    QCOMPARE(schedule_->warnings().Findings().at(0).row, kFirst + 2);
    QVERIFY(schedule_->warnings().Marked(Day(4), kFirst + 2));
    QVERIFY(!schedule_->warnings().Marked(Day(4), kFirst));
}

void WorkingTimeUiTest::theDialogKeepsTheLimitsAndAppliesThem()
{
    schedule_->selectWorkingType(2);
    click(Day(4), kFirst);
    schedule_->selectWorkingType(1);
    click(Day(5), kFirst);
    QCOMPARE(listed(), 1);

    WithDialog([](WorkingTimeDialog& dialog) { dialog.hoursBox(0)->setValue(9); },
               [this] { window_->EditWorkingTimeRules(); });
    QCOMPARE(ReadWorkingTimeLimits(window_->settings()).minimumRest, 9 * 60);
    QCOMPARE(listed(), 0);

    WithDialog(
        [](WorkingTimeDialog& dialog) {
            QCOMPARE(dialog.hoursBox(0)->value(), 9.0);
            dialog.hoursBox(0)->setValue(11);
            dialog.enabledBox()->setChecked(false);
        },
        [this] { window_->EditWorkingTimeRules(); });
    QCOMPARE(listed(), 0);
    QCOMPARE(countText(), QStringLiteral("Working-time warnings off"));
    QVERIFY(!schedule_->sheetView()->hintAt(
                 schedule_->sheetView()->cellRect(Day(5), kFirst).center())
                 .contains(QStringLiteral("Rest")));

    // A schedule opened later follows the settings.
    WithDialog([](WorkingTimeDialog& dialog) { dialog.enabledBox()->setChecked(true); },
               [this] { window_->EditWorkingTimeRules(); });
    QCOMPARE(listed(), 1);
    ScheduleDocument second = Schedule();
    second.sheet.SetText(Day(10), kFirst, "L");
    second.sheet.SetText(Day(11), kFirst, "E");
    second.sheet.SetText(Day(12), kFirst + 1, "L");
    second.sheet.SetText(Day(13), kFirst + 1, "E");
    ScheduleWindow* other = window_->AddScheduleWindow(std::move(second));
    QVERIFY(other != nullptr);
    QCOMPARE(other->warnings().Count(), 2);
    QCOMPARE(listed(), 2);
    QCOMPARE(countText(), QStringLiteral("2 working-time warnings"));
}

QTEST_MAIN(WorkingTimeUiTest)
#include "working_time_ui_test.moc"
