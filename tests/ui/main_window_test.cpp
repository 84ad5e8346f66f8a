#include "files/schedule_text.h"
#include "files/text_io.h"
#include "platform/program_folder.h"
#include "platform/qt_colour.h"
#include "ui/main_window.h"
#include "ui/schedule_window.h"
#include "ui/sheet_view.h"

#include "ui_test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalSpy>
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


constexpr int kEmployees = 40;
constexpr int kFirstDay = 2;  // sheet column of day 1

// June 2004: the 1st is a Tuesday, so the 5th and 6th are a weekend.
std::vector<std::string> JuneSchedule()
{
    ScheduleTextContent content;
    content.days = 30;
    content.monthTitle = "June 2004";
    content.weekendDays = {"5", "6", "12", "13", "19", "20", "26", "27"};
    content.weekendColour = "clyellow";
    content.holidayColour = "$00A8C8A6";
    for (int k = 1; k <= kEmployees; ++k) {
        ScheduleTextContent::Employee employee{"Employee " + std::to_string(k), {}};
        for (int day = 1; day <= 30; ++day)
            employee.cells.push_back(day % 3 == 0 ? "E" : "");
        content.employees.push_back(employee);
    }
    content.workingTypes = {WorkingType::Create("E", "Early", "07H00", "15H00", "  H  ", "  H  ", 0)};
    content.customQueryLines = {kEndAllAdditions};
    content.fontName = "Sans Serif";
    content.fontColour = "clblue";
    content.region = "United Kingdom";
    content.departmentColours = {kDefaultMainDepartmentColour};
    return ComposeScheduleText(content);
}


} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void programFolderIsSeededFromTheInstalledHolidays();
    void systemColoursFollowThePalette();
    void openingAScheduleShowsItsSheet();
    void openingTheExample();
    void aFileThatCannotBeLoadedOpensNoWindow_data();
    void aFileThatCannotBeLoadedOpensNoWindow();
    void headerBandsStayWhenTheDaysScroll();
    void keysAndClicksMoveTheCurrentCell();

private:
    SheetView* OpenJune();

    QTemporaryDir temp_;
    QString programFolder_;
    QString junePath_;
    std::unique_ptr<MainWindow> window_;
    RecordingSink* sink_ = nullptr;
};

void MainWindowTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(temp_.isValid());
    programFolder_ = test::SeededProgramFolder(temp_);
    junePath_ = temp_.filePath(QStringLiteral("june.sxt"));
    QVERIFY(WriteLines(junePath_, JuneSchedule()));
}

void MainWindowTest::init()
{
    auto sink = std::make_unique<RecordingSink>();
    sink_ = sink.get();
    window_ = test::TestMainWindow(std::move(sink), programFolder_, QSize(560, 420));
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void MainWindowTest::cleanup()
{
    window_.reset();
    sink_ = nullptr;
}

SheetView* MainWindowTest::OpenJune()
{
    ScheduleWindow* schedule = window_->OpenScheduleFile(junePath_);
    if (schedule == nullptr)
        return nullptr;
    QApplication::processEvents();
    return schedule->sheetView();
}

void MainWindowTest::programFolderIsSeededFromTheInstalledHolidays()
{
    QCOMPARE(programFolder_, temp_.filePath(QStringLiteral("data")) + "/");
    QVERIFY(QFile::exists(programFolder_ + "Holidays/Default/FileList.ini"));

    // An executable folder with its own holidays, in any letter case, is the program folder.
    const QString portable = temp_.filePath(QStringLiteral("portable"));
    QVERIFY(QDir().mkpath(portable + "/hOLIDAYS"));
    QCOMPARE(ChooseProgramFolder(portable, temp_.filePath(QStringLiteral("unused")), QString()),
             portable + "/");
    QVERIFY(!QFileInfo::exists(temp_.filePath(QStringLiteral("unused/Holidays"))));
}

void MainWindowTest::systemColoursFollowThePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, QColor(4, 5, 6));
    palette.setColor(QPalette::Text, QColor(7, 8, 9));
    palette.setColor(QPalette::Highlight, QColor(10, 11, 12));
    const struct {
        Colour value;
        QColor expected;
    } cases[] = {
        {clBtnFace, QColor(1, 2, 3)},       {clWindow, QColor(4, 5, 6)},
        {0x80000008, QColor(7, 8, 9)},      {0x8000000D, QColor(10, 11, 12)},
        {0x000000FF, QColor(255, 0, 0)},    {0x00C8E0E6, QColor(0xE6, 0xE0, 0xC8)},
        {clNone, QColor()},                 {0x800000FF, QColor()},
    };
    for (const auto& c : cases)
        QCOMPARE(ToQColor(c.value, palette), c.expected);
}

