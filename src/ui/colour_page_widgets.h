#pragma once

#include "model/settings_store.h"
#include "setup/sheet_colours_page.h"
#include "setup/threshold_page.h"
#include "ui/setup_page_widget.h"

class QComboBox;

namespace shiftex {

// The colour thresholds of the custom queries or of the working types.
class ThresholdPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    ThresholdPageWidget(ThresholdPage& page, MessageSink& messages, QWidget* parent);
    QComboBox* list() const { return list_; }

private:
    void showList();
    ThresholdPage& page_;
    QComboBox* list_;
};

// The weekend, holiday and code colours and the font of the sheet. Every font chosen is
// remembered in `settings` (may be null).
class SheetColoursPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    SheetColoursPageWidget(SheetColoursPage& page, MessageSink& messages,
                           SettingsStore* settings, QWidget* parent);
    QComboBox* fontList() const { return fonts_; }

private:
    SheetColoursPage& page_;
    QComboBox* fonts_;
};

} // namespace shiftex
