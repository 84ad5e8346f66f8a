#include "ui/main_commands.h"

#include "ui/icons.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace shiftex {

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QIcon CommandIcon(MainCommand command)
{
    switch (command) {
    case MainCommand::New:
        return NewScheduleIcon();
    case MainCommand::Open:
        return OpenIcon();
    case MainCommand::Save:
        return SaveIcon();
    case MainCommand::PrintPreview:
        return PrintPreviewIcon();
    case MainCommand::PrintSheet:
        return PrintIcon();
    case MainCommand::Cut:
        return CutIcon();
    case MainCommand::Copy:
        return CopyIcon();
    case MainCommand::Paste:
        return PasteIcon();
    case MainCommand::Undo:
        return UndoIcon();
    case MainCommand::Redo:
        return RedoIcon();
    case MainCommand::ToggleVisibleWindows:
        return ToggleWindowsIcon();
    case MainCommand::ShowHelpFile:
    case MainCommand::HelpIndex:
        return HelpIcon();
    default:
        return {};
    }
}

} // namespace

MainCommands::MainCommands(QMainWindow& window) : QObject(&window)
{
    QMenuBar* bar = window.menuBar();
    for (MainMenu each : {MainMenu::File, MainMenu::Edit, MainMenu::Workinglist,
                          MainMenu::Options, MainMenu::Window, MainMenu::Help})
        menus_[static_cast<std::size_t>(each)] = bar->addMenu(Text(MainMenuCaption(each)));

    QMenu* submenu = nullptr;
    for (const MenuEntry& entry : MainMenuEntries()) {
        QMenu* target = entry.inSubmenu && submenu != nullptr ? submenu : menu(entry.menu);
        switch (entry.kind) {
        case MenuEntry::Kind::Separator:
            target->addSeparator();
            break;
        case MenuEntry::Kind::Submenu:
            submenu = target->addMenu(Text(entry.caption));
            submenu->menuAction()->setStatusTip(Text(entry.hint));
            (entry.caption == "&Reopen" ? reopen_ : print_) = submenu;
            break;
        case MenuEntry::Kind::Command: {
            QAction* action = create(entry.command, Text(entry.caption), Text(entry.hint),
                                     CommandIcon(entry.command));
            if (!entry.shortcut.empty())
                action->setShortcut(QKeySequence(Text(entry.shortcut)));
            target->addAction(action);
            break;
        }
        }
    }

    toolBar_ = window.addToolBar(QStringLiteral("Shiftex"));
    toolBar_->setObjectName(QStringLiteral("MainToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    for (const ToolEntry& tool : MainToolEntries()) {
        if (tool.separatorBefore)
            toolBar_->addSeparator();
        // Every button is an action of its own: its hint is not its menu item's, and Save,
        // Cut, Copy and Paste follow states of their own.
        auto* button = new QAction(CommandIcon(tool.command), Text(tool.hint), this);
        button->setStatusTip(Text(tool.hint));
        button->setToolTip(Text(tool.hint));
        connect(button, &QAction::triggered, this, [this, c = tool.command] { run(c); });
        if (QAction* item = action(tool.command); item == nullptr)
            actions_[Index(tool.command)] = button;
        else if (item->statusTip().isEmpty())
            item->setToolTip(Text(tool.hint));  // a menu item without a hint of its own
        tools_[Index(tool.command)] = button;
        toolBar_->addAction(button);
    }
    enableFor(false);
}

QAction* MainCommands::create(MainCommand command, const QString& caption, const QString& hint,
                              const QIcon& icon)
{
    auto* action = new QAction(icon, caption, this);
    action->setStatusTip(hint);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove(QLatin1Char('&')) : hint);
    connect(action, &QAction::triggered, this, [this, command] { run(command); });
    actions_[Index(command)] = action;
    return action;
}

void MainCommands::bind(MainCommand command, std::function<void()> handler)
{
    handlers_[Index(command)] = std::move(handler);
}

bool MainCommands::isBound(MainCommand command) const
{
    return static_cast<bool>(handlers_[Index(command)]);
}

void MainCommands::run(MainCommand command)
{
    // A copy: the handler may bind anew.
    if (const std::function<void()> handler = handlers_[Index(command)])
        handler();
}

void MainCommands::enableFor(bool scheduleOpen)
{
    for (int i = 0; i < kMainCommandCount; ++i) {
        const auto command = static_cast<MainCommand>(i);
        const bool enabled = isBound(command) && (scheduleOpen || !NeedsSchedule(command));
        for (QAction* action : {actions_[Index(command)], tools_[Index(command)]})
            if (action != nullptr)
                action->setEnabled(enabled);
    }
    print_->menuAction()->setEnabled(scheduleOpen);
}

} // namespace shiftex
