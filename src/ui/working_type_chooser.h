#pragma once

#include "model/working_types.h"

#include <QComboBox>

namespace shiftex {

// The tool bar list of working types (ComboBox13): each entry shows the type's picture, its code
// and its information; entry 0 is the blank entry "Insert blanc" without a picture.
class WorkingTypeChooser : public QComboBox {
    Q_OBJECT

public:
    static constexpr int kCodeRole = Qt::UserRole + 1;
    static constexpr int kInformationRole = Qt::UserRole + 2;

    explicit WorkingTypeChooser(QWidget* parent = nullptr);

    // The entries again from the list, the current one kept where it still exists.
    void setTypes(const WorkingTypeList& types);

    void showPopup() override;

signals:
    // "Edit WorkingHours ..." of its pop-up menu.
    void editRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace shiftex
