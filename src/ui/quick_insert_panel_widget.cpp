#include "ui/quick_insert_panel_widget.h"

#include "editing/schedule_session.h"
#include "platform/qt_colour.h"

#include <QAbstractItemView>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace shiftex {

namespace {

constexpr int kListWidth = 150;

void PaintSwatch(QPainter& painter, const QRect& box, const QColor& colour)
{
    painter.save();
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.setBrush(colour);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.restore();
}

// The group colours in the open list: a swatch per colour, the empty first entry blank.
class SwatchDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem base = option;
        initStyleOption(&base, index);
        base.text.clear();
        const QWidget* widget = option.widget;
        if (QStyle* style = widget != nullptr ? widget->style() : nullptr)
            style->drawControl(QStyle::CE_ItemViewItem, &base, painter, widget);
        const QColor colour = index.data(ChoiceCombo::kColourRole).value<QColor>();
        if (colour.isValid())
            PaintSwatch(*painter, option.rect.adjusted(4, 3, -4, -3), colour);
    }
};

// The entries of a combo box as texts.
std::vector<std::string> EntriesOf(const QComboBox& combo)
{
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(combo.count()));
    for (int i = 0; i < combo.count(); ++i)
        entries.push_back(combo.itemText(i).toStdString());
    return entries;
}

void Mirror(ChoiceCombo& combo, const ChoiceList& list, const QPalette& palette)
{
    combo.blockSignals(true);
    if (EntriesOf(combo) != list.entries) {
        combo.clear();
        for (const std::string& entry : list.entries) {
            const QString text = QString::fromStdString(entry);
            combo.addItem(text);
            if (!combo.swatches() || entry.empty())
                continue;
            const int i = combo.count() - 1;
            Colour value = clNone;
            if (TryStringToColor(entry, value))
                combo.setItemData(i, ToQColor(value, palette), ChoiceCombo::kColourRole);
            combo.setItemData(i, text, Qt::ToolTipRole);
        }
    }
    const int chosen = list.chosen < combo.count() ? list.chosen : -1;
    if (combo.currentIndex() != chosen)
        combo.setCurrentIndex(chosen);
    combo.setEnabled(list.enabled);
    combo.blockSignals(false);
}

} // namespace

void ChoiceCombo::showPopup()
{
    emit aboutToPopup();
    QComboBox::showPopup();
}

void ChoiceCombo::setSwatches(bool swatches)
{
    swatches_ = swatches;
    if (swatches)
        setItemDelegate(new SwatchDelegate(this));
}

void ChoiceCombo::paintEvent(QPaintEvent* event)
{
    const QColor colour = currentIndex() >= 0
                              ? itemData(currentIndex(), kColourRole).value<QColor>()
                              : QColor();
    if (!swatches_ || !colour.isValid()) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    QColor shown = colour;
    if (!isEnabled())
        shown.setAlpha(90);
    PaintSwatch(painter, field.adjusted(2, 3, -2, -3), shown);
}

