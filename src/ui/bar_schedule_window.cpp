#include "ui/bar_schedule_window.h"

#include "platform/qt_colour.h"
#include "platform/report_files.h"
#include "reports/print_commands.h"
#include "ui/help_topic.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace shiftex {

namespace {

constexpr int kHoursPerDay = 24;
constexpr int kSlotsPerHour = 60 / kSlotMinutes;
const QColor kLineColour(0xC0, 0xC0, 0xC0);
const QColor kScaleShade(0xE8, 0xE8, 0xE8);

QColor ScreenColour(Colour colour, const QPalette& palette)
{
    const QColor shown = ToQColor(colour, palette);
    return shown.isValid() ? shown : QColor(Qt::white);
}

QIcon Swatch(const QColor& colour)
{
    QPixmap pixmap(28, 14);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

// A file name the file dialog can propose for a title: no folder separators in it.
QString ProposedName(const QString& title)
{
    QString name = title;
    for (QChar& ch : name)
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\') ||
            ch.category() == QChar::Other_Control)
            ch = QLatin1Char('_');
    return name;
}

} // namespace

// --- the graph ---

BarGraphView::BarGraphView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void BarGraphView::setGraph(const BarGraph* graph)
{
    graph_ = graph;
    updateGeometry();
    resize(sizeHint());
    update();
}

int BarGraphView::SlotTop(int slot)
{
    return kFirstLabelY + slot * kSlotHeight;
}

int BarGraphView::ColumnLeft(int index) const
{
    int x = kLabelWidth + kScaleWidth + kLeadWidth;
    for (int i = 0; graph_ != nullptr && i < index; ++i)
        x += graph_->columns[static_cast<std::size_t>(i)].kind == BarColumnKind::Spacer
                 ? kSpacerWidth
                 : kBarWidth;
    return x;
}

QSize BarGraphView::sizeHint() const
{
    const int columns = graph_ != nullptr ? static_cast<int>(graph_->columns.size()) : 0;
    return {ColumnLeft(columns) + 8, SlotTop(kSlotCount) + kDayRowHeight + 8};
}

void BarGraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int top = kFirstLabelY - kHeaderRowHeight;
    const int slotsBottom = SlotTop(kSlotCount);
    const int right = ColumnLeft(graph_ != nullptr ? static_cast<int>(graph_->columns.size()) : 0);
    const int scaleLeft = kLabelWidth;

    // The time scale: one block per hour, labelled 0 to 24 at the hour lines.
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
    painter.setFont(small);
    for (int hour = 0; hour < kHoursPerDay; ++hour) {
        const QRect block(scaleLeft, SlotTop(hour * kSlotsPerHour), kScaleWidth,
                          kSlotsPerHour * kSlotHeight);
        painter.fillRect(block, hour % 2 == 0 ? kScaleShade : QColor(Qt::white));
    }
    painter.setPen(kLineColour);
    painter.drawRect(QRect(scaleLeft, top, kScaleWidth, slotsBottom - top + kDayRowHeight)
                         .adjusted(0, 0, -1, -1));
    for (int hour = 0; hour <= kHoursPerDay; ++hour) {
        const int y = SlotTop(hour * kSlotsPerHour);
        painter.setPen(kLineColour);
        painter.drawLine(scaleLeft, y, right, y);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, y - 7, kLabelWidth - 3, 14),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(hour));
    }
    if (graph_ == nullptr)
        return;

    for (std::size_t i = 0; i < graph_->columns.size(); ++i) {
        const BarColumn& column = graph_->columns[i];
        if (column.kind == BarColumnKind::Spacer)
            continue;
        const int left = ColumnLeft(static_cast<int>(i));
        const QColor colour = ScreenColour(column.colour, palette());
        for (int s = 0; s < kSlotCount;) {
            if (!column.worked.test(static_cast<std::size_t>(s))) {
                ++s;
                continue;
            }
            int end = s;
            while (end + 1 < kSlotCount && column.worked.test(static_cast<std::size_t>(end + 1)))
                ++end;
            painter.fillRect(QRect(left, SlotTop(s), kBarWidth, (end - s + 1) * kSlotHeight),
                             colour);
            s = end + 1;
        }
        painter.setPen(kLineColour);
        painter.drawRect(QRect(left, top, kBarWidth, slotsBottom - top + kDayRowHeight)
                             .adjusted(0, 0, -1, -1));
        painter.drawLine(left, slotsBottom, left + kBarWidth - 1, slotsBottom);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(left - 4, slotsBottom, kBarWidth + 8, kDayRowHeight),
                         Qt::AlignCenter, QString::fromStdString(column.day));
    }
}

