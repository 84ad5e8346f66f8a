#pragma once

#include "setup/backup_page.h"
#include "setup/mail_page.h"
#include "ui/setup_page_widget.h"

#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace shiftex {

// The automatic backup on or off, with its interval and folder.
class BackupPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    // The folder chooser: the folder picked, empty when none was. The platform's folder
    // dialog unless a test puts another in.
    using FolderChooser = std::function<QString(const QString& current)>;

    BackupPageWidget(BackupPage& page, MessageSink& messages, QWidget* parent);
    void setFolderChooser(FolderChooser chooser) { chooser_ = std::move(chooser); }

    QPushButton* toggle() const { return toggle_; }
    QWidget* panel() const { return panel_; }
    QLineEdit* folder() const { return folder_; }
    QSpinBox* interval() const { return interval_; }
    QPushButton* browse() const { return browse_; }

private:
    void showPage();
    void chooseFolder();

    BackupPage& page_;
    QPushButton* toggle_;
    QWidget* panel_;
    QSpinBox* interval_;
    QLineEdit* folder_;
    QPushButton* browse_;
    FolderChooser chooser_;
    int focusRequests_ = 0;
};

// How to reach the makers: a mail or the web form.
class MailPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    MailPageWidget(MailPage& page, MessageSink& messages, QWidget* parent);
};

} // namespace shiftex
