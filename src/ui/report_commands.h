#pragma once

#include "model/message_sink.h"
#include "reports/print_commands.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QPrinter;

namespace shiftex {

class BarScheduleWindow;
class MainWindow;
class PrintPreviewWindow;
class ScheduleSession;
class ScheduleWindow;

// The part of a schedule's sheet a print, an export or the bar schedule works on: the shown
// selection, or nothing (the whole sheet).
std::optional<CellRect> ShownSelection(const ScheduleSession& session);
// The sheet columns the bar schedule shows: the selection's, or the current cell's.
std::pair<int, int> BarScheduleColumns(const ScheduleSession& session);

// Printing, export, the calendars and the bar schedule: binds the main window's commands of
// the File > "&Print" submenu, the print and preview tool buttons, "&Export ...",
// "Export &Calendars ..." and Workinglist > "Generate &Bar Schedule ...". They act on the
// active schedule window with the main window's printer; the preview and the bar schedule
// window are the program's, one each.
class ReportCommands : public QObject {
    Q_OBJECT

public:
    explicit ReportCommands(MainWindow& window);
    ~ReportCommands() override;

    QPrinter& printer() const;
    BarScheduleWindow& barScheduleWindow();

    // The commands; false when nothing was printed, shown or written.
    bool run(PrintCommand command);
    bool previewSheet();
    bool exportSchedule();
    bool exportCalendars();
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
    // The Print submenu's items as the active schedule allows them, whenever it opens.
    void updatePrintMenu();
    // The active schedule's copy; nullopt when it cannot be made (the error has been shown).
    std::optional<PrintCopy> makeCopy(PrintSource source);
    bool printAtOnce(PrintSource source);
    bool preview(PrintSource source);
    bool printCurrentView();
    bool askPrinter();
    std::optional<std::pair<QString, ExportType>> chooseExportFile();

    MainWindow& window_;
    MessageSink& messages_;
    BarScheduleWindow* barWindow_ = nullptr;
    ExportChooser exportChooser_;
    FolderChooser folderChooser_;
    PrintDialog printDialog_;
    PreviewShower previewShower_;
    WindowShower barShower_;
};

} // namespace shiftex
