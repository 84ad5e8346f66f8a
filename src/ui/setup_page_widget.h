#pragma once

#include "model/message_sink.h"
#include "setup/setup_page.h"
#include "ui/page_binder.h"

#include <QWidget>

#include <initializer_list>

class QAbstractButton;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace shiftex {

// The window of one setup page: widgets bound to the page by name. Hosts (the wizard, the
// options dialog) place it and learn of every change through refreshed().
class SetupPageWidget : public QWidget {
    Q_OBJECT

public:
    SetupPageWidget(SetupPage& page, MessageSink& messages, QWidget* parent);

    PageBinder& binder() { return *binder_; }

signals:
    // After every action on the page.
    void refreshed();

protected:
    // Helpers for building the page: each widget with its hint, bound by name.
    QLineEdit* addLineEdit(const std::string& field, const char* hint);
    QPushButton* addButton(const std::string& name, const char* caption, const char* hint);
    static QLabel* caption(const char* text, QWidget* parent);
    // The buttons of a page in a row at its right.
    static QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons);
    // "&Save changes", "&Default" and "&Help" of the colour pages.
    QHBoxLayout* saveDefaultHelpRow();

    PageBinder* binder_;
};

} // namespace shiftex
