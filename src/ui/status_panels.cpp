#include "ui/status_panels.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace shiftex {

StatusPanels::StatusPanels(QWidget* parent)
    : QWidget(parent), loading_(new QProgressBar), backup_(new QProgressBar)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* label = new QLabel;
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i] = label;
    }
    panels_[0]->setFixedWidth(kMessageWidth);
    panels_[1]->setFixedWidth(kBackupWidth);
    panels_[2]->setMinimumWidth(0);
    layout->addWidget(panels_[0]);
    layout->addWidget(panels_[1]);
    layout->addWidget(panels_[2], 1);

    // The bars lie over their panels, so that the texts keep their places.
    loading_->setParent(panels_[0]);
    backup_->setParent(panels_[2]);
    for (QProgressBar* bar : {loading_, backup_}) {
        bar->setTextVisible(false);
        bar->hide();
    }
    const int height = fontMetrics().height() + 8;
    setMinimumHeight(height);
    for (QLabel* label : panels_)
        label->setMinimumHeight(height);
}

void StatusPanels::setText(int panel, const QString& text)
{
    if (panel < 0 || panel >= static_cast<int>(panels_.size()))
        return;
    if (panel == 0)
        messageText_ = text;
    panels_[static_cast<std::size_t>(panel)]->setText(text);
}

QString StatusPanels::text(int panel) const
{
    if (panel == 0)
        return messageText_;
    if (panel < 0 || panel >= static_cast<int>(panels_.size()))
        return {};
    return panels_[static_cast<std::size_t>(panel)]->text();
}

void StatusPanels::showHint(const QString& hint)
{
    panels_[0]->setText(hint.isEmpty() ? messageText_ : hint);
}

void StatusPanels::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeProgressBars();
}

void StatusPanels::placeProgressBars()
{
    const int inner = std::max(1, panels_[0]->height() - 4);
    loading_->setGeometry(kLoadingLeft, 2, kLoadingWidth, inner);
    backup_->setGeometry(0, 2, kBackupProgressWidth, inner);
}

} // namespace shiftex
