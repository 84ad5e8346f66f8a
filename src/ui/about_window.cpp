#include "ui/about_window.h"

#include "app/startup.h"
#include "ui/icons.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace shiftex {

namespace {

constexpr int kSplashMs = 4000;

QLabel* Link(const QString& text)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("About Shiftex"));
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("AboutFrame"));
    frame->setFrameShape(QFrame::Box);
    frame->setStyleSheet(QStringLiteral(
        "#AboutFrame { border: 1px solid #5b6b7a; background: #f7f3e8; }"
        "#AboutHeading { background: #2f6cd6; color: white; padding: 8px; }"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* heading = new QLabel(QStringLiteral("Shiftex : Information."));
    heading->setObjectName(QStringLiteral("AboutHeading"));
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    heading->setFont(big);

    auto* icon = new QLabel;
    icon->setPixmap(ProgramPixmap(64));
    icon->setAlignment(Qt::AlignTop);

    auto* facts = new QVBoxLayout;
    facts->addWidget(new QLabel(QStringLiteral("Version: ") + QLatin1String(kVersionText)));
    facts->addWidget(
        new QLabel(QStringLiteral("Last update : ") + QLatin1String(kLastUpdateText)));
    facts->addSpacing(8);
    auto* news = new QLabel(QStringLiteral(
        "<b>Multiple \"Special Additions\" can be used.</b>"
        "<p>New in this version:</p><ul style=\"margin-left: -20px\">"
        "<li>Several custom queries, each with its own colours, counted per day.</li>"
        "<li>Departments: one sub-column per department and day.</li>"
        "<li>Extend a schedule by a week or a month with the \u00bb buttons.</li>"
        "<li>Automatic backups of the open schedules.</li>"
        "<li>Quick insert over weekends, holidays, an employee or a department.</li>"
        "</ul>"));
    news->setTextFormat(Qt::RichText);
    news->setWordWrap(true);
    facts->addWidget(news);
    website_ = Link(QStringLiteral("Check out the website"));
    mail_ = Link(QStringLiteral("Mail your question or remark"));
    facts->addWidget(website_);
    facts->addWidget(mail_);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(14, 12, 14, 0);
    body->setSpacing(14);
    body->addWidget(icon);
    body->addLayout(facts, 1);

    close_ = new QPushButton(QStringLiteral("&Close"));
    close_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(14, 6, 14, 12);
    buttons->addStretch(1);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(heading);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(website_, &QLabel::linkActivated, this, &AboutWindow::websiteRequested);
    connect(mail_, &QLabel::linkActivated, this, &AboutWindow::mailRequested);
    splashTimer_ = new QTimer(this);
    splashTimer_->setSingleShot(true);
    connect(splashTimer_, &QTimer::timeout, this, &QDialog::accept);
    setFixedWidth(440);
}

int AboutWindow::showModal(bool asSplash)
{
    splash_ = asSplash;
    adjustSize();
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->frameGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    if (asSplash)
        splashTimer_->start(kSplashMs);
    const int result = exec();
    splashTimer_->stop();
    splash_ = false;
    return result;
}

void AboutWindow::mousePressEvent(QMouseEvent* event)
{
    // A click anywhere puts the splash away.
    if (splash_ && event->button() == Qt::LeftButton) {
        accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace shiftex