QuickInsertPanelWidget::QuickInsertPanelWidget(ScheduleSession& session, QWidget* parent)
    : QFrame(parent), session_(&session)
{
    setObjectName(QStringLiteral("AdvPanel9"));
    setFrameShape(QFrame::StyledPanel);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    // A narrow window clips the lists at the right instead of growing wider than its area.
    setMinimumWidth(1);

    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("QuickInsertCaption"));
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    caption_->setCursor(Qt::PointingHandCursor);

    body_ = new QWidget(this);
    const auto label = [this](const char* text) {
        auto* l = new QLabel(QString::fromUtf8(text), body_);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    const auto list = [this](const char* name, const char* hint) {
        auto* combo = new ChoiceCombo(body_);
        combo->setObjectName(QString::fromLatin1(name));
        combo->setToolTip(QString::fromUtf8(hint));
        combo->setMinimumWidth(kListWidth);
        // The keyboard stays with the sheet, so Undo and the clipboard stay at hand.
        combo->setFocusPolicy(Qt::NoFocus);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return combo;
    };
    scope_ = list("ComboBox5", kScopeListHint);
    employee_ = list("ComboBox6", kEmployeeListHint);
    groupColour_ = list("ComboBox12", kGroupColourListHint);
    groupColour_->setSwatches(true);
    department_ = list("ComboBox3", kDepartmentListHint);
    button_ = new QPushButton(QStringLiteral("Insert"), body_);
    button_->setObjectName(QStringLiteral("BtbQuickInsert"));
    button_->setToolTip(QString::fromUtf8(kQuickInsertButtonHint));
    button_->setFocusPolicy(Qt::NoFocus);

    auto* grid = new QGridLayout(body_);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->addWidget(label(kQuickInsertLead), 0, 0);
    grid->addWidget(scope_, 0, 1);
    grid->addWidget(label(kQuickInsertOf), 0, 2);
    grid->addWidget(employee_, 0, 3);
    grid->addWidget(label(kQuickInsertWithGroupColour), 1, 0);
    grid->addWidget(groupColour_, 1, 1);
    grid->addWidget(label(kQuickInsertApplyToDepartment), 1, 2);
    grid->addWidget(department_, 1, 3);
    grid->addWidget(button_, 1, 4);
    grid->setColumnStretch(5, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(caption_);
    layout->addWidget(body_);

    QuickInsertPanel& panel = session_->sheetEdits().quickInsertPanel();
    const ScheduleDocument& document = session_->document();
    connect(scope_, &QComboBox::activated, this, [this, &panel, &document](int index) {
        panel.ChooseScope(index, document);
        refresh();
    });
    connect(employee_, &ChoiceCombo::aboutToPopup, this, [this, &panel, &document] {
        panel.DropDownEmployees(document);
        refresh();
    });
    connect(employee_, &QComboBox::activated, this, [this, &panel, &document](int index) {
        panel.ChooseEmployee(index, document);
        refresh();
    });
    connect(groupColour_, &ChoiceCombo::aboutToPopup, this, [this, &panel, &document] {
        panel.DropDownGroupColours(document);
        refresh();
    });
    connect(groupColour_, &QComboBox::activated, this, [this, &panel](int index) {
        panel.ChooseGroupColour(index);
        refresh();
    });
    connect(department_, &ChoiceCombo::aboutToPopup, this, [this, &panel, &document] {
        panel.DropDownDepartments(document);
        refresh();
    });
    connect(department_, &QComboBox::activated, this, [this, &panel](int index) {
        panel.ChooseDepartment(index);
        refresh();
    });
    connect(button_, &QPushButton::clicked, this, &QuickInsertPanelWidget::insertRequested);
    refresh();
}

void QuickInsertPanelWidget::refresh()
{
    const QuickInsertPanel& panel = session_->sheetEdits().quickInsertPanel();
    const QPalette& pal = palette();
    Mirror(*scope_, panel.scope, pal);
    Mirror(*employee_, panel.employee, pal);
    Mirror(*groupColour_, panel.groupColour, pal);
    Mirror(*department_, panel.department, pal);
    button_->setEnabled(panel.buttonEnabled);
    caption_->setText(QString::fromUtf8(panel.folded ? "\u25B8 " : "\u25BE ") +
                      QString::fromUtf8(kQuickInsertCaption));
    body_->setVisible(!panel.folded);
}

void QuickInsertPanelWidget::mousePressEvent(QMouseEvent* event)
{
    // A disabled list or button passes its clicks on: they do not fold the panel.
    const QWidget* under = childAt(event->position().toPoint());
    const bool control = qobject_cast<const QComboBox*>(under) != nullptr ||
                         qobject_cast<const QPushButton*>(under) != nullptr;
    if (event->button() != Qt::LeftButton || control) {
        QFrame::mousePressEvent(event);
        return;
    }
    session_->sheetEdits().quickInsertPanel().ToggleFold();
    refresh();
    event->accept();
}

} // namespace shiftex
