#pragma once

#include "editing/schedule_session.h"
#include "model/message_sink.h"
#include "model/settings_store.h"
#include "setup/options_dialog.h"
#include "ui/options_page_widgets.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <string>

class QHBoxLayout;
class QListWidget;
class QToolBox;

namespace shiftex {

// The options dialog: an inspector bar of three panels on the left, the page of the chosen item
// on the right, the item's caption as the window's caption. It has no Cancel: its close box
// applies everything to the schedule it was opened on.
class OptionsDialogWindow : public QDialog {
    Q_OBJECT

public:
    OptionsDialogWindow(const QString& programFolder, MessageSink& messages,
                        SettingsStore* settings, ProgramBackup& backup,
                        QWidget* parent = nullptr);
    ~OptionsDialogWindow() override;

    // Fills the dialog from the session's schedule on item `item` of panel `panel`; false (the
    // reason has been shown) when it cannot open. Show it with open() afterwards.
    bool start(ScheduleSession& session, int panel, int item,
               std::optional<std::string> code = std::nullopt);

    OptionsDialog& dialog() { return *dialog_; }
    QToolBox* bar() const { return bar_; }
    // The list of items of one panel.
    QListWidget* items(int panel) const { return items_.value(panel); }
    // The page shown; an empty widget for an item without a page.
    QWidget* page() const { return page_; }
    // An item of the bar clicked.
    void clickItem(int panel, int item);
    // The backup page's folder chooser, for the next backup pages shown.
    void setFolderChooser(BackupPageWidget::FolderChooser chooser);

public slots:
    // The close box (and Esc): the copy is applied to the schedule.
    void reject() override;

signals:
    // After the copy was applied; closeSchedule when the schedule's window has to close
    // because the backup settings could not be written.
    void applied(bool closeSchedule);

private:
    void showPage();
    QWidget* makePage();
    void selectInBar();

    MessageSink& messages_;
    SettingsStore* settings_;
    std::unique_ptr<OptionsDialog> dialog_;
    QToolBox* bar_;
    QList<QListWidget*> items_;
    QHBoxLayout* pageArea_;
    QWidget* page_ = nullptr;
    BackupPageWidget::FolderChooser folderChooser_;
};

} // namespace shiftex