// --- the window ---

BarScheduleWindow::BarScheduleWindow(MessageSink& messages, QWidget* parent)
    : QDialog(parent), messages_(messages)
{
    setWindowTitle(QStringLiteral("Bar Schedule"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    toolBar_ = new QToolBar(this);
    layout->addWidget(toolBar_);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(6, 6, 6, 6);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QString::fromUtf8(kBarGraphEmployeesLabel), this));
    employees_ = new QListWidget(this);
    employees_->setMaximumWidth(180);
    left->addWidget(employees_, 1);
    body->addLayout(left);

    content_ = new QWidget;
    content_->setAutoFillBackground(true);
    QPalette white = content_->palette();
    white.setColor(QPalette::Window, Qt::white);
    content_->setPalette(white);
    auto* contentLayout = new QVBoxLayout(content_);
    contentLayout->setSizeConstraint(QLayout::SetFixedSize);
    title_ = new QLabel(content_);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 2);
    title_->setFont(titleFont);
    contentLayout->addWidget(title_);
    auto* legendRow = new QHBoxLayout;
    for (int k = 0; k < kMaxLegendButtons; ++k) {
        auto* button = new QPushButton(content_);
        button->setObjectName(QStringLiteral("legend%1").arg(k + 1));
        button->setIconSize(QSize(28, 14));
        button->setFlat(false);
        auto* label = new QLabel(content_);
        legendRow->addWidget(button);
        legendRow->addWidget(label);
        legendRow->addSpacing(8);
        connect(button, &QPushButton::clicked, this, [this, k] { pickLegendColour(k); });
        legend_.push_back(button);
        legendLabels_.push_back(label);
    }
    legendRow->addStretch(1);
    contentLayout->addLayout(legendRow);
    view_ = new BarGraphView(content_);
    view_->setGraph(&graph_);
    contentLayout->addWidget(view_);

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(content_);
    scroll->setWidgetResizable(false);
    scroll->setBackgroundRole(QPalette::Base);
    body->addWidget(scroll, 1);
    layout->addLayout(body, 1);

    status_ = new QStatusBar(this);
    status_->showMessage(QString::fromUtf8(kBarGraphStatusHint));
    layout->addWidget(status_);

    buildMenus();
    layout->setMenuBar(findChild<QMenuBar*>());
    connect(employees_, &QListWidget::currentRowChanged, this, [this](int index) {
        if (index >= 0)
            ChooseEmployee(index);
    });
    resize(900, 560);
}

BarScheduleWindow::~BarScheduleWindow() = default;

