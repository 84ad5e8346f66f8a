#include "ui/print_preview_window.h"

#include "reports/print_commands.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace shiftex {

PrintPreviewWindow::PrintPreviewWindow(PrintCopy copy, CellPictures pictures, QPrinter& printer,
                                       QWidget* parent)
    : QDialog(parent), copy_(std::move(copy)), pictures_(std::move(pictures)), printer_(printer)
{
    setWindowTitle(QString::fromUtf8(kPreviewCaption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    previous_ = new QPushButton(QStringLiteral("Previous"), this);
    next_ = new QPushButton(QStringLiteral("Next"), this);
    print_ = new QPushButton(QStringLiteral("Print"), this);
    close_ = new QPushButton(QStringLiteral("Close"), this);
    pageLabel_ = new QLabel(this);
    for (QPushButton* button : {previous_, next_, print_})
        buttons->addWidget(button);
    buttons->addSpacing(12);
    buttons->addWidget(pageLabel_);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    preview_ = new QPrintPreviewWidget(&printer_, this);
    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    layout->addWidget(preview_, 1);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* target) { PrintRenderer(copy_, pictures_).Render(*target); });
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, &PrintPreviewWindow::refresh);
    connect(previous_, &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connect(print_, &QPushButton::clicked, this, &PrintPreviewWindow::print);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    preview_->updatePreview();
    refresh();
    resize(960, 720);
}

int PrintPreviewWindow::pageCount() const
{
    return preview_->pageCount();
}

int PrintPreviewWindow::currentPage() const
{
    return preview_->currentPage();
}

void PrintPreviewWindow::showPage(int page)
{
    if (page < 1 || page > pageCount())
        return;
    preview_->setCurrentPage(page);
    refresh();
}

void PrintPreviewWindow::refresh()
{
    const int count = pageCount();
    const int current = currentPage();
    previous_->setEnabled(current > 1);
    next_->setEnabled(current < count);
    pageLabel_->setText(QStringLiteral("Page %1 of %2").arg(current).arg(count));
}

bool PrintPreviewWindow::print()
{
    const bool accepted = printDialog_ ? printDialog_(printer_)
                                       : QPrintDialog(&printer_, this).exec() == QDialog::Accepted;
    return accepted && PrintRenderer(copy_, pictures_).Render(printer_);
}

} // namespace shiftex
