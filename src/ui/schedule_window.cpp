#include "ui/schedule_window.h"

#include "app/working_time_settings.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_colour.h"
#include "setup/options_dialog.h"
#include "ui/comment_panel_widget.h"
#include "ui/busy_cursor.h"
#include "ui/icons.h"
#include "ui/quick_insert_panel_widget.h"
#include "ui/sheet_view.h"
#include "ui/summary_view.h"
#include "ui/working_type_chooser.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace shiftex {

namespace {

// Heights of the areas below the sheet when a summary first shows.
constexpr int kMaxEmployeesHeight = 220;
// One custom query row: twenty pixels and its line, as the area grows and shrinks by.
constexpr int kQueryRowPixels = kQueryRowHeight - SummaryView::kGridLine;

constexpr std::array<SummaryKind, 4> kMenuOrder{
    SummaryKind::CustomQuery, SummaryKind::EmployeesPerType, SummaryKind::TypesPerDay,
    SummaryKind::WorkedHours};

int KindIndex(SummaryKind kind) { return static_cast<int>(kind); }

// The window's own menu names the summaries so.
QString SummaryMenuCaption(SummaryKind kind)
{
    switch (kind) {
    case SummaryKind::CustomQuery:
        return QStringLiteral("Custom Query");
    case SummaryKind::EmployeesPerType:
        return QStringLiteral("Employee / Types summary");
    case SummaryKind::TypesPerDay:
        return QStringLiteral("&Types / days summary");
    case SummaryKind::WorkedHours:
        return QStringLiteral("&Worked Hours summary");
    }
    return {};
}

// The area below the sheet: employees per type above, types per day in the lower half when both
// are shown; one alone fills it.
class CountArea final : public QWidget {
public:
    CountArea(SummaryView* employees, SummaryView* types, QWidget* parent)
        : QWidget(parent), employees_(employees), types_(types)
    {
        employees_->setParent(this);
        types_->setParent(this);
    }

    void arrange()
    {
        const int w = width();
        const int h = height();
        const bool both = !employees_->isHidden() && !types_->isHidden();
        if (both) {
            const int lower = static_cast<int>(std::lround(h / 2.0));
            employees_->setGeometry(0, 0, w, h - lower);
            types_->setGeometry(0, h - lower, w, lower);
        } else if (!types_->isHidden()) {
            types_->setGeometry(0, 0, w, h);
        } else {
            employees_->setGeometry(0, 0, w, h);
        }
    }

protected:
    void resizeEvent(QResizeEvent*) override { arrange(); }

private:
    SummaryView* employees_;
    SummaryView* types_;
};

// "ColorA=C8E0E6": the colour value after the sign, as hexadecimal $00BBGGRR.
std::optional<Colour> CustomColourOfLine(const std::string& line)
{
    const std::size_t sign = line.find('=');
    if (sign == std::string::npos || sign + 1 >= line.size())
        return std::nullopt;
    char* end = nullptr;
    const std::string digits = line.substr(sign + 1);
    const unsigned long value = std::strtoul(digits.c_str(), &end, 16);
    if (end == digits.c_str() || *end != '\0' || value > 0xFFFFFFUL)
        return std::nullopt;
    return static_cast<Colour>(value);
}

} // namespace

ScheduleWindow::ScheduleWindow(ScheduleDocument document, MessageSink& messages,
                               SettingsStore* settings, QWidget* parent)
    : QWidget(parent),
      metrics_(QApplication::font()),
      session_(std::make_unique<ScheduleSession>(std::move(document), messages, settings,
                                                 metrics_))
{
    colourPicker_ = [this](const std::vector<std::string>& offers) { return pickColour(offers); };
    buildLayout();
    bindViews();
    if (settings != nullptr)
        warnings_.SetLimits(ReadWorkingTimeLimits(*settings));
    warnings_.Recompute(session_->document());
    sheetView_->setWarnings(&warnings_);
    // The summaries the file records as shown; an error is reported and the rest still opens.
    session_->summaryPanels().ShowRecorded();
    syncSummaries();
    refreshChooser();
    setFocusProxy(sheetView_);
    refreshTitle();
    connect(qApp, &QApplication::focusChanged, this, &ScheduleWindow::focusChanged);
}

ScheduleWindow::~ScheduleWindow()
{
    disconnect(qApp, nullptr, this, nullptr);
    blockSignals(true);
    // The views draw from the session, so they go first.
    delete vertical_;
    delete commentPanel_;
    delete toolBar_;
}

