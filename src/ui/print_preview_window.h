#pragma once

#include "platform/print_renderer.h"
#include "reports/print_copy.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

namespace shiftex {

// "Preview": the pages of a print copy as the printer will print them, one at a time, with
// "Previous", "Next", "Print" and "Close".
class PrintPreviewWindow : public QDialog {
    Q_OBJECT

public:
    PrintPreviewWindow(PrintCopy copy, CellPictures pictures, QPrinter& printer,
                       QWidget* parent = nullptr);

    int pageCount() const;
    int currentPage() const;
    void showPage(int page);
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* closeButton() const { return close_; }
    QPrintPreviewWidget* previewWidget() const { return preview_; }
    const PrintCopy& copy() const { return copy_; }

    // The printer dialog before printing; tests put another one in.
    using PrintDialog = std::function<bool(QPrinter&)>;
    void setPrintDialog(PrintDialog dialog) { printDialog_ = std::move(dialog); }
    // Asks for the printer, then prints every page; false when nothing was printed.
    bool print();

private:
    void refresh();

    PrintCopy copy_;
    CellPictures pictures_;
    QPrinter& printer_;
    QPrintPreviewWidget* preview_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* close_ = nullptr;
    PrintDialog printDialog_;
};

} // namespace shiftex
