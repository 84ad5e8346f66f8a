#pragma once

#include "setup/holidays_page.h"
#include "ui/setup_page_widget.h"

class QCalendarWidget;
class QTreeWidget;

namespace shiftex {

class RefreshingComboBox;
class TwoDigitSpinBox;

// The holidays of a region for the month the calendar shows. In the wizard the calendar also
// picks the new schedule's month and year, and says so.
class HolidaysPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    HolidaysPageWidget(HolidaysPage& page, MessageSink& messages, bool inWizard,
                       QWidget* parent);

    QCalendarWidget* calendar() const { return calendar_; }
    QTreeWidget* list() const { return list_; }
    RefreshingComboBox* regions() const { return regions_; }

private:
    void showPage();
    HolidaysPage& page_;
    QCalendarWidget* calendar_;
    QTreeWidget* list_;
    RefreshingComboBox* regions_;
    TwoDigitSpinBox* day_;
};

} // namespace shiftex
