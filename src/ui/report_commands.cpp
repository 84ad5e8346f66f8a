#include "ui/report_commands.h"

#include "editing/schedule_session.h"
#include "platform/report_export.h"
#include "platform/report_files.h"
#include "reports/bar_graph.h"
#include "reports/calendar_events.h"
#include "ui/bar_schedule_window.h"
#include "ui/busy_cursor.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/print_pictures.h"
#include "ui/print_preview_window.h"
#include "ui/quick_insert_panel_widget.h"
#include "ui/schedule_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolBar>

#include <algorithm>

namespace shiftex {

namespace {

// The documents folder when it is there: a file dialog would take a missing folder's name for
// the name of the file.
QString StartFolder()
{
    const QString documents = DocumentsFolder();
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::filesystem::path LocalPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// The Print menu's commands as the main window names them.
constexpr std::pair<PrintCommand, MainCommand> kPrintMenu[] = {
    {PrintCommand::CurrentView, MainCommand::PrintCurrentView},
    {PrintCommand::WorkSchedule, MainCommand::PrintWorkSchedule},
    {PrintCommand::WorkScheduleIcons, MainCommand::PrintWorkScheduleIcons},
    {PrintCommand::SpecialSummation, MainCommand::PrintSpecialSummation},
    {PrintCommand::EmployeesTypes, MainCommand::PrintEmployeesTypes},
    {PrintCommand::TypesDays, MainCommand::PrintTypesDays},
    {PrintCommand::WorkedHours, MainCommand::PrintWorkedHours},
};

} // namespace

std::optional<CellRect> ShownSelection(const ScheduleSession& session)
{
    const EditState& edit = session.editState();
    if (!edit.selectionShown)
        return std::nullopt;
    return edit.selection;
}

std::pair<int, int> BarScheduleColumns(const ScheduleSession& session)
{
    const EditState& edit = session.editState();
    if (edit.selectionShown)
        return {edit.selection.left, edit.selection.right};
    return {edit.currentCol, edit.currentCol};
}

ReportCommands::ReportCommands(MainWindow& window)
    : QObject(&window), window_(window), messages_(window.forwardingMessages())
{
    // A roster is wider than tall; the page keeps margins of 10 millimetres.
    printer().setPageOrientation(QPageLayout::Landscape);
    printer().setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);

