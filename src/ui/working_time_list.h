#pragma once

#include "summaries/working_time_rules.h"

#include <QAbstractTableModel>
#include <QDockWidget>

#include <vector>

class QLabel;
class QTableView;

namespace shiftex {

// The findings of one schedule as a table: employee, rule, from, to and value; the finding in
// words as each row's hint.
class WorkingTimeListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setFindings(std::vector<WorkingTimeFinding> findings, const WorkingTimeLimits& limits);
    const std::vector<WorkingTimeFinding>& findings() const { return findings_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<WorkingTimeFinding> findings_;
    WorkingTimeLimits limits_;
};

// The dockable list "Working-time warnings" of the active schedule. A double-click on a finding
// asks for its first cell.
class WorkingTimeDock final : public QDockWidget {
    Q_OBJECT

public:
    explicit WorkingTimeDock(QWidget* parent = nullptr);

    // The findings shown; an error, when not empty, stands above the list instead.
    void setFindings(std::vector<WorkingTimeFinding> findings, const WorkingTimeLimits& limits,
                     const QString& error);
    QTableView* table() const { return table_; }
    const WorkingTimeListModel& model() const { return *model_; }
    QLabel* errorLabel() const { return error_; }

signals:
    void findingActivated(const shiftex::WorkingTimeFinding& finding);
    // The user closed the list with its close button.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    WorkingTimeListModel* model_;
    QTableView* table_;
    QLabel* error_;
};

} // namespace shiftex