void ScheduleWindow::buildLayout()
{
    toolBar_ = new QToolBar(this);
    toolBar_->setIconSize(QSize(16, 16));
    typeChooser_ = new WorkingTypeChooser(toolBar_);
    toolBar_->addWidget(typeChooser_);

    sheetView_ = new SheetView(*session_);
    hoursView_ = new SummaryView;
    hoursView_->setObjectName(QStringLiteral("WorkedHoursSummary"));
    typesView_ = new SummaryView;
    typesView_->setObjectName(QStringLiteral("TypesPerDaySummary"));
    employeesView_ = new SummaryView;
    employeesView_->setObjectName(QStringLiteral("EmployeesPerTypeSummary"));
    queryView_ = new SummaryView;
    queryView_->setObjectName(QStringLiteral("CustomQuerySummary"));

    // Worked hours beside the sheet; a pixel down so that each total stands level with its
    // employee (the summary's second header row is a pixel lower than the sheet's).
    hoursHolder_ = new QWidget;
    auto* hoursLayout = new QVBoxLayout(hoursHolder_);
    hoursLayout->setContentsMargins(0, SummaryView::kGridLine, 0, 0);
    hoursLayout->addWidget(hoursView_);

    // The worked hours stand right beside the sheet's last day, however wide the window is.
    top_ = new QWidget;
    auto* topLayout = new QHBoxLayout(top_);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    topLayout->addWidget(sheetView_, 1);
    topLayout->addWidget(hoursHolder_);
    topLayout->addStretch(0);

    countArea_ = new CountArea(employeesView_, typesView_, nullptr);

    vertical_ = new QSplitter(Qt::Vertical, this);
    vertical_->setChildrenCollapsible(false);
    vertical_->addWidget(top_);
    vertical_->addWidget(countArea_);
    vertical_->addWidget(queryView_);
    vertical_->setStretchFactor(0, 1);
    vertical_->setStretchFactor(1, 0);
    vertical_->setStretchFactor(2, 0);
    vertical_->installEventFilter(this);
    connect(vertical_, &QSplitter::splitterMoved, this, [this](int, int handle) {
        // The height the user gives the query area is saved with the document; the one of the
        // area below the sheet stays as the user left it.
        if (session_->summaries().IsShown(SummaryKind::CustomQuery))
            session_->summaryPanels().SetQueryPanelHeight(vertical_->sizes().value(2));
        if (handle == 1)
            countSizedByUser_ = true;
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    quickPanel_ = new QuickInsertPanelWidget(*session_, this);
    layout->addWidget(toolBar_);
    layout->addWidget(quickPanel_);
    layout->addWidget(vertical_, 1);

    for (SummaryView* view : {hoursView_, typesView_, employeesView_, queryView_})
        view->hide();
    hoursHolder_->hide();
    countArea_->hide();

    commentPanel_ = new CommentPanelWidget(this);

    insertRowAction_ = new QAction(QStringLiteral("Insert Row"), queryView_);
    insertRowAction_->setShortcut(QKeySequence(Qt::Key_Insert));
    insertRowAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    deleteRowAction_ = new QAction(QStringLiteral("Delete Row"), queryView_);
    deleteRowAction_->setShortcut(QKeySequence(Qt::Key_Delete));
    deleteRowAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    queryView_->addAction(insertRowAction_);
    queryView_->addAction(deleteRowAction_);

    setContextMenuPolicy(Qt::CustomContextMenu);
}

void ScheduleWindow::bindViews()
{
    // The summaries below the sheet scroll sideways with it, worked hours up and down with it.
    QScrollBar* horizontal = sheetView_->horizontalScrollBar();
    QScrollBar* vertical = sheetView_->verticalScrollBar();
    for (SummaryView* view : {typesView_, queryView_}) {
        view->setFollowHorizontal(true);
        view->setWheelTarget(sheetView_);
        connect(horizontal, &QScrollBar::valueChanged, view, &SummaryView::setHorizontalOffset);
    }
    hoursView_->setFollowVertical(true);
    hoursView_->setWheelTarget(sheetView_);
    connect(vertical, &QScrollBar::valueChanged, hoursView_, &SummaryView::setVerticalOffset);
    queryView_->setShowCurrentCell(true);

    connect(sheetView_, &SheetView::edited, this, &ScheduleWindow::afterCommand);
    connect(sheetView_, &SheetView::cellClicked, this, [this](int col, int row) {
        clickedRow_ = IsDayCell(session_->document().sheet, col, row) ? row : -1;
    });
    connect(sheetView_, &SheetView::contextMenuRequested, this, &ScheduleWindow::showSheetMenu);
    connect(sheetView_, &SheetView::groupColourRequested, this, [this](int row) {
        session_->sheetEdits().ChooseGroupColour(row, colourPicker_);
        afterCommand();
    });
    connect(sheetView_, &SheetView::headerDoubleClicked, this,
            &ScheduleWindow::selectHeaderRange);
    connect(sheetView_, &SheetView::extendButtonClicked, this, &ScheduleWindow::extend);
    connect(sheetView_, &SheetView::employeeRowDragged, this, &ScheduleWindow::moveEmployeeRow);
    connect(quickPanel_, &QuickInsertPanelWidget::insertRequested, this,
            &ScheduleWindow::quickInsert);

    connect(typeChooser_, &QComboBox::activated, this, [this](int index) {
        selectWorkingType(index);
        sheetView_->setFocus(Qt::OtherFocusReason);
    });
    connect(typeChooser_, &WorkingTypeChooser::editRequested, this, [this] {
        // The chosen working type, unless it is the blank entry: then the last choice stays.
        std::optional<std::string> code;
        if (session_->editState().currentType > 0)
            code = document().currentCode;
        emit optionsRequested(options::kScheduleSetup, options::kWorkingTypes, code);
    });

    connect(hoursView_, &SummaryView::cellPressed, this, [this](int, int row) {
        if (row == 0) {
            session_->summaryPanels().PressLock(SummaryKind::WorkedHours);
            afterCommand();
        }
    });
    connect(employeesView_, &SummaryView::cellPressed, this, [this](int col, int row) {
        if (row == 0 && col >= 1) {
            session_->summaryPanels().PressLock(SummaryKind::EmployeesPerType);
            afterCommand();
        }
    });
    connect(queryView_, &SummaryView::cellPressed, this, [this](int col, int row) {
        updateQueryRowActions();
        chooseQueryAt(col, row);
    });
    connect(queryView_, &SummaryView::cellDoubleClicked, this, [this](int col, int row) {
        const SummaryGrid& grid = session_->summaries().customQuery().grid();
        if (col == 0 && row >= grid.fixedRows() && row < grid.rowCount() - 1) {
            session_->summaryPanels().PickFilterColour(row, colourPicker_);
            afterCommand();
        }
    });
    connect(insertRowAction_, &QAction::triggered, this, [this] {
        const int total = session_->summaries().customQuery().totalRow();
        const int row = queryView_->currentCell().y();
        session_->summaryPanels().InsertQueryRow(row >= 0 ? row : total);
        afterCommand();
    });
    connect(deleteRowAction_, &QAction::triggered, this, [this] {
        session_->summaryPanels().DeleteQueryRow(queryView_->currentCell().y());
        afterCommand();
    });

    const std::array<std::pair<SummaryView*, SummaryKind>, 4> views{{
        {hoursView_, SummaryKind::WorkedHours},
        {typesView_, SummaryKind::TypesPerDay},
        {employeesView_, SummaryKind::EmployeesPerType},
        {queryView_, SummaryKind::CustomQuery},
    }};
    for (const auto& [view, kind] : views) {
        connect(view, &SummaryView::cellMenuRequested, this,
                [this, kind](int, int, const QPoint& globalPos) {
                    showSummaryMenu(kind, globalPos);
                });
    }
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        std::unique_ptr<QMenu> menu(createSummaryMenu(SummaryKind::WorkedHours));
        menu->exec(mapToGlobal(pos));
    });

    connect(commentPanel_, &CommentPanelWidget::applied, this, &ScheduleWindow::applyComment);
    connect(commentPanel_, &CommentPanelWidget::cancelled, this, &ScheduleWindow::cancelComment);
}

