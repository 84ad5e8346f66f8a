#pragma once

#include "model/schedule_document.h"

#include <QWidget>

#include <memory>

namespace shiftex {

class SheetView;

// One open schedule inside the main window: owns its document for its whole life.
class ScheduleWindow : public QWidget {
    Q_OBJECT

public:
    explicit ScheduleWindow(std::unique_ptr<ScheduleDocument> document, QWidget* parent = nullptr);
    ~ScheduleWindow() override;

    ScheduleDocument& document() const { return *document_; }
    SheetView* sheetView() const { return sheetView_; }
    // The window title follows document().title.
    void refreshTitle();

private:
    std::unique_ptr<ScheduleDocument> document_;
    SheetView* sheetView_;
};

} // namespace shiftex
