#include "ui/holidays_page_widget.h"

#include "setup/wizard.h"
#include "ui/setup_widgets.h"

#include <QCalendarWidget>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace shiftex {

HolidaysPageWidget::HolidaysPageWidget(HolidaysPage& page, MessageSink& messages, bool inWizard,
                                       QWidget* parent)
    : SetupPageWidget(page, messages, parent),
      page_(page),
      calendar_(new QCalendarWidget(this)),
      list_(new QTreeWidget(this)),
      regions_(new RefreshingComboBox(this)),
      day_(new TwoDigitSpinBox(this))
{
    calendar_->setToolTip(QStringLiteral("Select month"));
    calendar_->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    calendar_->setDateRange(QDate(1000, 1, 1), QDate(9999, 12, 31));
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, [this](int year, int month) {
        binder_->run([this, year, month] { return page_.MoveCalendar(year, month); });
    });
    connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate date) {
        binder_->run([this, date]() -> Result<void> {
            page_.ClickCalendarDay(date.day());
            return {};
        });
    });

    list_->setColumnCount(3);
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setToolTip(QStringLiteral("Listed holidays"));
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(true);
    connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const int row = list_->indexOfTopLevelItem(item);
        binder_->run([this, row] { return page_.Pick(row); });
    });

    regions_->setToolTip(QStringLiteral("Select region"));
    regions_->beforePopup = [this] { binder_->run([this] { return page_.OpenRegionList(); }); };
    binder_->bindChoice(regions_, "region");

    day_->setToolTip(QStringLiteral("Day"));
    binder_->bindSpinBox(day_, "day");
    QLineEdit* name = addLineEdit("name", "Name of holiday");

    auto* holidays = new QGroupBox(QStringLiteral("Holidays"), this);
    (new QVBoxLayout(holidays))->addWidget(list_);
    auto* edit = new QGroupBox(QStringLiteral("Edit / Add new holiday"), this);
    auto* form = new QFormLayout(edit);
    form->addRow(caption("Name of holiday :", edit), name);
    form->addRow(caption("Day :", edit), day_);
    form->addRow(buttonRow({addButton("save", "&Save changes", "Save changes"),
                            addButton("remove", "&Remove", "Remove this holiday")}));
    auto* region = new QGroupBox(QStringLiteral("Select region"), this);
    (new QVBoxLayout(region))->addWidget(regions_);

    auto* left = new QVBoxLayout;
    if (inWizard)
        left->addWidget(caption(kMonthCalendarLabel, this));
    left->addWidget(calendar_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(holidays, 1);
    right->addWidget(edit);
    right->addWidget(region);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    connect(binder_, &PageBinder::refreshed, this, &HolidaysPageWidget::showPage);
    binder_->refresh();
}

void HolidaysPageWidget::showPage()
{
    {
        const QSignalBlocker block(list_);
        list_->clear();
        for (const auto& entry : page_.ListEntries()) {
            QStringList texts;
            for (const std::string& text : entry)
                texts << QString::fromStdString(text);
            list_->addTopLevelItem(new QTreeWidgetItem(texts));
        }
        if (page_.selected() >= 0)
            list_->setCurrentItem(list_->topLevelItem(page_.selected()));
    }
    {
        const QSignalBlocker block(regions_);
        regions_->clear();
        for (const std::string& region : page_.regions())
            regions_->addItem(QString::fromStdString(region));
        regions_->setCurrentIndex(page_.regionIndex());
    }
    const HolidayCalendar& shown = page_.calendar();
    {
        const QSignalBlocker block(day_);
        day_->setRange(0, 99);
        day_->setValue(QString::fromStdString(page_.Text("day")).toInt());
        day_->setRange(1, DaysInMonth(shown.month, shown.year));
    }
    const QSignalBlocker block(calendar_);
    calendar_->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int day : shown.bold)
        calendar_->setDateTextFormat(QDate(shown.year, shown.month, day), bold);
    if (calendar_->yearShown() != shown.year || calendar_->monthShown() != shown.month) {
        calendar_->setSelectedDate(QDate(shown.year, shown.month, 1));
        calendar_->setCurrentPage(shown.year, shown.month);
    }
}

} // namespace shiftex