SummaryView* ScheduleWindow::summaryView(SummaryKind kind) const
{
    switch (kind) {
    case SummaryKind::WorkedHours:
        return hoursView_;
    case SummaryKind::TypesPerDay:
        return typesView_;
    case SummaryKind::EmployeesPerType:
        return employeesView_;
    case SummaryKind::CustomQuery:
        return queryView_;
    }
    return nullptr;
}

void ScheduleWindow::refreshTitle()
{
    setWindowTitle(QString::fromStdString(document().title));
}

bool ScheduleWindow::focusAwayFromSheet() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && isAncestorOf(focus) && focus != sheetView_ &&
           !sheetView_->isAncestorOf(focus);
}

bool ScheduleWindow::canUndo() const { return session_->UndoEnabled(); }

bool ScheduleWindow::canRedo() const { return session_->RedoEnabled(); }

bool ScheduleWindow::undo()
{
    if (!canUndo())
        return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = session_->Undo();
    QGuiApplication::restoreOverrideCursor();
    afterCommand();
    return done;
}

bool ScheduleWindow::redo()
{
    if (!canRedo())
        return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = session_->Redo();
    QGuiApplication::restoreOverrideCursor();
    afterCommand();
    return done;
}

bool ScheduleWindow::toggleSummary(SummaryKind kind)
{
    const bool done = session_->summaryPanels().Toggle(kind);
    afterCommand();
    return done;
}