void MainWindowTest::openingAScheduleShowsItsSheet()
{
    SheetView* view = OpenJune();
    QVERIFY(view != nullptr);
    QVERIFY(sink_->errors.empty());
    QCOMPARE(window_->scheduleWindows().size(), 1);
    ScheduleWindow* schedule = window_->activeScheduleWindow();
    QVERIFY(schedule != nullptr);
    QCOMPARE(schedule->windowTitle(), junePath_);
    QCOMPARE(QString::fromStdString(schedule->document().filePath), junePath_);
    QVERIFY(!schedule->document().modified);
    QCOMPARE(&view->document(), &schedule->document());

    const ScheduleSheet& sheet = schedule->document().sheet;
    QCOMPARE(sheet.fixedRows, 3);
    QCOMPARE(sheet.rowCount(), 3 + kEmployees);
    QCOMPARE(view->cellRect(0, 3).width(), kGroupColumnWidth);

    // Day 3 holds a code drawn in the font colour, day 5 is a weekend, day 1 is empty.
    const QImage image = view->viewport()->grab().toImage();
    const int row = sheet.fixedRows;
    const QRect weekend = view->cellRect(kFirstDay + 4, row);
    QCOMPARE(image.pixelColor(weekend.topLeft() + QPoint(1, 1)), QColor(Qt::yellow));
    const QRect empty = view->cellRect(kFirstDay, row + 1);
    QCOMPARE(image.pixelColor(empty.center()), QColor(Qt::white));
    const QImage code = image.copy(view->cellRect(kFirstDay + 2, row));
    bool blue = false;
    for (int y = 0; y < code.height() && !blue; ++y)
        for (int x = 0; x < code.width() && !blue; ++x)
            blue = code.pixelColor(x, y).blue() > 150 && code.pixelColor(x, y).red() < 100;
    QVERIFY(blue);

    // The month and week extend buttons sit at the right end of the last title cells.
    QSignalSpy extend(view, &SheetView::extendButtonClicked);
    view->scrollToCell(sheet.colCount() - 1, 0);
    for (int headerRow : {0, 1}) {
        const CellRect merge = sheet.MergeRect(sheet.colCount() - 1, headerRow);
        const QRect button = view->buttonRect(merge.left, merge.top);
        QCOMPARE(button.size(), QSize(kExtendButtonSize, kExtendButtonSize));
        QCOMPARE(button.right(), view->cellRect(merge.left, merge.top).right());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, button.center());
        QCOMPARE(extend.size(), headerRow + 1);
        QCOMPARE(extend.last().at(0).toInt(), merge.left);
        QCOMPARE(extend.last().at(1).toInt(), headerRow);
    }
}

void MainWindowTest::openingTheExample()
{
    const QString example = QStringLiteral(SHIFTEX_SOURCE_DIR "/examples/ward.sxt");
    if (!QFile::exists(example))
        QSKIP("examples/ward.sxt is not there");
    ScheduleWindow* schedule = window_->OpenScheduleFile(example);
    QVERIFY(schedule != nullptr);
    QVERIFY(sink_->errors.empty());
    QVERIFY(schedule->document().sheet.rowCount() > schedule->document().sheet.fixedRows);
    QCOMPARE(window_->mdiArea()->subWindowList().size(), 1);
}

