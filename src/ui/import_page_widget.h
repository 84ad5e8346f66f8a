#pragma once

#include "setup/import_page.h"
#include "ui/setup_page_widget.h"

#include <QString>

#include <functional>
#include <memory>

class QLabel;
class QRadioButton;
class QToolButton;
class QVBoxLayout;

namespace shiftex {

class ScheduleSession;
class SheetView;

// The choice between a new schedule from scratch and one that takes the settings of an existing
// schedule, with the preview of a schedule file.
class ImportPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    // The file to take as template: the open dialog unless a test puts something else in; an
    // empty answer cancels.
    using FileChooser = std::function<QString()>;

    ImportPageWidget(ImportPage& page, MessageSink& messages, FileChooser chooser,
                     QWidget* parent);
    ~ImportPageWidget() override;

    QRadioButton* templateOption() const { return template_; }
    QRadioButton* scratchOption() const { return scratch_; }
    QToolButton* browseButton() const { return browse_; }
    SheetView* preview() const { return preview_; }
    QLabel* noPreviewLabel() const { return noPreview_; }

private:
    void browse();
    void showPage();
    // A new preview sheet after a template was read.
    void rebuildPreview();

    ImportPage& page_;
    FileChooser chooser_;
    QRadioButton* template_;
    QRadioButton* scratch_;
    QToolButton* browse_;
    QLabel* noPreview_;
    QVBoxLayout* previewLayout_;
    std::unique_ptr<ScheduleSession> previewSession_;
    SheetView* preview_ = nullptr;
};

} // namespace shiftex
