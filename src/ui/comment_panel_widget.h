#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace shiftex {

// The floating "Add Cell Comment" panel of a schedule window: a caption bar to drag it by, a close
// button, the text field, "OK" and "Cancel". It only shows and reports; the schedule window runs
// the comment commands.
class CommentPanelWidget : public QFrame {
    Q_OBJECT

public:
    explicit CommentPanelWidget(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    QPlainTextEdit* textField() const { return text_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    // Shown at (left, top) of the parent, kept inside it, the text field focused.
    void showAt(int left, int top);

signals:
    void applied();
    void cancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caption_;
    QToolButton* close_;
    QPlainTextEdit* text_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPoint dragOffset_;
    bool dragging_ = false;
};

} // namespace shiftex
