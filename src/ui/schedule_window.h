#pragma once

#include "editing/schedule_session.h"
#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "model/settings_store.h"
#include "model/sheet_layout.h"
#include "platform/qt_text_metrics.h"
#include "summaries/summary_set.h"
#include "summaries/working_time_warnings.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QSplitter;
class QToolBar;

namespace shiftex {

class CommentPanelWidget;
class QuickInsertPanelWidget;
class SheetView;
class SummaryView;
class WorkingTypeChooser;

// One open schedule inside the main window. It owns the schedule's editing session (document,
// summaries, edit state, undo history) for its whole life and lays out the sheet with its four
// summaries: worked hours beside the sheet, employees per type and types per day sharing the area
// below it, the custom query summary at the bottom. Every command goes to the session; the window
// repaints from what the session leaves and tells the main window through stateChanged().
class ScheduleWindow : public QWidget {
    Q_OBJECT

public:
    ScheduleWindow(ScheduleDocument document, MessageSink& messages, SettingsStore* settings,
                   QWidget* parent = nullptr);
    ~ScheduleWindow() override;

    ScheduleSession& session() const { return *session_; }
    // Views read the document; every change goes through the session.
    const ScheduleDocument& document() const { return session_->document(); }
    SheetView* sheetView() const { return sheetView_; }
    SummaryView* summaryView(SummaryKind kind) const;
    WorkingTypeChooser* typeChooser() const { return typeChooser_; }
    CommentPanelWidget* commentPanel() const { return commentPanel_; }
    QuickInsertPanelWidget* quickInsertPanel() const { return quickPanel_; }
    QToolBar* toolBar() const { return toolBar_; }
    // The window title follows document().title.
    void refreshTitle();

    // Undo and Redo are offered while the session has a step and the sheet has not given the
    // keyboard focus to another widget of this window (the comment panel, a summary).
    bool canUndo() const;
    bool canRedo() const;
    // The commands of the main window's menus and tool bar.
    bool undo();
    bool redo();
    bool toggleSummary(SummaryKind kind);
    // Every summary hidden: the sheet alone, the custom query panel back to its first height.
    bool hideAllSummaries();
    void selectWorkingType(int index);
    // The query of a custom query row (grid row), as its drop-down list chooses it.
    bool chooseQuery(int row, const std::string& name);

    // The quick insert panel's button.
    bool quickInsert();
    // Cut, Copy and Paste on the system clipboard; the selection commands.
    void copy();
    bool cut();
    bool paste();
    void selectAll();
    void unselect();
    // The departments view on and off; Hide scrolls back to the first day.
    bool showDepartments();
    bool hideDepartments();
    // The shape commands of the context menu, on the cell it was opened on.
    bool removeEmployee();
    bool removeWeek();
    bool removeMonth();
    bool keepOnlyWeek();
    // A click on the "»" button of header cell (col, row).
    bool extend(int col, int row);
    // Employee row `from` dragged to row position `to`.
    bool moveEmployeeRow(int from, int to);

    // The holiday templates live below this folder (the main window's program folder).
    void setProgramFolder(const QString& folder) { programFolder_ = folder; }
    QString programFolder() const { return programFolder_; }
    // What the main window keeps for closing; without one a close asks nothing.
    void setCloseGuard(CloseGuard* guard) { closeGuard_ = guard; }

    // The sheet's context menu for a right click on (col, row), composed afresh; null where no
    // menu opens. The caller owns it.
    QMenu* createSheetMenu(int col, int row);
    // The window's own menu: the four summaries, and on the custom query summary its row edits.
    QMenu* createSummaryMenu(SummaryKind kind);
    QAction* insertQueryRowAction() const { return insertRowAction_; }
    QAction* deleteQueryRowAction() const { return deleteRowAction_; }

    // Everything drawn again from the session, after a command run on it directly.
    void refresh() { afterCommand(); }
    // After the options dialog changed the schedule's lists, font and shape.
    void settingsChanged();

    // The working-time warnings of the sheet, current after every command.
    const WorkingTimeWarnings& warnings() const { return warnings_; }
    // New limits from the user's settings: every row checked again.
    void setWorkingTimeLimits(const WorkingTimeLimits& limits);
    // The first cell of a finding becomes the current cell, scrolled into view.
    void showFinding(const WorkingTimeFinding& finding);

    // The colour dialog; tests put another picker in.
    void setColourPicker(ColourPicker picker) { colourPicker_ = std::move(picker); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

signals:
    // After every command: undo state, summaries shown, modified flag may have changed.
    void stateChanged();
    // The window was asked to close and answered (the close guard may carry a status text).
    void closeAnswered(bool closing);
    // The options dialog is wanted on item `item` of panel `panel`, with the working type to
    // choose on its working types page when a code is given.
    void optionsRequested(int panel, int item, std::optional<std::string> code);
    // The working-time warnings were checked again.
    void warningsChanged();

private slots:
    void afterCommand();

private:
    void buildLayout();
    void bindViews();
    // After a command: a click checks its row again, anything else the whole sheet.
    void updateWarnings();
    void syncSummaries();
    void placeAreas(bool force);
    void fitHoursCaption();
    void refreshChooser();
    void openCommentPanel();
    void applyComment();
    void cancelComment();
    void chooseQueryAt(int col, int row);
    void showSheetMenu(int col, int row, const QPoint& globalPos);
    void showSummaryMenu(SummaryKind kind, const QPoint& globalPos);
    void selectHeaderRange(int col, int row);
    // Connects a context menu entry to its command.
    void bindMenuItem(QAction* action, MenuCommand command);
    void updateQueryRowActions();
    void focusChanged(QWidget* old, QWidget* now);
    bool focusAwayFromSheet() const;
    std::optional<Colour> pickColour(const std::vector<std::string>& customColours);

    QtTextMetrics metrics_;
    std::unique_ptr<ScheduleSession> session_;
    WorkingTimeWarnings warnings_;
    int clickedRow_ = -1;  // the row of a click on a day cell, until its command is done
    QToolBar* toolBar_ = nullptr;
    WorkingTypeChooser* typeChooser_ = nullptr;
    SheetView* sheetView_ = nullptr;
    QSplitter* vertical_ = nullptr;
    QWidget* top_ = nullptr;
    QWidget* hoursHolder_ = nullptr;
    QWidget* countArea_ = nullptr;
    SummaryView* hoursView_ = nullptr;
    SummaryView* typesView_ = nullptr;
    SummaryView* employeesView_ = nullptr;
    SummaryView* queryView_ = nullptr;
    CommentPanelWidget* commentPanel_ = nullptr;
    QuickInsertPanelWidget* quickPanel_ = nullptr;
    CloseGuard* closeGuard_ = nullptr;
    QString programFolder_;
    QAction* insertRowAction_ = nullptr;
    QAction* deleteRowAction_ = nullptr;
    ColourPicker colourPicker_;
    std::array<bool, 4> shown_{};
    bool placePending_ = false;
    // The user dragged the line between the sheet and the summaries below it.
    bool countSizedByUser_ = false;
};

} // namespace shiftex
