#include "ui/working_time_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace shiftex {

namespace {

constexpr double kMaximumHours = 7 * 24;
constexpr int kMaximumCount = 1000;

using HoursLimit = int WorkingTimeLimits::*;
constexpr std::array<HoursLimit, 4> kHours{
    &WorkingTimeLimits::minimumRest, &WorkingTimeLimits::longestBreak,
    &WorkingTimeLimits::weeklyRest, &WorkingTimeLimits::maximumWeekHours};
constexpr std::array<HoursLimit, 2> kCounts{&WorkingTimeLimits::maximumDays,
                                            &WorkingTimeLimits::maximumNights};

} // namespace

WorkingTimeDialog::WorkingTimeDialog(QWidget* parent)
    : QDialog(parent), enabled_(new QCheckBox(tr("&Warn about working time"), this))
{
    setWindowTitle(tr("Working-time rules"));
    enabled_->setObjectName(QStringLiteral("enabled"));
    auto* form = new QFormLayout;
    const char* hourLabels[] = {"Minimum &rest between duties:", "Longest &break within a duty:",
                                "Wee&kly rest in every seven days:", "Maximum &hours per week:"};
    const char* hourNames[] = {"minimumRest", "longestBreak", "weeklyRest", "maximumWeekHours"};
    for (std::size_t i = 0; i < hours_.size(); ++i) {
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(QLatin1String(hourNames[i]));
        box->setRange(0, kMaximumHours);
        box->setDecimals(2);
        box->setSingleStep(0.5);
        box->setSuffix(tr(" h"));
        form->addRow(tr(hourLabels[i]), box);
        hours_[i] = box;
    }
    const char* countLabels[] = {"Maximum working &days in a row:", "Maximum &nights in a row:"};
    const char* countNames[] = {"maximumDays", "maximumNights"};
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QLatin1String(countNames[i]));
        box->setRange(0, kMaximumCount);
        form->addRow(tr(countLabels[i]), box);
        counts_[i] = box;
    }
    // The limits wait while the warnings are off.
    for (QAbstractSpinBox* field : findChildren<QAbstractSpinBox*>())
        connect(enabled_, &QCheckBox::toggled, field, &QWidget::setEnabled);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults,
        this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] { setLimits({}); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(enabled_);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setLimits({});
}

void WorkingTimeDialog::setLimits(const WorkingTimeLimits& limits)
{
    enabled_->setChecked(limits.enabled);
    for (std::size_t i = 0; i < hours_.size(); ++i)
        hours_[i]->setValue(limits.*kHours[i] / 60.0);
    for (std::size_t i = 0; i < counts_.size(); ++i)
        counts_[i]->setValue(limits.*kCounts[i]);
    for (QAbstractSpinBox* field : findChildren<QAbstractSpinBox*>())
        field->setEnabled(limits.enabled);
}

WorkingTimeLimits WorkingTimeDialog::limits() const
{
    WorkingTimeLimits limits;
    limits.enabled = enabled_->isChecked();
    for (std::size_t i = 0; i < hours_.size(); ++i)
        limits.*kHours[i] = static_cast<int>(std::lround(hours_[i]->value() * 60));
    for (std::size_t i = 0; i < counts_.size(); ++i)
        limits.*kCounts[i] = counts_[i]->value();
    return limits;
}

} // namespace shiftex
