#include "ui/colour_page_widgets.h"
#include "ui/list_page_widgets.h"
#include "ui/setup_widgets.h"

#include "ui_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

using namespace shiftex;
using test::RecordingSink;

// The pages the options dialog hosts besides the wizard's: the departments and the thresholds.
// With SHIFTEX_SCREENSHOT_DIR set, each page is saved there as a picture.
class SetupPagesUiTest : public QObject {
    Q_OBJECT

private slots:
    void departmentsPage();
    void thresholdPage();

private:
    template <typename Widget>
    static Widget* Find(QWidget* page, const char* name)
    {
        return page->findChild<Widget*>(QString::fromLatin1(name));
    }
    static void Show(QWidget* page)
    {
        page->resize(620, 420);
        page->show();
        QVERIFY(QTest::qWaitForWindowActive(page));
    }
    static void Shoot(QWidget* page, const QString& name)
    {
        const QString folder = qEnvironmentVariable("SHIFTEX_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(page->grab().save(QDir(folder).filePath(name)));
    }
};

void SetupPagesUiTest::departmentsPage()
{
    DepartmentsPage page(std::vector<Department>{{"ICU", "clRed"}});
    QVERIFY(page.Pick(0));
    RecordingSink sink;
    DepartmentsPageWidget widget(page, sink, nullptr);
    Show(&widget);
    QCOMPARE(widget.list()->topLevelItemCount(), 2);
    auto* name = Find<QLineEdit>(&widget, "name");
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(name));
    QCOMPARE(name->maxLength(), 15);
    QTest::keyClicks(name, QStringLiteral("Emergency"));
    emit Find<ColourButton>(&widget, "colour")->colourChosen(QStringLiteral("clLime"));
    QTest::mouseClick(Find<QPushButton>(&widget, "add"), Qt::LeftButton);
    QCOMPARE(page.departments().back(), (Department{"Emergency", "clLime"}));
    QCOMPARE(widget.list()->topLevelItemCount(), 3);
    QCOMPARE(name->text(), QString());
    QCOMPARE(Find<ColourButton>(&widget, "colour")->colourText(), QStringLiteral("$00CE8A8A"));

    widget.list()->setCurrentItem(widget.list()->topLevelItem(1));
    QCOMPARE(name->text(), QStringLiteral("ICU"));
    QVERIFY(!name->isEnabled());
    QVERIFY(!Find<QPushButton>(&widget, "add")->isEnabled());
    Shoot(&widget, QStringLiteral("departments-page.png"));
    QTest::mouseClick(Find<QPushButton>(&widget, "remove"), Qt::LeftButton);
    QCOMPARE(page.departments().size(), 1u);
    QVERIFY(sink.informations.empty());
}

void SetupPagesUiTest::thresholdPage()
{
    ThresholdPage page = ThresholdPage::ForEmployeeTypes(
        {WorkingType::Create("E", "Early", "07H00", "15H00", "  H  ", "  H  ", 0),
         WorkingType::Create("L", "Late", "14H00", "22H00", "  H  ", "  H  ", 1)});
    RecordingSink sink;
    ThresholdPageWidget widget(page, sink, nullptr);
    Show(&widget);
    QCOMPARE(widget.list()->count(), 2);
    QCOMPARE(widget.list()->currentIndex(), 0);
    auto* below = Find<QSpinBox>(&widget, "count-below");
    auto* above = Find<QSpinBox>(&widget, "count-above");
    QCOMPARE(above->maximum(), 60);
    below->setValue(7);
    above->setValue(3);
    QTest::mouseClick(Find<QPushButton>(&widget, "save"), Qt::LeftButton);
    QCOMPARE(sink.informations, std::vector<std::string>{kHigherThanLowerMessage});
    above->setValue(9);
    emit Find<ColourButton>(&widget, "colour-above")->colourChosen(QStringLiteral("clRed"));
    QTest::mouseClick(Find<QPushButton>(&widget, "save"), Qt::LeftButton);
    QCOMPARE(page.rows()[0], (ColorThreshold{"E", "clWhite", "7", "clRed", "9"}));

    widget.list()->setCurrentIndex(1);
    emit widget.list()->activated(1);
    QCOMPARE(below->value(), 1);
    Shoot(&widget, QStringLiteral("threshold-page.png"));
}

QTEST_MAIN(SetupPagesUiTest)
#include "setup_pages_ui_test.moc"
