#pragma once

#include "model/message_sink.h"
#include "reports/print_commands.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QAction;
class QMenu;
class QPrinter;
class QToolBar;
class QWidget;

namespace shiftex {

class BarScheduleWindow;
class PrintPreviewWindow;
class ScheduleSession;
class ScheduleWindow;

// The part of a schedule's sheet a print, an export or the bar schedule works on: the shown
// selection, or nothing (the whole sheet).
std::optional<CellRect> ShownSelection(const ScheduleSession& session);
// The sheet columns the bar schedule shows: the selection's, or the current cell's.
std::pair<int, int> BarScheduleColumns(const ScheduleSession& session);

// The main window's printing, export and bar schedule commands: the File > "&Print" submenu,
// "&Export ...", "Export &Calendars ...", "Printer &Settings ...", the print and preview tool
// buttons and Workinglist > "Generate &Bar Schedule ...". They act on the schedule window the
// main window names active; the printer, the preview and the bar schedule window are the
// program's, one each.
class ReportCommands : public QObject {
    Q_OBJECT

public:
    using ActiveWindow = std::function<ScheduleWindow*()>;
    ReportCommands(QWidget* owner, MessageSink& messages, ActiveWindow active);
    ~ReportCommands() override;

    // Adds the items to the main window's menus and tool bar.
    void addFileItems(QMenu* file);
    void addWorkinglistItems(QMenu* workinglist);
    void addToolButtons(QToolBar* toolBar);
    // Enabled while a schedule window is open.
    void updateActions();

    QMenu* printMenu() const { return printMenu_; }
    QAction* printAction(PrintCommand command) const;
    QAction* exportAction() const { return exportAction_; }
    QAction* calendarsAction() const { return calendarsAction_; }
    QAction* printerSettingsAction() const { return printerSettingsAction_; }
    QAction* printToolAction() const { return printToolAction_; }
    QAction* previewToolAction() const { return previewToolAction_; }
    QAction* barScheduleAction() const { return barScheduleAction_; }
    QPrinter& printer() const { return *printer_; }
    BarScheduleWindow& barScheduleWindow();

    // The commands; false when nothing was printed, shown or written.
    bool run(PrintCommand command);
    bool previewSheet();
    bool exportSchedule();
    bool exportCalendars();
    void printerSettings();
    bool barSchedule();

    // What the commands ask the user; tests put answers in.
    using ExportChooser = std::function<std::optional<std::pair<QString, ExportType>>()>;
    using FolderChooser = std::function<QString()>;
    using PrintDialog = std::function<bool(QPrinter&)>;
    using PreviewShower = std::function<void(PrintPreviewWindow&)>;
    using WindowShower = std::function<void(BarScheduleWindow&)>;
    void setExportChooser(ExportChooser chooser) { exportChooser_ = std::move(chooser); }
    void setFolderChooser(FolderChooser chooser) { folderChooser_ = std::move(chooser); }
    void setPrintDialog(PrintDialog dialog) { printDialog_ = std::move(dialog); }
    void setPreviewShower(PreviewShower shower) { previewShower_ = std::move(shower); }
    void setBarWindowShower(WindowShower shower) { barShower_ = std::move(shower); }

private:
    void updatePrintMenu();
    // The active schedule's copy; nullopt when it cannot be made (the error has been shown).
    std::optional<PrintCopy> makeCopy(PrintSource source);
    bool printAtOnce(PrintSource source);
    bool preview(PrintSource source);
    bool printCurrentView();
    bool askPrinter();
    std::optional<std::pair<QString, ExportType>> chooseExportFile();

    QWidget* owner_;
    MessageSink& messages_;
    ActiveWindow active_;
    std::unique_ptr<QPrinter> printer_;
    QMenu* printMenu_ = nullptr;
    std::array<QAction*, kPrintCommands.size()> printActions_{};
    QAction* exportAction_ = nullptr;
    QAction* calendarsAction_ = nullptr;
    QAction* printerSettingsAction_ = nullptr;
    QAction* printToolAction_ = nullptr;
    QAction* previewToolAction_ = nullptr;
    QAction* barScheduleAction_ = nullptr;
    BarScheduleWindow* barWindow_ = nullptr;
    ExportChooser exportChooser_;
    FolderChooser folderChooser_;
    PrintDialog printDialog_;
    PreviewShower previewShower_;
    WindowShower barShower_;
};

} // namespace shiftex