bool ScheduleWindow::hideAllSummaries()
{
    const bool done = session_->summaryPanels().HideAll();
    afterCommand();
    return done;
}

void ScheduleWindow::selectWorkingType(int index)
{
    session_->sheetEdits().SelectWorkingType(index);
    refreshChooser();
    emit stateChanged();
}

void ScheduleWindow::settingsChanged()
{
    // The list may hold as many types as before and still be another.
    typeChooser_->setTypes(document().workingTypes);
    afterCommand();
    placeAreas(true);
}

void ScheduleWindow::afterCommand()
{
    updateWarnings();
    sheetView_->sheetChanged();
    syncSummaries();
    refreshChooser();
    quickPanel_->refresh();
    emit stateChanged();
}

void ScheduleWindow::updateWarnings()
{
    if (clickedRow_ >= 0)
        warnings_.RecomputeRow(document(), clickedRow_);
    else
        warnings_.Recompute(document());
    clickedRow_ = -1;
    emit warningsChanged();
}

void ScheduleWindow::setWorkingTimeLimits(const WorkingTimeLimits& limits)
{
    warnings_.SetLimits(limits);
    clickedRow_ = -1;
    updateWarnings();
    sheetView_->viewport()->update();
}

void ScheduleWindow::showFinding(const WorkingTimeFinding& finding)
{
    const ScheduleSheet& sheet = document().sheet;
    if (finding.row < sheet.fixedRows || finding.row >= sheet.rowCount())
        return;
    int col = warnings_.FirstMarkedColumn(finding);
    if (col < 0)
        col = std::clamp(finding.firstColumn, 2, std::max(2, sheet.colCount() - 1));
    if (col >= sheet.colCount())
        return;
    sheetView_->setCurrentCell(col, finding.row);
    sheetView_->scrollToCell(col, finding.row);
    sheetView_->setFocus(Qt::OtherFocusReason);
    sheetView_->viewport()->update();
}

bool ScheduleWindow::quickInsert()
{
    bool done = false;
    {
        BusyCursor busy;
        done = session_->sheetEdits().QuickInsert();
    }
    afterCommand();
    return done;
}

void ScheduleWindow::copy()
{
    QtClipboard clipboard;
    session_->sheetEdits().CopyCells(clipboard);
    afterCommand();
}

bool ScheduleWindow::cut()
{
    QtClipboard clipboard;
    const bool done = session_->sheetEdits().CutCells(clipboard);
    afterCommand();
    return done;
}

bool ScheduleWindow::paste()
{
    const QtClipboard clipboard;
    bool done = false;
    {
        BusyCursor busy;
        done = session_->sheetEdits().PasteCells(clipboard);
    }
    afterCommand();
    return done;
}

void ScheduleWindow::selectAll()
{
    session_->selections().SelectAll();
    sheetView_->setFocus(Qt::OtherFocusReason);
    afterCommand();
}

void ScheduleWindow::unselect()
{
    session_->selections().Unselect();
    afterCommand();
}

bool ScheduleWindow::showDepartments()
{
    ShowDepartmentsResult result = ShowDepartmentsResult::Failed;
    {
        BusyCursor busy;
        result = session_->structuralEdits().ShowDepartments();
    }
    afterCommand();
    if (result == ShowDepartmentsResult::DefineDepartments)
        emit optionsRequested(options::kScheduleSetup, options::kDepartments,
                              session_->selections().RememberedCellText());
    // The summaries below gained a header row: their areas fit them again.
    if (result == ShowDepartmentsResult::Shown)
        placeAreas(true);
    return result == ShowDepartmentsResult::Shown;
}

bool ScheduleWindow::hideDepartments()
{
    bool done = false;
    {
        BusyCursor busy;
        done = session_->structuralEdits().HideDepartments();
    }
    afterCommand();
    if (done) {
        placeAreas(true);
        sheetView_->horizontalScrollBar()->setValue(0);
    }
    return done;
}

bool ScheduleWindow::removeEmployee()
{
    const bool done = session_->structuralEdits().RemoveEmployee();
    afterCommand();
    return done;
}

bool ScheduleWindow::removeWeek()
{
    bool done = false;
    {
        BusyCursor busy;
        done = session_->structuralEdits().RemoveWeek();
    }
    afterCommand();
    return done;
}

bool ScheduleWindow::removeMonth()
{
    bool done = false;
    {
        BusyCursor busy;
        done = session_->structuralEdits().RemoveMonth();
    }
    afterCommand();
    return done;
}

