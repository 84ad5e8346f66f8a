#include "ui/status_panels.h"

#include "ui/icons.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>

#include <algorithm>

namespace shiftex {

StatusPanels::StatusPanels(QWidget* parent)
    : QWidget(parent), loading_(new QProgressBar), backup_(new QProgressBar),
      backupIcon_(new QLabel)
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

    backupIcon_->setParent(panels_[1]);
    backupIcon_->setPixmap(BackupIcon().pixmap(16, 16));
    backupIcon_->hide();
    panels_[1]->installEventFilter(this);
}

void StatusPanels::setBackupStatus(const QString& text, bool icon, const QString& hint)
{
    QLabel* panel = panels_[1];
    panel->setText(text);
    panel->setToolTip(hint);
    backupIcon_->setVisible(icon);
    // The text moves right of the icon while it is there.
    panel->setContentsMargins(icon ? 16 : 3, 0, 3, 0);
    placeProgressBars();
}

bool StatusPanels::backupIconShown() const { return !backupIcon_->isHidden(); }

bool StatusPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panels_[1]) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            emit backupPanelDoubleClicked();
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            emit backupPanelMenuRequested(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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
    backupIcon_->setGeometry(2, std::max(0, (panels_[1]->height() - 16) / 2), 16, 16);
}

} // namespace shiftex
