#include "ui/report_commands.h"

#include "editing/schedule_session.h"
#include "platform/report_export.h"
#include "platform/report_files.h"
#include "reports/bar_graph.h"
#include "reports/calendar_events.h"
#include "ui/bar_schedule_window.h"
#include "ui/busy_cursor.h"
#include "ui/file_dialogs.h"
#include "ui/print_pictures.h"
#include "ui/print_preview_window.h"
#include "ui/quick_insert_panel_widget.h"
#include "ui/schedule_window.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QPageSetupDialog>
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

// The tool buttons' pictures: a printer, and a page under a magnifying glass.
QIcon PrinterIcon(bool preview)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    if (preview) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 1.5, 9, 12));
        p.setBrush(QColor(0xCC, 0xE0, 0xFF));
        p.drawEllipse(QRectF(6.5, 6.5, 6, 6));
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
        p.drawLine(QPointF(12, 12), QPointF(14.5, 14.5));
    } else {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0xA0, 0xA0, 0xA0));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
    }
    return QIcon(pixmap);
}

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

ReportCommands::ReportCommands(QWidget* owner, MessageSink& messages, ActiveWindow active)
    : QObject(owner),
      owner_(owner),
      messages_(messages),
      active_(std::move(active)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    // A roster is wider than tall.
    printer_->setPageOrientation(QPageLayout::Landscape);
    printer_->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);

    printMenu_ = new QMenu(QString::fromUtf8(kPrintMenuCaption), owner);
    printMenu_->setToolTipsVisible(true);
    printMenu_->menuAction()->setStatusTip(QString::fromUtf8(kPrintMenuHint));
    connect(printMenu_, &QMenu::aboutToShow, this, &ReportCommands::updatePrintMenu);
    for (std::size_t i = 0; i < kPrintCommands.size(); ++i) {
        const PrintCommandInfo& info = kPrintCommands[i];
        QAction* action = printMenu_->addAction(QString::fromUtf8(info.caption));
        action->setToolTip(QString::fromUtf8(info.hint));
        action->setStatusTip(action->toolTip());
        const PrintCommand command = info.command;
        connect(action, &QAction::triggered, this, [this, command] { run(command); });
        printActions_[i] = action;
    }

    exportAction_ = new QAction(QString::fromUtf8(kExportCaption), this);
    exportAction_->setStatusTip(QString::fromUtf8(kExportHint));
    connect(exportAction_, &QAction::triggered, this, &ReportCommands::exportSchedule);
    calendarsAction_ = new QAction(QString::fromUtf8(kCalendarsCaption), this);
    calendarsAction_->setStatusTip(QString::fromUtf8(kCalendarsHint));
    connect(calendarsAction_, &QAction::triggered, this, &ReportCommands::exportCalendars);
    printerSettingsAction_ = new QAction(QString::fromUtf8(kPrinterSettingsCaption), this);
    printerSettingsAction_->setStatusTip(QString::fromUtf8(kPrinterSettingsHint));
    connect(printerSettingsAction_, &QAction::triggered, this, &ReportCommands::printerSettings);

    printToolAction_ = new QAction(PrinterIcon(false), QString::fromUtf8(kPrintToolHint), this);
    printToolAction_->setToolTip(QString::fromUtf8(kPrintToolHint));
    connect(printToolAction_, &QAction::triggered, this,
            [this] { run(PrintCommand::WorkSchedule); });
    previewToolAction_ =
        new QAction(PrinterIcon(true), QString::fromUtf8(kPreviewToolHint), this);
    previewToolAction_->setToolTip(QString::fromUtf8(kPreviewToolHint));
    connect(previewToolAction_, &QAction::triggered, this, &ReportCommands::previewSheet);

    barScheduleAction_ = new QAction(QString::fromUtf8(kBarScheduleCaption), this);
    barScheduleAction_->setStatusTip(QString::fromUtf8(kBarScheduleHint));
    connect(barScheduleAction_, &QAction::triggered, this, &ReportCommands::barSchedule);
    updateActions();
}

ReportCommands::~ReportCommands() = default;

void ReportCommands::addFileItems(QMenu* file)
{
    file->addAction(exportAction_);
    file->addAction(calendarsAction_);
    file->addAction(printerSettingsAction_);
    file->addMenu(printMenu_);
}

