#pragma once

#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "reports/bar_graph.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace shiftex {

// Draws a bar graph: the hour scale on the left, then one column per bar or spacer, time of
// day running down from 0 to 24 hours in ten-minute slots, each bar's day under it.
class BarGraphView : public QWidget {
    Q_OBJECT

public:
    explicit BarGraphView(QWidget* parent = nullptr);
    void setGraph(const BarGraph* graph);
    QSize sizeHint() const override;

    // Pixel sizes of the graph grid.
    static constexpr int kLabelWidth = 24;
    static constexpr int kScaleWidth = 16;
    static constexpr int kLeadWidth = 5;
    static constexpr int kBarWidth = 16;
    static constexpr int kSpacerWidth = 5;
    static constexpr int kHeaderRowHeight = 21;
    static constexpr int kSlotHeight = 2;
    static constexpr int kDayRowHeight = 21;
    // The hour labels start this far from the top, one hour (six slots) apart.
    static constexpr int kFirstLabelY = 60;
    // Where the top of slot s is drawn.
    static int SlotTop(int slot);
    // The left edge of column `index` of the graph's columns.
    int ColumnLeft(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const BarGraph* graph_ = nullptr;
};

// The bar schedule window: the employees of the active schedule, a legend of the department
// colours and one employee's working times over the selected days as bars. Created once and
// refilled every time it opens; only a legend colour change reaches the document.
class BarScheduleWindow : public QDialog {
    Q_OBJECT

public:
    BarScheduleWindow(MessageSink& messages, QWidget* parent = nullptr);
    ~BarScheduleWindow() override;

    // Fills the window from the document and the sheet columns first to last and draws the
    // first employee; false (nothing drawn) when the legend or the graph meets a conversion
    // error, which has been reported.
    bool Fill(ScheduleDocument& document, int firstColumn, int lastColumn);
    // Draws the employee of list entry `index` (each entry is its own sheet row).
    bool ChooseEmployee(int index);
    // Button `button` (0 = main department) takes `colour`: the document's department colour
    // list changes and the graph is drawn again.
    bool ChangeLegendColour(int button, Colour colour);

    const BarGraph& graph() const { return graph_; }
    QString titleText() const;
    QListWidget* employeeList() const { return employees_; }
    const std::vector<QPushButton*>& legendButtons() const { return legend_; }
    QStatusBar* statusBar() const { return status_; }
    QToolBar* toolBar() const { return toolBar_; }
    // The picture Save as writes and the pages print: title, legend and graph.
    QWidget* content() const { return content_; }
    QImage picture() const;

    // "&Save as ...": the picture as a bitmap; false when nothing was written (reported).
    bool saveAs(const QString& path);
    // "Print Curren&t" and "&Print All" onto a printer set up by the caller.
    bool printCurrent(QPrinter& printer);
    bool printAll(QPrinter& printer);
    // The print job's name: "Shiftex 4.3" and the title.
    QString jobName() const;

    // What the window asks the user; tests put answers in.
    using FileChooser = std::function<QString(const QString& proposed)>;
    using PrintDialog = std::function<bool(QPrinter&)>;
    using ColourChooser = std::function<std::optional<Colour>(Colour current)>;
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    void setPrintDialog(PrintDialog dialog) { printDialog_ = std::move(dialog); }
    void setColourChooser(ColourChooser chooser) { colourChooser_ = std::move(chooser); }
    void setPrinter(QPrinter* printer) { printer_ = printer; }
    void setStartFolder(const QString& folder) { startFolder_ = folder; }

private:
    void buildMenus();
    bool draw(int row);
    void refreshLegend();
    void pickLegendColour(int button);
    void saveFromDialog();
    void printFromDialog(bool all);
    void paintContent(QPainter& painter, const QRect& page);
    void fitContent() const;

    MessageSink& messages_;
    ScheduleDocument* document_ = nullptr;
    int firstColumn_ = 0;
    int lastColumn_ = -1;
    std::vector<int> rows_;  // the sheet row of each list entry
    BarGraph graph_;
    QLabel* title_ = nullptr;
    QListWidget* employees_ = nullptr;
    std::vector<QPushButton*> legend_;
    std::vector<QLabel*> legendLabels_;
    BarGraphView* view_ = nullptr;
    QWidget* content_ = nullptr;
    QStatusBar* status_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QPrinter* printer_ = nullptr;
    FileChooser fileChooser_;
    PrintDialog printDialog_;
    ColourChooser colourChooser_;
    QString startFolder_;
};

} // namespace shiftex