bool ScheduleWindow::keepOnlyWeek()
{
    const bool done = session_->structuralEdits().KeepOnlyWeek();
    afterCommand();
    return done;
}

bool ScheduleWindow::extend(int col, int row)
{
    const std::filesystem::path folder(QFile::encodeName(programFolder_).toStdString());
    bool done = false;
    {
        BusyCursor busy;
        done = session_->structuralEdits().PressExtendButton(col, row, folder);
    }
    afterCommand();
    return done;
}

bool ScheduleWindow::moveEmployeeRow(int from, int to)
{
    const bool done = session_->structuralEdits().MoveEmployeeRow(from, to);
    afterCommand();
    return done;
}

void ScheduleWindow::closeEvent(QCloseEvent* event)
{
    CloseGuard none;
    CloseGuard& guard = closeGuard_ != nullptr ? *closeGuard_ : none;
    const bool closing = closeGuard_ == nullptr || session_->CloseSchedule(guard);
    if (closing)
        event->accept();
    else
        event->ignore();
    emit closeAnswered(closing);
}

// The views follow the summaries: shown or hidden, sizes and merges again (cheap: prefix sums
// over rows and columns), and a repaint; nothing is copied.
void ScheduleWindow::syncSummaries()
{
    const SummarySet& summaries = session_->summaries();
    const ScheduleSheet& sheet = document().sheet;
    bool changed = false;
    for (SummaryKind kind : kMenuOrder) {
        const bool shown = summaries.IsShown(kind);
        changed |= shown != shown_[KindIndex(kind)];
        shown_[KindIndex(kind)] = shown;
    }
    const QFont font = sheetView_->sheetFont();
    const int sheetRow =
        sheet.rowCount() > sheet.fixedRows ? sheet.RowHeight(sheet.fixedRows) : kDefaultRowHeight;
    const int rowHeight = std::max(sheetRow, QFontMetrics(font).height() + 2);

    hoursView_->setCellFont(font);
    hoursView_->setGrid(shown_[KindIndex(SummaryKind::WorkedHours)]
                            ? &summaries.workedHours().grid()
                            : nullptr);
    hoursView_->setCellIcon(0, 0, LockIcon(summaries.workedHours().scope.locked));
    hoursView_->setVerticalOffset(sheetView_->verticalScrollBar()->value());
    fitHoursCaption();

    typesView_->setCellFont(font);
    typesView_->setUniformRowHeight(rowHeight);
    typesView_->setFrozenWidth(sheetView_->frozenWidth());
    typesView_->setGrid(shown_[KindIndex(SummaryKind::TypesPerDay)]
                            ? &summaries.typesPerDay().grid()
                            : nullptr);
    typesView_->setHorizontalOffset(sheetView_->horizontalScrollBar()->value());

    employeesView_->setCellFont(font);
    employeesView_->setUniformRowHeight(rowHeight);
    employeesView_->setGrid(shown_[KindIndex(SummaryKind::EmployeesPerType)]
                                ? &summaries.employeesPerType().grid()
                                : nullptr);
    employeesView_->setCellIcon(1, 0, LockIcon(summaries.employeesPerType().scope.locked));

    const CustomQuerySummary& query = summaries.customQuery();
    queryView_->setCellFont(font);
    queryView_->setUniformRowHeight(kQueryRowPixels);
    queryView_->setFrozenWidth(sheetView_->frozenWidth());
    queryView_->setGrid(shown_[KindIndex(SummaryKind::CustomQuery)] ? &query.grid() : nullptr);
    queryView_->setDropDownCells(1, query.headerRows(), query.totalRow() - 1);
    queryView_->setHorizontalOffset(sheetView_->horizontalScrollBar()->value());
    updateQueryRowActions();

    placeAreas(changed);
}

void ScheduleWindow::fitHoursCaption()
{
    // A range caption ("        11 January 'till 17 January") is wider than the two columns
    // it spans: the name column makes room for it.
    hoursView_->setFrozenWidth(-1);
    const SummaryGrid* grid = hoursView_->grid();
    if (grid == nullptr || grid->rowCount() == 0 || grid->colWidths.empty())
        return;
    const int missing = hoursView_->neededWidth(0, 0) - hoursView_->contentWidth();
    if (missing > 0)
        hoursView_->setFrozenWidth(grid->colWidths[0] + SummaryView::kGridLine + missing);
}