void ReportCommands::addWorkinglistItems(QMenu* workinglist)
{
    workinglist->addSeparator();
    workinglist->addAction(barScheduleAction_);
}

void ReportCommands::addToolButtons(QToolBar* toolBar)
{
    toolBar->addAction(previewToolAction_);
    toolBar->addAction(printToolAction_);
}

QAction* ReportCommands::printAction(PrintCommand command) const
{
    for (std::size_t i = 0; i < kPrintCommands.size(); ++i)
        if (kPrintCommands[i].command == command)
            return printActions_[i];
    return nullptr;
}

void ReportCommands::updateActions()
{
    const bool any = active_() != nullptr;
    for (QAction* action : {exportAction_, calendarsAction_, printerSettingsAction_,
                            printToolAction_, previewToolAction_, barScheduleAction_,
                            printMenu_->menuAction()})
        action->setEnabled(any);
}

void ReportCommands::updatePrintMenu()
{
    ScheduleWindow* window = active_();
    for (std::size_t i = 0; i < kPrintCommands.size(); ++i)
        printActions_[i]->setEnabled(
            window != nullptr && PrintCommandEnabled(kPrintCommands[i].command,
                                                     window->document(),
                                                     window->session().summaries()));
}

BarScheduleWindow& ReportCommands::barScheduleWindow()
{
    if (barWindow_ == nullptr) {
        barWindow_ = new BarScheduleWindow(messages_, owner_);
        barWindow_->setPrinter(printer_.get());
    }
    return *barWindow_;
}

bool ReportCommands::askPrinter()
{
    if (printDialog_)
        return printDialog_(*printer_);
    QPrintDialog dialog(printer_.get(), owner_);
    return dialog.exec() == QDialog::Accepted;
}

bool ReportCommands::run(PrintCommand command)
{
    ScheduleWindow* window = active_();
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
    return active_() != nullptr && preview(PrintSource::Sheet);
}

std::optional<PrintCopy> ReportCommands::makeCopy(PrintSource source)
{
    ScheduleWindow* window = active_();
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
    printer_->setDocName(QString::fromUtf8(kProductName));
    BusyCursor busy;
    return PrintRenderer(*copy, PrintPictures()).Render(*printer_);
}

bool ReportCommands::preview(PrintSource source)
{
    std::optional<PrintCopy> copy = makeCopy(source);
    if (!copy)
        return false;
    PrintPreviewWindow preview(std::move(*copy), PrintPictures(), *printer_, owner_);
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
    ScheduleWindow* window = active_();
    if (!askPrinter())
        return false;
    printer_->setDocName(QString::fromStdString(CurrentViewJobName()));
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
    bool printed = painter.begin(printer_.get());
    if (printed) {
        // As large as on screen, shrunk to the page when it does not fit.
        const QSize size = window->size();
        const double dots = printer_->logicalDpiX() / static_cast<double>(window->logicalDpiX());
        const double scale =
            std::min({dots, static_cast<double>(printer_->width()) / std::max(1, size.width()),
                      static_cast<double>(printer_->height()) / std::max(1, size.height())});
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
            static_cast<double>(printer_->logicalDpiX()) / picture.logicalDpiX();
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
    QFileDialog dialog(owner_, QString::fromUtf8(kExportDialogTitle), StartFolder());
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
    ScheduleWindow* window = active_();
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
    ScheduleWindow* window = active_();
    if (window == nullptr)
        return false;
    const QString folder =
        folderChooser_ ? folderChooser_()
                       : QFileDialog::getExistingDirectory(
                             owner_, QString::fromUtf8(kCalendarsDialogTitle), StartFolder());
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

void ReportCommands::printerSettings()
{
    QPageSetupDialog dialog(printer_.get(), owner_);
    dialog.exec();
}

bool ReportCommands::barSchedule()
{
    ScheduleWindow* window = active_();
    if (window == nullptr)
        return false;
    BarScheduleWindow& bars = barScheduleWindow();
    bars.setStartFolder(StartFolder());
    const auto [first, last] = BarScheduleColumns(window->session());
    bars.Fill(window->document(), first, last);
    if (barShower_)
        barShower_(bars);
    else
        bars.exec();
    window->refresh();
    return true;
}

} // namespace shiftex