    for (const auto& [print, command] : kPrintMenu)
        window.bindCommand(command, [this, print] { run(print); });
    window.bindCommand(MainCommand::PrintSheet, [this] { run(PrintCommand::WorkSchedule); });
    window.bindCommand(MainCommand::PrintPreview, [this] { previewSheet(); });
    window.bindCommand(MainCommand::Export, [this] { exportSchedule(); });
    window.bindCommand(MainCommand::ExportCalendars, [this] { exportCalendars(); });
    window.bindCommand(MainCommand::GenerateBarSchedule, [this] { barSchedule(); });
    connect(window.printMenu(), &QMenu::aboutToShow, this, &ReportCommands::updatePrintMenu);
}

ReportCommands::~ReportCommands() = default;

QPrinter& ReportCommands::printer() const
{
    return window_.printer();
}

void ReportCommands::updatePrintMenu()
{
    ScheduleWindow* window = window_.activeScheduleWindow();
    for (const auto& [print, command] : kPrintMenu)
        window_.commandAction(command)->setEnabled(
            window != nullptr &&
            PrintCommandEnabled(print, window->document(), window->session().summaries()));
}

BarScheduleWindow& ReportCommands::barScheduleWindow()
{
    if (barWindow_ == nullptr) {
        barWindow_ = new BarScheduleWindow(messages_, &window_);
        barWindow_->setPrinter(&printer());
    }
    return *barWindow_;
}

bool ReportCommands::askPrinter()
{
    if (printDialog_)
        return printDialog_(printer());
    QPrintDialog dialog(&printer(), &window_);
    return dialog.exec() == QDialog::Accepted;
}

bool ReportCommands::run(PrintCommand command)
{
    ScheduleWindow* window = window_.activeScheduleWindow();
    if (window == nullptr ||
        !PrintCommandEnabled(command, window->document(), window->session().summaries()))
        return false;
    const PrintCommandInfo& info = PrintCommandOf(command);
    switch (info.output) {
    case PrintOutput::Window:
        return printCurrentView();
    case PrintOutput::PrintAtOnce:
        return printAtOnce(info.source);
    case PrintOutput::Preview:
        return preview(info.source);
    }
    return false;
}

bool ReportCommands::previewSheet()
{
    return window_.activeScheduleWindow() != nullptr && preview(PrintSource::Sheet);
}

std::optional<PrintCopy> ReportCommands::makeCopy(PrintSource source)
{
    ScheduleWindow* window = window_.activeScheduleWindow();
    Result<PrintCopy> copy;
    {
        BusyCursor busy;
        copy = MakePrintCopy(source, window->document(), window->session().summaries(),
                             ShownSelection(window->session()));
    }
    if (!copy) {
        messages_.Error(copy.error().message);
        return std::nullopt;
    }
    return std::move(*copy);
}

bool ReportCommands::printAtOnce(PrintSource source)
{
    const std::optional<PrintCopy> copy = makeCopy(source);
    if (!copy || !askPrinter())
        return false;
    printer().setDocName(QString::fromUtf8(kProductName));
    BusyCursor busy;
    return PrintRenderer(*copy, PrintPictures()).Render(printer());
}

bool ReportCommands::preview(PrintSource source)
{
    std::optional<PrintCopy> copy = makeCopy(source);
    if (!copy)
        return false;
    PrintPreviewWindow preview(std::move(*copy), PrintPictures(), printer(), &window_);
    if (printDialog_)
        preview.setPrintDialog(printDialog_);
    if (previewShower_)
        previewShower_(preview);
    else
        preview.exec();
    return true;
}

// The schedule window as it stands, without its tool bar and quick insert panel, on white.
bool ReportCommands::printCurrentView()
{
    ScheduleWindow* window = window_.activeScheduleWindow();
    if (!askPrinter())
        return false;
    printer().setDocName(QString::fromStdString(CurrentViewJobName()));
    QWidget* panel = window->quickInsertPanel();
    QWidget* toolBar = window->toolBar();
    const bool panelShown = panel->isVisibleTo(window);
    const bool toolBarShown = toolBar->isVisibleTo(window);
    const QPalette palette = window->palette();
    const bool autoFill = window->autoFillBackground();
    panel->hide();
    toolBar->hide();
    QPalette white = palette;
    white.setColor(QPalette::Window, Qt::white);
    window->setPalette(white);
    window->setAutoFillBackground(true);
    if (window->layout() != nullptr)
        window->layout()->activate();

    QPainter painter;
    bool printed = painter.begin(&printer());
    if (printed) {
        // As large as on screen, shrunk to the page when it does not fit.
        const QSize size = window->size();
        const double dots = printer().logicalDpiX() / static_cast<double>(window->logicalDpiX());
        const double scale =
            std::min({dots, static_cast<double>(printer().width()) / std::max(1, size.width()),
                      static_cast<double>(printer().height()) / std::max(1, size.height())});
        // Recorded at screen size first, so that the widgets draw as on screen (a printer's
        // resolution would make their style draw every pixel again).
        QPicture picture;
        {
            QPainter recorder(&picture);
            window->render(&recorder, QPoint(), QRegion(),
                           QWidget::DrawWindowBackground | QWidget::DrawChildren);
        }
        // A picture plays back at the printer's resolution on its own.
        const double played =
            static_cast<double>(printer().logicalDpiX()) / picture.logicalDpiX();
        painter.scale(scale / played, scale / played);
        painter.drawPicture(0, 0, picture);
        printed = painter.end();
    }

    window->setPalette(palette);
    window->setAutoFillBackground(autoFill);
    panel->setVisible(panelShown);
    toolBar->setVisible(toolBarShown);
    return printed;
}

std::optional<std::pair<QString, ExportType>> ReportCommands::chooseExportFile()
{
    if (exportChooser_)
        return exportChooser_();
    QStringList filters;
    for (const ExportTypeInfo& info : kExportTypes)
        filters << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(info.label),
                                                 QString::fromUtf8(info.patterns));
    QFileDialog dialog(&window_, QString::fromUtf8(kExportDialogTitle), StartFolder());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    // The type's extension is added to whatever name is entered; the dialog must not ask
    // about a file that is not the one written.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
    const ExportType type =
        kExportTypes[static_cast<std::size_t>(std::max<qsizetype>(0, index))].type;
    return std::pair{dialog.selectedFiles().constFirst(), type};
}

bool ReportCommands::exportSchedule()
{
    ScheduleWindow* window = window_.activeScheduleWindow();
    if (window == nullptr)
        return false;
    const auto chosen = chooseExportFile();
    if (!chosen || chosen->first.isEmpty())
        return false;
    const QString path =
        QString::fromStdString(ExportFileName(chosen->first.toStdString(), chosen->second));
    if (QFileInfo::exists(path) &&
        messages_.Question(path.toStdString() + " already exists.\nDo you want to replace it?",
                           QuestionButtons::YesNo) != Answer::Yes)
        return false;
    Result<void> written;
    {
        BusyCursor busy;
        written = ExportSchedule(window->document(), ShownSelection(window->session()),
                                 chosen->second, LocalPath(path), PrintPictures());
    }
    if (!written)
        messages_.Error(written.error().message);
    return written.has_value();
}

bool ReportCommands::exportCalendars()
{
    ScheduleWindow* window = window_.activeScheduleWindow();
    if (window == nullptr)
        return false;
    const QString folder =
        folderChooser_ ? folderChooser_()
                       : QFileDialog::getExistingDirectory(
                             &window_, QString::fromUtf8(kCalendarsDialogTitle), StartFolder());
    if (folder.isEmpty())
        return false;
    BusyCursor busy;
    const Result<std::vector<EmployeeCalendar>> calendars = ScheduleCalendars(window->document());
    Result<void> written = calendars ? WriteCalendars(*calendars, LocalPath(folder),
                                                      SystemCalendarZone())
                                     : std::unexpected(calendars.error());
    if (!written) {
        messages_.Error(written.error().message);
        return false;
    }
    messages_.Information(std::to_string(calendars->size()) + " calendar files written to " +
                          folder.toStdString() + ".");
    return true;
}

bool ReportCommands::barSchedule()
{
    ScheduleWindow* window = window_.activeScheduleWindow();
    if (window == nullptr)
        return false;
    BarScheduleWindow& bars = barScheduleWindow();
    bars.setStartFolder(StartFolder());
    const auto [first, last] = BarScheduleColumns(window->session());
    bars.Fill(window->session().document(), first, last);
    if (barShower_)
        barShower_(bars);
    else
        bars.exec();
    window->refresh();
    return true;
}

} // namespace shiftex
