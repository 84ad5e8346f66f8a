#include "ui/comment_panel_widget.h"

#include "editing/schedule_session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace shiftex {

CommentPanelWidget::CommentPanelWidget(QWidget* parent)
    : QFrame(parent),
      caption_(new QLabel(QString::fromUtf8(kCommentPanelCaption), this)),
      close_(new QToolButton(this)),
      text_(new QPlainTextEdit(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("CommentPanel"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);

    caption_->setAutoFillBackground(true);
    QPalette captionPalette = caption_->palette();
    captionPalette.setColor(QPalette::Window, palette().color(QPalette::Highlight));
    captionPalette.setColor(QPalette::WindowText, palette().color(QPalette::HighlightedText));
    caption_->setPalette(captionPalette);
    caption_->setContentsMargins(4, 2, 4, 2);
    caption_->setCursor(Qt::SizeAllCursor);
    caption_->installEventFilter(this);
    close_->setText(QStringLiteral("\u00d7"));
    close_->setAutoRaise(true);
    close_->setFocusPolicy(Qt::NoFocus);

    text_->setToolTip(QString::fromUtf8(kCommentFieldHint));
    ok_->setToolTip(QString::fromUtf8(kCommentOkHint));
    cancel_->setToolTip(QString::fromUtf8(kCommentCancelHint));
    ok_->setAutoDefault(false);
    cancel_->setAutoDefault(false);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);
    bar->addWidget(caption_, 1);
    bar->addWidget(close_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 4);
    layout->setSpacing(4);
    layout->addLayout(bar);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    resize(260, 150);
    hide();

    connect(ok_, &QPushButton::clicked, this, &CommentPanelWidget::applied);
    connect(cancel_, &QPushButton::clicked, this, &CommentPanelWidget::cancelled);
    connect(close_, &QToolButton::clicked, this, &CommentPanelWidget::cancelled);
}

QString CommentPanelWidget::text() const { return text_->toPlainText(); }

void CommentPanelWidget::setText(const QString& text) { text_->setPlainText(text); }

void CommentPanelWidget::showAt(int left, int top)
{
    QWidget* area = parentWidget();
    if (area != nullptr) {
        left = std::clamp(left, 0, std::max(0, area->width() - width()));
        top = std::clamp(top, 0, std::max(0, area->height() - height()));
    }
    move(left, top);
    show();
    raise();
    text_->setFocus(Qt::OtherFocusReason);
}

bool CommentPanelWidget::eventFilter(QObject* watched, QEvent* event)
{
    // The caption bar moves the panel around inside its window.
    if (watched == caption_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                dragging_ = true;
                dragOffset_ = mouse->globalPosition().toPoint() - pos();
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            if (dragging_) {
                auto* mouse = static_cast<QMouseEvent*>(event);
                QPoint target = mouse->globalPosition().toPoint() - dragOffset_;
                if (QWidget* area = parentWidget()) {
                    target.setX(std::clamp(target.x(), 0, std::max(0, area->width() - width())));
                    target.setY(
                        std::clamp(target.y(), 0, std::max(0, area->height() - height())));
                }
                move(target);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace shiftex