void ScheduleWindow::placeAreas(bool force)
{
    const bool changedShown = force;
    const bool hours = shown_[KindIndex(SummaryKind::WorkedHours)];
    const bool types = shown_[KindIndex(SummaryKind::TypesPerDay)];
    const bool employees = shown_[KindIndex(SummaryKind::EmployeesPerType)];
    const bool queries = shown_[KindIndex(SummaryKind::CustomQuery)];

    const int scrollBar = sheetView_->verticalScrollBar()->sizeHint().width();
    sheetView_->setMaximumWidth(sheetView_->contentWidth() + 2 * sheetView_->frameWidth() +
                                scrollBar);
    hoursView_->setVisible(hours);
    hoursHolder_->setVisible(hours);
    if (hours) {
        const int frame = 2 * hoursView_->frameWidth();
        hoursHolder_->setFixedWidth(hoursView_->contentWidth() + frame);
    }
    typesView_->setVisible(types);
    employeesView_->setVisible(employees);
    countArea_->setVisible(types || employees);
    static_cast<CountArea*>(countArea_)->arrange();
    queryView_->setVisible(queries);

    // The query area keeps the height the document records (it grows and shrinks by a row);
    // a document that records none gets the height of its rows.
    const CustomQueryPanel& panel = document().customQueryPanel;
    if (queries && panel.height <= 0)
        session_->summaryPanels().SetQueryPanelHeight(std::max(
            kDefaultQueryPanelHeight, queryView_->contentHeight() + 2 * queryView_->frameWidth()));
    // A recorded height below what the splitter lets the panel have counts as that.
    const int queryHeight =
        queries ? std::max(panel.height, queryView_->minimumSizeHint().height()) : 0;
    QList<int> sizes = vertical_->sizes();
    const int total = std::max(0, sizes.value(0) + sizes.value(1) + sizes.value(2));
    if (total <= 0 || !vertical_->isVisible()) {
        // Sizes are given once the splitter has its own.
        placePending_ = placePending_ || force;
        return;
    }
    force = force || placePending_;
    placePending_ = false;
    if (changedShown)
        countSizedByUser_ = false;
    const bool queryChanged = queries && sizes.value(2) != queryHeight;
    if (!force && !queryChanged)
        return;

    int countHeight = sizes.value(1);
    if (force || countHeight <= 0) {
        // The area below the sheet takes the room the sheet's rows leave, up to what its
        // summaries need (each of the two has half of it when both show). In a small window
        // the types per day still fit in their half and the employees scroll in theirs.
        const int typesHeight = typesView_->contentHeight() + 2 * typesView_->frameWidth();
        const int employeesHeight =
            employeesView_->contentHeight() + 2 * employeesView_->frameWidth();
        const int wanted = types && employees ? 2 * std::max(typesHeight, employeesHeight)
                           : types            ? typesHeight
                           : employees        ? employeesHeight
                                              : 0;
        const int least = types && employees ? 2 * typesHeight
                          : types            ? typesHeight
                          : employees        ? std::min(kMaxEmployeesHeight, employeesHeight)
                                             : 0;
        const int sheetNeeds = sheetView_->contentHeight() + 2 * sheetView_->frameWidth() +
                               sheetView_->horizontalScrollBar()->sizeHint().height();
        const int room = total - queryHeight - sheetNeeds;
        countHeight = std::min(wanted, std::max(least, room));
    }
    if (!(types || employees))
        countHeight = 0;
    const int sheetHeight = std::max(0, total - countHeight - queryHeight);
    vertical_->setSizes({sheetHeight, countHeight, queryHeight});
}

bool ScheduleWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool sized = event->type() == QEvent::Resize || event->type() == QEvent::Show;
    // A window that grows (maximised, say) gives the areas below the sheet their room again,
    // unless the user has placed them.
    if (watched == vertical_ && sized && (placePending_ || !countSizedByUser_)) {
        const bool again = !placePending_;
        QTimer::singleShot(0, this, [this, again] { placeAreas(again); });
    }
    return QWidget::eventFilter(watched, event);
}

void ScheduleWindow::refreshChooser()
{
    const WorkingTypeList& types = document().workingTypes;
    if (typeChooser_->count() != types.Count())
        typeChooser_->setTypes(types);
    const int current = session_->editState().currentType;
    if (typeChooser_->currentIndex() != current)
        typeChooser_->setCurrentIndex(current);
}

void ScheduleWindow::updateQueryRowActions()
{
    const bool shown = session_->summaries().IsShown(SummaryKind::CustomQuery);
    insertRowAction_->setEnabled(shown);
    deleteRowAction_->setEnabled(
        shown && session_->summaryPanels().CanDeleteQueryRow(queryView_->currentCell().y()));
}

bool ScheduleWindow::chooseQuery(int row, const std::string& name)
{
    const bool done = session_->summaryPanels().ChooseQuery(row, name);
    afterCommand();
    return done;
}

