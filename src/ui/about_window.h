#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace shiftex {

// The About window: borderless, centred on the main window; shown once at start as a splash
// and from Help > "&About...".
class AboutWindow final : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // Modal over the main window; as a splash it also goes away by itself after a moment.
    int showModal(bool asSplash);

    QLabel* websiteLink() const { return website_; }
    QLabel* mailLink() const { return mail_; }
    QPushButton* closeButton() const { return close_; }

signals:
    // "Check out the website" and the mail link were clicked.
    void websiteRequested();
    void mailRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* website_;
    QLabel* mail_;
    QPushButton* close_;
    QTimer* splashTimer_;
    bool splash_ = false;
};

} // namespace shiftex