void MainWindowTest::aFileThatCannotBeLoadedOpensNoWindow_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("message");
    QTest::newRow("garbage") << QByteArray("garbage\r\n31\r\n5\r\n") << true
                             << QString(kDamagedFileMessage);
    QTest::newRow("empty file") << QByteArray() << true << QString(kDamagedFileMessage);
    QTest::newRow("missing") << QByteArray() << false << QStringLiteral("Unable to find %1.");
}

void MainWindowTest::aFileThatCannotBeLoadedOpensNoWindow()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, create);
    QFETCH(QString, message);
    const QString path = temp_.filePath(QStringLiteral("bad.sxt"));
    QFile::remove(path);
    if (create) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QVERIFY(window_->OpenScheduleFile(path) == nullptr);
    QCOMPARE(sink_->errors.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(sink_->errors.front()),
             message.contains(QLatin1String("%1")) ? message.arg(path) : message);
    QVERIFY(window_->mdiArea()->subWindowList().isEmpty());
    QVERIFY(window_->activeScheduleWindow() == nullptr);
    // The loading status goes away shortly after the failed load, too.
    QTRY_VERIFY(!window_->loadingProgress()->isVisible());
}

void MainWindowTest::headerBandsStayWhenTheDaysScroll()
{
    SheetView* view = OpenJune();
    QVERIFY(view != nullptr);
    QScrollBar* h = view->horizontalScrollBar();
    QScrollBar* v = view->verticalScrollBar();
    QVERIFY(h->maximum() > 50);
    QVERIFY(v->maximum() > 50);

    const ScheduleSheet& sheet = view->document().sheet;
    const QSize area = view->viewport()->size();
    const int namesRight = view->cellRect(1, sheet.fixedRows).right() + 1;
    const int headerBottom = view->cellRect(kFirstDay, sheet.fixedRows - 1).bottom() + 1;
    const QRect names(0, 0, namesRight + 1, area.height());
    const QRect headers(0, 0, area.width(), headerBottom + 1);
    const QRect days(namesRight + 1, headerBottom + 1, area.width() - namesRight - 1,
                     area.height() - headerBottom - 1);

    const QImage before = view->viewport()->grab().toImage();
    const QRect dayHeader = view->cellRect(kFirstDay + 3, 2);
    h->setValue(50);
    const QImage across = view->viewport()->grab().toImage();
    QCOMPARE(across.copy(names), before.copy(names));
    QVERIFY(across.copy(days) != before.copy(days));
    QCOMPARE(view->cellRect(kFirstDay + 3, 2), dayHeader.translated(-50, 0));

    v->setValue(50);
    const QImage down = view->viewport()->grab().toImage();
    QCOMPARE(down.copy(headers), across.copy(headers));
    QVERIFY(down.copy(names) != across.copy(names));
    QCOMPARE(view->cellAt(QPoint(namesRight + 3, 2)).y(), 0);
}

void MainWindowTest::keysAndClicksMoveTheCurrentCell()
{
    SheetView* view = OpenJune();
    QVERIFY(view != nullptr);
    const ScheduleSheet& sheet = view->document().sheet;
    QCOMPARE(view->currentCell(), QPoint(kFirstDay, sheet.fixedRows));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(view->currentCell(), QPoint(kFirstDay, sheet.fixedRows));
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(view->currentCell(), QPoint(kFirstDay + 1, sheet.fixedRows + 1));
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(view->currentCell().x(), sheet.colCount() - 1);
    QVERIFY(view->viewport()->rect().contains(view->cellRect(sheet.colCount() - 1, 4).center()));

    QSignalSpy clicked(view, &SheetView::cellClicked);
    const QRect target = view->cellRect(sheet.colCount() - 2, sheet.fixedRows + 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, target.center());
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.front().at(0).toInt(), sheet.colCount() - 2);
    QCOMPARE(clicked.front().at(1).toInt(), sheet.fixedRows + 2);
    QCOMPARE(view->currentCell(), QPoint(sheet.colCount() - 2, sheet.fixedRows + 2));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