void ScheduleWindow::chooseQueryAt(int col, int row)
{
    const CustomQuerySummary& query = session_->summaries().customQuery();
    if (col != 1 || row < query.headerRows() || row >= query.totalRow())
        return;
    // Column 1 of a query row is a drop-down list of the query names.
    QMenu menu(this);
    const QString current = QString::fromStdString(query.grid().Text(1, row));
    for (const std::string& name : session_->summaries().QueryNameChoices()) {
        QAction* action = menu.addAction(QString::fromStdString(name));
        action->setCheckable(true);
        action->setChecked(action->text() == current);
    }
    if (menu.isEmpty())
        return;
    const QRect cell = queryView_->cellRect(col, row);
    menu.setMinimumWidth(cell.width());
    QAction* chosen = menu.exec(queryView_->viewport()->mapToGlobal(cell.bottomLeft()));
    if (chosen == nullptr)
        return;
    chooseQuery(row, chosen->text().toStdString());
}

QMenu* ScheduleWindow::createSheetMenu(int col, int row)
{
    const std::optional<std::vector<MenuItem>> items = session_->ContextMenu(col, row);
    sheetView_->viewport()->update();
    if (!items)
        return nullptr;
    auto* menu = new QMenu(this);
    menu->setToolTipsVisible(true);
    bool afterSelectAll = false;
    for (const MenuItem& item : *items) {
        // The entries of the clicked area stand apart from those always there.
        if (afterSelectAll)
            menu->addSeparator();
        afterSelectAll = item.command == MenuCommand::SelectAll;
        QAction* action = menu->addAction(QString::fromStdString(item.caption));
        const std::string_view name = MenuCommandName(item.command);
        action->setObjectName(QString::fromLatin1(name.data(), qsizetype(name.size())));
        action->setToolTip(QString::fromStdString(item.hint));
        action->setStatusTip(action->toolTip());
        bindMenuItem(action, item.command);
        action->setEnabled(item.enabled);
        if (afterSelectAll)
            menu->insertSeparator(action);
    }
    return menu;
}

void ScheduleWindow::bindMenuItem(QAction* action, MenuCommand command)
{
    const auto run = [this, action](auto method) {
        connect(action, &QAction::triggered, this, [this, method] { (this->*method)(); });
    };
    // The selections work from the cell the menu was opened on.
    const auto select = [this, action](bool (Selections::*method)()) {
        connect(action, &QAction::triggered, this, [this, method] {
            (session_->selections().*method)();
            afterCommand();
        });
    };
    // The entries that lead to the options dialog hand it the text of the clicked cell.
    const auto setup = [this, action](int item) {
        connect(action, &QAction::triggered, this, [this, item] {
            emit optionsRequested(options::kScheduleSetup, item,
                                  session_->selections().RememberedCellText());
        });
    };
    switch (command) {
    case MenuCommand::Undo: run(&ScheduleWindow::undo); break;
    case MenuCommand::Redo: run(&ScheduleWindow::redo); break;
    case MenuCommand::Cut: run(&ScheduleWindow::cut); break;
    case MenuCommand::Copy: run(&ScheduleWindow::copy); break;
    case MenuCommand::Paste: run(&ScheduleWindow::paste); break;
    case MenuCommand::Unselect: run(&ScheduleWindow::unselect); break;
    case MenuCommand::SelectAll: run(&ScheduleWindow::selectAll); break;
    case MenuCommand::Comment: run(&ScheduleWindow::openCommentPanel); break;
    case MenuCommand::Bold:
        connect(action, &QAction::triggered, this, [this] {
            session_->sheetEdits().ToggleBold();
            afterCommand();
        });
        break;
    case MenuCommand::ShowDepartments: run(&ScheduleWindow::showDepartments); break;
    case MenuCommand::HideDepartments: run(&ScheduleWindow::hideDepartments); break;
    case MenuCommand::RemoveEmployee: run(&ScheduleWindow::removeEmployee); break;
    case MenuCommand::RemoveWeek: run(&ScheduleWindow::removeWeek); break;
    case MenuCommand::RemoveMonth: run(&ScheduleWindow::removeMonth); break;
    case MenuCommand::RemoveAllExceptWeek: run(&ScheduleWindow::keepOnlyWeek); break;
    case MenuCommand::SelectMonth: select(&Selections::SelectMonth); break;
    case MenuCommand::SelectWeek: select(&Selections::SelectWeek); break;
    case MenuCommand::SelectDay: select(&Selections::SelectDay); break;
    case MenuCommand::SelectDepartment: select(&Selections::SelectDepartment); break;
    case MenuCommand::SelectEmployee: select(&Selections::SelectEmployee); break;
    case MenuCommand::EditWorkingHours: setup(options::kWorkingTypes); break;
    case MenuCommand::DepartmentSettings: setup(options::kDepartments); break;
    case MenuCommand::AddEmployee: setup(options::kEmployees); break;
    }
}

