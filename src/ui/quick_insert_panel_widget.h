#pragma once

#include <QComboBox>
#include <QFrame>

class QLabel;
class QPushButton;

namespace shiftex {

class ScheduleSession;

// A drop-down list that says when it is about to open, so that its entries can be taken from
// the document first. As the group colour list it draws every entry after the first as a
// colour swatch.
class ChoiceCombo : public QComboBox {
    Q_OBJECT

public:
    // Where a swatch entry keeps its colour.
    static constexpr int kColourRole = Qt::UserRole + 1;

    using QComboBox::QComboBox;
    void showPopup() override;
    void setSwatches(bool swatches);
    bool swatches() const { return swatches_; }

signals:
    void aboutToPopup();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool swatches_ = false;
};

// The quick insert panel of a schedule window ("Quick Insert Menu"): the scope, employee,
// group colour and department lists and the button, bound to the session's panel state. A click
// on the caption or the panel's body folds it up or opens it again.
class QuickInsertPanelWidget : public QFrame {
    Q_OBJECT

public:
    explicit QuickInsertPanelWidget(ScheduleSession& session, QWidget* parent = nullptr);

    ChoiceCombo* scopeList() const { return scope_; }
    ChoiceCombo* employeeList() const { return employee_; }
    ChoiceCombo* groupColourList() const { return groupColour_; }
    ChoiceCombo* departmentList() const { return department_; }
    QPushButton* insertButton() const { return button_; }
    QWidget* body() const { return body_; }

public slots:
    // The lists, their choices and enabled states, the button and the folding as the session
    // has them.
    void refresh();

signals:
    // The button was pressed: the window runs the quick insert.
    void insertRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    ScheduleSession* session_;
    QLabel* caption_ = nullptr;
    QWidget* body_ = nullptr;
    ChoiceCombo* scope_ = nullptr;
    ChoiceCombo* employee_ = nullptr;
    ChoiceCombo* groupColour_ = nullptr;
    ChoiceCombo* department_ = nullptr;
    QPushButton* button_ = nullptr;
};

} // namespace shiftex
