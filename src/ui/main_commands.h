#pragma once

#include "app/main_menu.h"

#include <QObject>

#include <array>
#include <functional>
#include <string_view>

class QAction;
class QIcon;
class QMainWindow;
class QMenu;
class QToolBar;

namespace shiftex {

// The menu bar and the tool bar of the main window, built from the command table. A command
// has its menu item and, when it is on the tool bar, a button of its own (with its own hint);
// both run the handler bound to the command. A command nobody has bound stays disabled.
class MainCommands final : public QObject {
    Q_OBJECT

public:
    explicit MainCommands(QMainWindow& window);

    // Binds a command to what it does, once; from then on it is enabled by the window's rules.
    void bind(MainCommand command, std::function<void()> handler);
    bool isBound(MainCommand command) const;
    // Runs the command's handler, if it has one.
    void run(MainCommand command);

    // The menu item (for a command of the tool bar only, its button); the tool bar's button or
    // null.
    QAction* action(MainCommand command) const { return actions_[Index(command)]; }
    QAction* toolAction(MainCommand command) const { return tools_[Index(command)]; }
    QMenu* menu(MainMenu menu) const { return menus_[static_cast<std::size_t>(menu)]; }
    QMenu* reopenMenu() const { return reopen_; }
    QMenu* printMenu() const { return print_; }
    QToolBar* toolBar() const { return toolBar_; }

    // Each bound command enabled unless it waits for a schedule and none is open; unbound
    // commands disabled. Menu items and buttons alike; states of their own come after this.
    void enableFor(bool scheduleOpen);

private:
    static std::size_t Index(MainCommand command) { return static_cast<std::size_t>(command); }
    QAction* create(MainCommand command, const QString& caption, const QString& hint,
                    const QIcon& icon);

    std::array<QAction*, kMainCommandCount> actions_{};
    std::array<QAction*, kMainCommandCount> tools_{};
    std::array<std::function<void()>, kMainCommandCount> handlers_{};
    std::array<QMenu*, 6> menus_{};
    QMenu* reopen_ = nullptr;
    QMenu* print_ = nullptr;
    QToolBar* toolBar_ = nullptr;
};

} // namespace shiftex
