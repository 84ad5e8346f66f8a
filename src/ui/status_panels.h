#pragma once

#include <QIcon>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>

class QLabel;
class QProgressBar;

namespace shiftex {

// The status bar's three panels: messages and the hints of menus and buttons (500 pixels), the
// backup status (150 pixels) and the rest. The loading progress lies over the first panel, 120
// pixels from its left edge; the backup progress over the third.
class StatusPanels final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMessageWidth = 500;
    static constexpr int kBackupWidth = 150;
    static constexpr int kLoadingLeft = 120;
    static constexpr int kLoadingWidth = 280;
    static constexpr int kBackupProgressWidth = 150;

    explicit StatusPanels(QWidget* parent = nullptr);

    // A panel's own text.
    void setText(int panel, const QString& text);
    QString text(int panel) const;
    QLabel* panel(int index) const { return panels_[static_cast<std::size_t>(index)]; }
    // The hint of the menu item or button under the mouse covers the first panel's text
    // while it lasts; an empty hint gives the text back.
    void showHint(const QString& hint);

    QProgressBar* loadingProgress() const { return loading_; }
    QProgressBar* backupProgress() const { return backup_; }

    // The backup status panel: its text with the backup icon beside it or not, and a hint.
    void setBackupStatus(const QString& text, bool icon, const QString& hint);
    bool backupIconShown() const;

signals:
    // The backup status panel was double-clicked, or asks for its pop-up menu.
    void backupPanelDoubleClicked();
    void backupPanelMenuRequested(const QPoint& globalPos);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeProgressBars();

    std::array<QLabel*, 3> panels_{};
    QString messageText_;
    QProgressBar* loading_;
    QProgressBar* backup_;
    QLabel* backupIcon_;
};

} // namespace shiftex
