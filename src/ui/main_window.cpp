#include "ui/main_window.h"

#include "files/schedule_text.h"
#include "files/text_io.h"
#include "model/sheet_layout.h"
#include "platform/program_folder.h"
#include "platform/qt_message_sink.h"
#include "platform/qt_text_metrics.h"
#include "ui/schedule_window.h"
#include "ui/sheet_view.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace shiftex {

namespace {

constexpr int kLoadingStatusMs = 300;
constexpr int kEventsEveryLines = 256;

std::filesystem::path LocalPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// The open dialog's filter; the file chooser of the desktop may compare letter case, so every
// spelling of the extension is listed.
QString ScheduleFileFilter()
{
    QStringList patterns;
    for (int mask = 0; mask < 8; ++mask) {
        QString ext = QStringLiteral("sxt");
        for (int i = 0; i < 3; ++i) {
            if ((mask & (4 >> i)) != 0)
                ext[i] = ext[i].toUpper();
        }
        patterns << QStringLiteral("*.") + ext;
    }
    std::reverse(patterns.begin(), patterns.end());  // "*.SXT" first
    return QStringLiteral("Shiftex 4.0 files (%1)").arg(patterns.join(QLatin1Char(' ')));
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      mdiArea_(new QMdiArea(this)),
      loadingLabel_(new QLabel(this)),
      loadingProgress_(new QProgressBar(this)),
      loadingTimer_(new QTimer(this)),
      messages_(std::make_unique<QtMessageSink>(this)),
      programFolder_(ProgramFolder())
{
    setWindowTitle(QStringLiteral("Shiftex"));
    setCentralWidget(mdiArea_);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    statusBar()->addWidget(loadingLabel_);
    statusBar()->addWidget(loadingProgress_);
    loadingProgress_->setMaximumWidth(200);
    loadingProgress_->setTextVisible(false);
    loadingProgress_->hide();
    loadingTimer_->setSingleShot(true);
    loadingTimer_->setInterval(kLoadingStatusMs);
    connect(loadingTimer_, &QTimer::timeout, this, &MainWindow::clearLoadingStatus);

    createMenus();
    resize(1024, 700);
}

MainWindow::~MainWindow()
{
    // Schedule windows go before the message sink they may still report to.
    delete mdiArea_;
    mdiArea_ = nullptr;
}

void MainWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* open = file->addAction(QStringLiteral("&Open..."), this, &MainWindow::openFromDialog);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->addAction(QStringLiteral("&Cascade"), mdiArea_, &QMdiArea::cascadeSubWindows);
    window->addAction(QStringLiteral("&Tile"), mdiArea_, &QMdiArea::tileSubWindows);
}

void MainWindow::SetMessageSink(std::unique_ptr<MessageSink> sink)
{
    if (sink)
        messages_ = std::move(sink);
}

ScheduleWindow* MainWindow::activeScheduleWindow() const
{
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    if (sub == nullptr) {
        const auto list = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (list.isEmpty())
            return nullptr;
        sub = list.last();
    }
    return qobject_cast<ScheduleWindow*>(sub->widget());
}

QList<ScheduleWindow*> MainWindow::scheduleWindows() const
{
    QList<ScheduleWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        if (auto* window = qobject_cast<ScheduleWindow*>(sub->widget()))
            windows << window;
    }
    return windows;
}

void MainWindow::openFromDialog()
{
    const QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Shiftex File"), start, ScheduleFileFilter());
    if (!path.isEmpty())
        OpenScheduleText(path);
}

ScheduleWindow* MainWindow::OpenScheduleText(const QString& path)
{
    const std::string pathText = path.toStdString();
    if (!QFileInfo(path).isFile()) {
        messages_->Error("Unable to find " + pathText + ".");
        return nullptr;
    }
    // A file that cannot be read is one empty line, which no loader accepts.
    const std::optional<std::string> bytes = ReadFileBytes(LocalPath(path));
    std::vector<std::string> lines;
    if (bytes)
        lines = SplitLines(DecodeText(*bytes));
    if (lines.empty())
        lines.emplace_back();

    loadingTimer_->stop();
    loadingLabel_->setText(QStringLiteral("loading :"));
    loadingProgress_->setRange(0, static_cast<int>(lines.size()));
    loadingProgress_->setValue(0);
    loadingProgress_->show();

    int lastEvents = 0;
    const LoadProgress progress = [this, &lastEvents](int line, int lineCount) {
        if (loadingProgress_->maximum() != lineCount)
            loadingProgress_->setMaximum(lineCount);
        loadingProgress_->setValue(std::clamp(line, 0, lineCount));
        if (line - lastEvents >= kEventsEveryLines || line < lastEvents) {
            lastEvents = line;
            // Keep the progress bar drawn; clicks wait until the document is complete.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    };

    auto document = std::make_unique<ScheduleDocument>(CreateDocument());
    std::expected<void, LoadError> result;
    try {
        result = LoadScheduleText(*document, std::move(lines), LocalPath(programFolder_),
                                  *messages_, progress);
        if (result) {
            // Fitted again now that the sheet's font is known, with the font it is drawn in.
            CentreDayCells(document->sheet, QtTextMetrics(SheetFont(*document, font())));
        }
    } catch (const std::exception&) {
        result = std::unexpected(LoadError{kDamagedFileMessage});
    }
    loadingTimer_->start();
    if (!result) {
        messages_->Error(result.error().message);
        return nullptr;
    }

    document->filePath = pathText;
    document->title = pathText;
    document->modified = false;

    const QMdiSubWindow* previous = mdiArea_->activeSubWindow();
    const bool maximise = previous == nullptr || previous->isMaximized();
    auto* window = new ScheduleWindow(std::move(document));
    QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (maximise)
        sub->showMaximized();
    else
        sub->show();
    window->sheetView()->setFocus();
    return window;
}

void MainWindow::clearLoadingStatus()
{
    loadingLabel_->clear();
    loadingProgress_->hide();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // After the window has appeared, and only once per run.
    QTimer::singleShot(0, this, &MainWindow::openStartupFile);
}

void MainWindow::openStartupFile()
{
    const QString path = startupFile_;
    startupFile_.clear();
    if (path.isEmpty())
        return;
    bool opened = false;
    if (QFileInfo::exists(path))
        opened = OpenScheduleText(path) != nullptr;
    emit startupFileHandled(opened);
}

} // namespace shiftex