QMenu* ScheduleWindow::createSummaryMenu(SummaryKind kind)
{
    auto* menu = new QMenu(this);
    if (kind == SummaryKind::CustomQuery && session_->summaries().IsShown(kind)) {
        updateQueryRowActions();
        menu->addAction(insertRowAction_);
        menu->addAction(deleteRowAction_);
        menu->addSeparator();
        QAction* setup = menu->addAction(QStringLiteral("&Go to setup ..."));
        setup->setObjectName(QStringLiteral("goToSetup"));
        setup->setStatusTip(QStringLiteral("Go to setup menu"));
        connect(setup, &QAction::triggered, this, [this] {
            emit optionsRequested(options::kScheduleSetup, options::kCustomQuery, std::nullopt);
        });
        menu->addSeparator();
    }
    for (SummaryKind each : kMenuOrder) {
        QAction* action = menu->addAction(SummaryMenuCaption(each));
        action->setCheckable(true);
        action->setChecked(session_->summaries().IsShown(each));
        connect(action, &QAction::triggered, this, [this, each] { toggleSummary(each); });
    }
    return menu;
}

void ScheduleWindow::showSheetMenu(int col, int row, const QPoint& globalPos)
{
    std::unique_ptr<QMenu> menu(createSheetMenu(col, row));
    if (menu)
        menu->exec(globalPos);
}

void ScheduleWindow::showSummaryMenu(SummaryKind kind, const QPoint& globalPos)
{
    std::unique_ptr<QMenu> menu(createSummaryMenu(kind));
    menu->exec(globalPos);
}

void ScheduleWindow::selectHeaderRange(int col, int row)
{
    // The month, week or day under the header cell, and the range views of the summaries.
    session_->selections().HeaderDoubleClick(col, row);
    afterCommand();
}

void ScheduleWindow::openCommentPanel()
{
    CommentPanel& panel = session_->commentPanel();
    panel.Open();
    if (!panel.shown())
        return;
    commentPanel_->setText(QString::fromStdString(panel.text()));
    int left = panel.left();
    int top = panel.top();
    if (left == 0 && top == 0) {
        // Never placed yet: beside the cell it is for.
        const QPoint cell = sheetView_->currentCell();
        const QRect rect = sheetView_->cellRect(cell.x(), cell.y());
        const QPoint corner =
            sheetView_->viewport()->mapTo(this, rect.bottomRight() + QPoint(4, 4));
        left = corner.x();
        top = corner.y();
    }
    commentPanel_->showAt(left, top);
    emit stateChanged();
}

void ScheduleWindow::applyComment()
{
    session_->commentPanel().Apply(commentPanel_->text().toStdString());
    commentPanel_->hide();
    sheetView_->setFocus(Qt::OtherFocusReason);
    afterCommand();
}

void ScheduleWindow::cancelComment()
{
    session_->commentPanel().Cancel();
    commentPanel_->hide();
    sheetView_->setFocus(Qt::OtherFocusReason);
    afterCommand();
}

void ScheduleWindow::focusChanged(QWidget* old, QWidget* now)
{
    // The panel keeps its place in the settings whenever the focus leaves it.
    const bool wasInside = old != nullptr && commentPanel_->isAncestorOf(old);
    const bool isInside = now != nullptr && commentPanel_->isAncestorOf(now);
    if (wasInside && !isInside)
        session_->commentPanel().Leave(commentPanel_->y(), commentPanel_->x());
    // Undo, Redo and the clipboard wait while another widget of this window has the keyboard.
    const bool mine =
        (old != nullptr && isAncestorOf(old)) || (now != nullptr && isAncestorOf(now));
    const bool focused = !focusAwayFromSheet();
    if (mine && focused != session_->editState().sheetFocused) {
        session_->SetSheetFocus(focused);
        emit stateChanged();
    }
}

std::optional<Colour> ScheduleWindow::pickColour(const std::vector<std::string>& customColours)
{
    int slot = 0;
    for (const std::string& line : customColours) {
        if (slot >= QColorDialog::customCount())
            break;
        if (const std::optional<Colour> colour = CustomColourOfLine(line))
            QColorDialog::setCustomColor(slot++, ToQColor(*colour, palette()));
    }
    QColorDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FromQColor(dialog.selectedColor());
}

} // namespace shiftex
