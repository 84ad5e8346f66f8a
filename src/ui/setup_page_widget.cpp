#include "ui/setup_page_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace shiftex {

SetupPageWidget::SetupPageWidget(SetupPage& page, MessageSink& messages, QWidget* parent)
    : QWidget(parent), binder_(new PageBinder(page, messages, this))
{
    connect(binder_, &PageBinder::refreshed, this, &SetupPageWidget::refreshed);
}

QLineEdit* SetupPageWidget::addLineEdit(const std::string& field, const char* hint)
{
    auto* edit = new QLineEdit(this);
    edit->setToolTip(QString::fromUtf8(hint));
    binder_->bindLineEdit(edit, field);
    return edit;
}

QPushButton* SetupPageWidget::addButton(const std::string& name, const char* text,
                                        const char* hint)
{
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setToolTip(QString::fromUtf8(hint));
    button->setAutoDefault(false);
    binder_->bindButton(button, name);
    return button;
}

QHBoxLayout* SetupPageWidget::buttonRow(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* button : buttons)
        row->addWidget(button);
    return row;
}

QHBoxLayout* SetupPageWidget::saveDefaultHelpRow()
{
    return buttonRow({addButton("save", "&Save changes", "Save changes"),
                      addButton("default", "&Default", "Set default"),
                      addButton("help", "&Help", "Show help information")});
}

QLabel* SetupPageWidget::caption(const char* text, QWidget* parent)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

} // namespace shiftex
