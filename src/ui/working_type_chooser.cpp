#include "ui/working_type_chooser.h"

#include "editing/schedule_session.h"
#include "ui/icons.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

#include <algorithm>

namespace shiftex {

namespace {

constexpr int kIconSize = 16;
constexpr int kGap = 6;

// Three columns in every entry: picture, code, information. The code column is as wide as the
// widest code, so the information texts line up.
class WorkingTypeDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    int codeWidth = 0;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem base = option;
        initStyleOption(&base, index);
        base.text.clear();
        base.icon = QIcon();
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : nullptr;
        if (style != nullptr)
            style->drawControl(QStyle::CE_ItemViewItem, &base, painter, widget);

        const QRect r = option.rect.adjusted(kGap / 2, 0, -kGap / 2, 0);
        const QRect iconBox(r.left(), r.top() + (r.height() - kIconSize) / 2, kIconSize,
                            kIconSize);
        const QIcon icon = qvariant_cast<QIcon>(index.data(Qt::DecorationRole));
        if (!icon.isNull())
            icon.paint(painter, iconBox);
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        painter->save();
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText
                                                      : QPalette::Text));
        const QRect codeBox(iconBox.right() + 1 + kGap, r.top(), codeWidth, r.height());
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->drawText(codeBox, Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(WorkingTypeChooser::kCodeRole).toString());
        painter->setFont(option.font);
        const int infoLeft = codeBox.right() + 1 + kGap;
        const QRect infoBox(infoLeft, r.top(), r.right() + 1 - infoLeft, r.height());
        painter->drawText(infoBox, Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(WorkingTypeChooser::kInformationRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QFontMetrics metrics(option.font);
        const int info =
            metrics.horizontalAdvance(index.data(WorkingTypeChooser::kInformationRole).toString());
        return {kGap / 2 + kIconSize + kGap + codeWidth + kGap + info + kGap,
                std::max(kIconSize + 4, metrics.height() + 4)};
    }
};

} // namespace

WorkingTypeChooser::WorkingTypeChooser(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("ComboBox13"));
    setToolTip(QString::fromUtf8(kTypeChooserHint));
    setItemDelegate(new WorkingTypeDelegate(this));
    setIconSize(QSize(kIconSize, kIconSize));
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setMinimumContentsLength(12);
    // A schedule window that becomes active gives its keys to the sheet, not to this list.
    setFocusPolicy(Qt::ClickFocus);
}

void WorkingTypeChooser::setTypes(const WorkingTypeList& types)
{
    const int current = currentIndex();
    auto* model = new QStandardItemModel(this);
    auto* delegate = static_cast<WorkingTypeDelegate*>(itemDelegate());
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    delegate->codeWidth = metrics.horizontalAdvance(QStringLiteral("MM"));
    for (int i = 0; i < types.Count(); ++i) {
        const WorkingType& type = types.At(i);
        const QString code = QString::fromStdString(type.code());
        const QString information =
            i == 0 ? QString::fromUtf8(kBlankEntryInformation)
                   : QString::fromStdString(type.fields[field::Information]);
        auto* item = new QStandardItem;
        // The closed list shows code and information on one line.
        item->setText(code.isEmpty() ? information : code + QStringLiteral("  ") + information);
        item->setData(code, kCodeRole);
        item->setData(information, kInformationRole);
        if (i > 0) {
            const QPixmap picture = WorkingTypeIcon(type.iconIndex);
            if (!picture.isNull())
                item->setIcon(QIcon(picture));
        }
        model->appendRow(item);
        delegate->codeWidth = std::max(delegate->codeWidth, metrics.horizontalAdvance(code));
    }
    // The former model was the list's own child: setModel deletes it.
    setModel(model);
    setCurrentIndex(std::clamp(current, 0, std::max(0, count() - 1)));
}

void WorkingTypeChooser::showPopup()
{
    // The list is as wide as its widest entry.
    int width = 0;
    QStyleOptionViewItem option;
    option.initFrom(view());
    for (int i = 0; i < count(); ++i)
        width = std::max(width, itemDelegate()->sizeHint(option, model()->index(i, 0)).width());
    view()->setMinimumWidth(width + 24);
    QComboBox::showPopup();
}

void WorkingTypeChooser::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* edit = menu.addAction(QString::fromUtf8(kTypeChooserMenuItem));
    edit->setToolTip(QString::fromUtf8(kTypeChooserMenuHint));
    edit->setStatusTip(edit->toolTip());
    if (menu.exec(event->globalPos()) == edit)
        emit editRequested();
    event->accept();
}

} // namespace shiftex
