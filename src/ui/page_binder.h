#pragma once

#include "model/message_sink.h"
#include "model/result.h"
#include "setup/setup_page.h"

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace shiftex {

class ColourButton;

// Binds the widgets of a page window to a setup page by the names of its fields and buttons:
// what the user does goes to the page, and after each action the widgets show the page again
// (texts, enabled and shown states, the focus) and the page's message is shown.
class PageBinder : public QObject {
    Q_OBJECT

public:
    PageBinder(SetupPage& page, MessageSink& messages, QObject* parent = nullptr);

    SetupPage& page() const { return page_; }

    // Typing goes to the field, leaving the widget leaves the field.
    void bindLineEdit(QLineEdit* edit, const std::string& field);
    void bindButton(QAbstractButton* button, const std::string& name);
    void bindColourButton(ColourButton* button, const std::string& field);
    // A drop-down list whose chosen entry's text is the field's value.
    void bindChoice(QComboBox* list, const std::string& field);
    // A drop-down list of indexes (the icon list): the field holds the index, empty for none.
    void bindIndexChoice(QComboBox* list, const std::string& field);
    void bindSpinBox(QSpinBox* spin, const std::string& field);
    // Each bound widget gets the page's name as its object name.
    // A widget the page may focus by name without it being a field ("checklist").
    void bindFocusTarget(QWidget* widget, const std::string& name);

    // Runs a user action on the page, shows its message and refreshes the widgets. Pending
    // leaves of fields are handled first; when one has a message, the action is dropped.
    void run(const std::function<Result<void>()>& action);
    // The widgets from the page.
    void refresh();
    // The page is going away before its widgets: nothing reaches it any more.
    void detach();

signals:
    // After every refresh: the page window shows its lists and whatever else the page holds.
    void refreshed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keep(QWidget* widget, const std::string& name);
    // The leaves of the fields the focus went out of since the last action.
    Result<void> takeLeaves();
    void applyFocus();

    SetupPage& page_;
    MessageSink& messages_;
    std::map<std::string, QWidget*> widgets_;
    std::map<QObject*, std::string> leaveFields_;
    std::vector<std::string> pendingLeaves_;
    int appliedFocus_ = 0;
    bool refreshing_ = false;
    bool detached_ = false;
};

} // namespace shiftex