void BarScheduleWindow::buildMenus()
{
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    QAction* save = file->addAction(QStringLiteral("&Save as ..."), this,
                                    &BarScheduleWindow::saveFromDialog);
    file->addAction(QStringLiteral("Printer Settings ..."), this, [this] {
        if (printer_ != nullptr)
            QPageSetupDialog(printer_, this).exec();
    });
    QAction* current = file->addAction(QStringLiteral("Print Curren&t"), this,
                                       [this] { printFromDialog(false); });
    QAction* all =
        file->addAction(QStringLiteral("&Print All"), this, [this] { printFromDialog(true); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Close"), this, &QDialog::accept);
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    QAction* topic = help->addAction(QStringLiteral("&Help"), this,
                                     [] { ShowHelpTopic(kBarScheduleHelpTopic); });
    topic->setShortcut(QKeySequence(Qt::Key_F1));
    for (QAction* action : {save, current, all})
        toolBar_->addAction(action);
}

bool BarScheduleWindow::Fill(ScheduleDocument& document, int firstColumn, int lastColumn)
{
    document_ = &document;
    firstColumn_ = firstColumn;
    lastColumn_ = lastColumn;
    const ScheduleSheet& sheet = document.sheet;
    rows_.clear();
    const QSignalBlocker blocker(employees_);
    employees_->clear();
    for (int r = sheet.fixedRows; r < sheet.rowCount() && sheet.colCount() > 1; ++r) {
        rows_.push_back(r);
        employees_->addItem(QString::fromStdString(sheet.Text(1, r)));
    }
    graph_ = {};
    view_->setGraph(&graph_);
    title_->clear();
    refreshLegend();
    if (rows_.empty())
        return false;
    employees_->setCurrentRow(0);
    return ChooseEmployee(0);
}

void BarScheduleWindow::refreshLegend()
{
    const Result<std::vector<LegendButton>> buttons =
        document_ != nullptr ? BarGraphLegend(*document_)
                             : Result<std::vector<LegendButton>>(std::vector<LegendButton>{});
    if (!buttons)
        messages_.Error(buttons.error().message);
    for (std::size_t k = 0; k < legend_.size(); ++k) {
        const bool shown = buttons && k < buttons->size();
        legend_[k]->setVisible(shown);
        legendLabels_[k]->setVisible(shown);
        if (!shown)
            continue;
        const LegendButton& entry = (*buttons)[k];
        legend_[k]->setIcon(Swatch(ScreenColour(entry.colour, palette())));
        legendLabels_[k]->setText(QString::fromStdString(entry.label));
    }
}

bool BarScheduleWindow::ChooseEmployee(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= rows_.size())
        return false;
    if (employees_->currentRow() != index) {
        const QSignalBlocker blocker(employees_);
        employees_->setCurrentRow(index);
    }
    return draw(rows_[static_cast<std::size_t>(index)]);
}

bool BarScheduleWindow::draw(int row)
{
    if (document_ == nullptr)
        return false;
    Result<BarGraph> graph = DrawBarGraph(*document_, row, firstColumn_, lastColumn_);
    if (!graph) {
        graph_ = {};
        view_->setGraph(&graph_);
        messages_.Error(graph.error().message);
        return false;
    }
    graph_ = std::move(*graph);
    title_->setText(QString::fromStdString(graph_.title));
    view_->setGraph(&graph_);
    fitContent();
    return true;
}

bool BarScheduleWindow::ChangeLegendColour(int button, Colour colour)
{
    if (document_ == nullptr || button < 0 ||
        button > static_cast<int>(document_->departments.size()) ||
        button >= kMaxLegendButtons)
        return false;
    SetDepartmentColour(*document_, button, colour);
    refreshLegend();
    const int index = employees_->currentRow();
    return index >= 0 && draw(rows_[static_cast<std::size_t>(index)]);
}

void BarScheduleWindow::pickLegendColour(int button)
{
    if (document_ == nullptr)
        return;
    const std::vector<std::string> list = DepartmentColourList(*document_);
    Colour current = clNone;
    if (static_cast<std::size_t>(button) < list.size())
        TryStringToColor(list[static_cast<std::size_t>(button)], current);
    std::optional<Colour> chosen;
    if (colourChooser_) {
        chosen = colourChooser_(current);
    } else {
        const QColor picked = QColorDialog::getColor(ScreenColour(current, palette()), this);
        if (picked.isValid())
            chosen = FromQColor(picked);
    }
    if (chosen)
        ChangeLegendColour(button, *chosen);
}

QString BarScheduleWindow::titleText() const
{
    return title_->text();
}

QString BarScheduleWindow::jobName() const
{
    return QStringLiteral("Shiftex ") + QString::fromUtf8(kVersionText) + titleText();
}

void BarScheduleWindow::fitContent() const
{
    // Laid out at once: the window may be hidden, and no event loop may run before a picture.
    content_->layout()->invalidate();
    content_->layout()->activate();
    content_->adjustSize();
}

QImage BarScheduleWindow::picture() const
{
    fitContent();
    return content_->grab().toImage();
}

bool BarScheduleWindow::saveAs(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const std::filesystem::path target(QFile::encodeName(path).toStdString());
    Result<void> written;
    if (suffix == QLatin1String("pdf")) {
        written = WriteThroughTemporary(target, [this](const std::filesystem::path& temporary) {
            QPdfWriter writer(QFile::decodeName(temporary.c_str()));
            writer.setCreator(QStringLiteral("Shiftex"));
            writer.setTitle(titleText());
            writer.setPageOrientation(QPageLayout::Landscape);
            QPainter painter;
            if (!painter.begin(&writer))
                return false;
            paintContent(painter, QRect(0, 0, writer.width(), writer.height()));
            return painter.end();
        });
    } else {
        const char* format = suffix == QLatin1String("png") ? "PNG" : "BMP";
        const QImage image = picture();
        written = WriteThroughTemporary(target, [&](const std::filesystem::path& temporary) {
            return image.save(QFile::decodeName(temporary.c_str()), format);
        });
    }
    if (!written)
        messages_.Error(written.error().message);
    return written.has_value();
}

void BarScheduleWindow::saveFromDialog()
{
    QString path;
    const QString proposed = ProposedName(titleText());
    if (fileChooser_) {
        path = fileChooser_(proposed);
    } else {
        QFileDialog dialog(this, QStringLiteral("Save as"), startFolder_,
                           QStringLiteral("Bitmaps (*.bmp);;PNG images (*.png)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("bmp"));
        dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        path = dialog.selectedFiles().constFirst();
    }
    if (!path.isEmpty())
        saveAs(path);
}

void BarScheduleWindow::paintContent(QPainter& painter, const QRect& page)
{
    fitContent();
    const QSize size = content_->size();
    if (size.isEmpty())
        return;
    // Recorded at screen size and played back scaled: the widgets' style draws as on screen,
    // and a printer of high resolution does not make it draw every pixel again.
    QPicture picture;
    {
        QPainter recorder(&picture);
        content_->render(&recorder, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    // A picture plays back at the device's resolution on its own.
    const double played =
        static_cast<double>(painter.device()->logicalDpiX()) / picture.logicalDpiX();
    const double scale = std::min(static_cast<double>(page.width()) / size.width(),
                                  static_cast<double>(page.height()) / size.height());
    painter.save();
    painter.translate(page.topLeft());
    painter.scale(scale / played, scale / played);
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

bool BarScheduleWindow::printCurrent(QPrinter& printer)
{
    printer.setDocName(jobName());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paintContent(painter, QRect(0, 0, printer.width(), printer.height()));
    return painter.end();
}

bool BarScheduleWindow::printAll(QPrinter& printer)
{
    printer.setDocName(jobName());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        ChooseEmployee(i);
        paintContent(painter, QRect(0, 0, printer.width(), printer.height()));
    }
    return painter.end();
}

void BarScheduleWindow::printFromDialog(bool all)
{
    if (printer_ == nullptr)
        return;
    const bool accepted = printDialog_ ? printDialog_(*printer_)
                                       : QPrintDialog(printer_, this).exec() == QDialog::Accepted;
    if (!accepted)
        return;
    const bool printed = all ? printAll(*printer_) : printCurrent(*printer_);
    if (!printed)
        messages_.Error("The printer could not be used.");
}

} // namespace shiftex
