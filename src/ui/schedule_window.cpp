#include "ui/schedule_window.h"

#include "ui/sheet_view.h"

#include <QVBoxLayout>

namespace shiftex {

ScheduleWindow::ScheduleWindow(std::unique_ptr<ScheduleDocument> document, QWidget* parent)
    : QWidget(parent), document_(std::move(document))
{
    sheetView_ = new SheetView(*document_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sheetView_);
    setFocusProxy(sheetView_);
    refreshTitle();
}

ScheduleWindow::~ScheduleWindow()
{
    // The view draws from the document, so it goes first.
    delete sheetView_;
}

void ScheduleWindow::refreshTitle()
{
    setWindowTitle(QString::fromStdString(document_->title));
}

} // namespace shiftex
