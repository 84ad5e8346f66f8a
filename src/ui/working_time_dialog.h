#pragma once

#include "summaries/working_time_rules.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;

namespace shiftex {

// Options > "Working-time rules ...": the warnings on or off and their six limits.
class WorkingTimeDialog final : public QDialog {
    Q_OBJECT

public:
    explicit WorkingTimeDialog(QWidget* parent = nullptr);

    void setLimits(const WorkingTimeLimits& limits);
    WorkingTimeLimits limits() const;

    QCheckBox* enabledBox() const { return enabled_; }
    // Minimum rest, longest break, weekly rest and maximum week hours, in hours.
    QDoubleSpinBox* hoursBox(int index) const { return hours_[static_cast<std::size_t>(index)]; }
    // Maximum working days and nights in a row.
    QSpinBox* countBox(int index) const { return counts_[static_cast<std::size_t>(index)]; }

private:
    QCheckBox* enabled_;
    std::array<QDoubleSpinBox*, 4> hours_{};
    std::array<QSpinBox*, 2> counts_{};
};

} // namespace shiftex
