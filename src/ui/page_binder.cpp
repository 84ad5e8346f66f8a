#include "ui/page_binder.h"

#include "ui/help_topic.h"
#include "ui/setup_widgets.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

namespace shiftex {

PageBinder::PageBinder(SetupPage& page, MessageSink& messages, QObject* parent)
    : QObject(parent), page_(page), messages_(messages)
{
}

void PageBinder::bindLineEdit(QLineEdit* edit, const std::string& field)
{
    keep(edit, field);
    leaveFields_[edit] = field;
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, edit, field] {
        // A masked field shows its blanks; that is the text the page reads.
        const std::string text = edit->displayText().toStdString();
        if (page_.CanHold(field, text))
            run([this, field, text] { return page_.SetField(field, text); });
    });
}

void PageBinder::bindButton(QAbstractButton* button, const std::string& name)
{
    keep(button, name);
    connect(button, &QAbstractButton::clicked, this, [this, name] {
        if (name == "help") {
            run([this]() -> Result<void> {
                ShowHelpTopic(page_.helpTopic());
                return {};
            });
            return;
        }
        run([this, name] { return page_.Press(name); });
    });
}

void PageBinder::bindColourButton(ColourButton* button, const std::string& field)
{
    keep(button, field);
    connect(button, &ColourButton::colourChosen, this, [this, field](const QString& colour) {
        run([this, field, colour] { return page_.SetField(field, colour.toStdString()); });
    });
}

void PageBinder::bindChoice(QComboBox* list, const std::string& field)
{
    keep(list, field);
    connect(list, &QComboBox::activated, this, [this, list, field](int index) {
        const std::string text = list->itemText(index).toStdString();
        if (page_.CanHold(field, text))
            run([this, field, text] { return page_.SetField(field, text); });
    });
}

void PageBinder::bindIndexChoice(QComboBox* list, const std::string& field)
{
    keep(list, field);
    connect(list, &QComboBox::activated, this, [this, field](int index) {
        run([this, field, index] { return page_.SetField(field, std::to_string(index)); });
    });
}

void PageBinder::bindSpinBox(QSpinBox* spin, const std::string& field)
{
    keep(spin, field);
    leaveFields_[spin] = field;
    spin->installEventFilter(this);
    connect(spin, &QSpinBox::valueChanged, this, [this, field](int value) {
        if (!refreshing_)
            run([this, field, value] { return page_.SetField(field, std::to_string(value)); });
    });
}

void PageBinder::bindFocusTarget(QWidget* widget, const std::string& name)
{
    keep(widget, name);
}

void PageBinder::keep(QWidget* widget, const std::string& name)
{
    widgets_[name] = widget;
    // Found by the page's name for it, by tests and by whoever places the page.
    widget->setObjectName(QString::fromStdString(name));
}

bool PageBinder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box or a menu taking the focus for a moment is no leaving.
        const auto it = leaveFields_.find(watched);
        if (it != leaveFields_.end() && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason) {
            pendingLeaves_.push_back(it->second);
            QTimer::singleShot(0, this, [this] { run({}); });
        }
    }
    return QObject::eventFilter(watched, event);
}

Result<void> PageBinder::takeLeaves()
{
    // In the order the fields were left; the first message ends the others.
    const std::vector<std::string> fields = std::move(pendingLeaves_);
    pendingLeaves_.clear();
    for (const std::string& field : fields)
        if (Result<void> result = page_.LeaveField(field); !result)
            return result;
    return {};
}

void PageBinder::detach()
{
    for (const auto& [watched, field] : leaveFields_)
        watched->removeEventFilter(this);
    pendingLeaves_.clear();
    detached_ = true;
}

void PageBinder::run(const std::function<Result<void>()>& action)
{
    if (detached_)
        return;
    Result<void> result = takeLeaves();
    if (result && action)
        result = action();
    refresh();
    ShowMessage(result, messages_);
}

void PageBinder::refresh()
{
    if (detached_)
        return;
    refreshing_ = true;
    for (const auto& [name, widget] : widgets_) {
        const bool field = page_.HasField(name);
        if (!field && !page_.HasButton(name))
            continue;
        widget->setEnabled(page_.IsEnabled(name));
        widget->setVisible(page_.IsVisible(name));
        if (!field)
            continue;
        const QString text = QString::fromStdString(page_.Text(name));
        const QSignalBlocker block(widget);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setReadOnly(page_.IsReadOnly(name));
            const int limit = page_.MaxLength(name);
            // A longer value put there by the page is shown whole.
            if (limit > 0)
                edit->setMaxLength(std::max<int>(limit, static_cast<int>(text.size())));
            if (edit->displayText() != text)
                edit->setText(text);
        } else if (auto* colour = qobject_cast<ColourButton*>(widget)) {
            colour->setColourText(text);
        } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
            spin->setValue(text.toInt());
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            bool number = false;
            const int index = text.toInt(&number);
            if (list->findText(text) >= 0)
                list->setCurrentIndex(list->findText(text));
            else
                list->setCurrentIndex(number && index < list->count() ? index : -1);
        }
    }
    refreshing_ = false;
    emit refreshed();
    applyFocus();
}

void PageBinder::applyFocus()
{
    if (page_.focusRequests() == appliedFocus_)
        return;
    appliedFocus_ = page_.focusRequests();
    const auto it = widgets_.find(page_.focus());
    if (it == widgets_.end() || !it->second->isEnabled())
        return;
    it->second->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(it->second); edit && page_.focusSelectsText())
        edit->selectAll();
}

} // namespace shiftex
