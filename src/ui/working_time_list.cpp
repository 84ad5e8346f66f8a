#include "ui/working_time_list.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace shiftex {

namespace {

enum Column { kEmployee, kRule, kFrom, kTo, kValue, kColumnCount };

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void WorkingTimeListModel::setFindings(std::vector<WorkingTimeFinding> findings,
                                       const WorkingTimeLimits& limits)
{
    beginResetModel();
    findings_ = std::move(findings);
    limits_ = limits;
    endResetModel();
}

int WorkingTimeListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(findings_.size());
}

int WorkingTimeListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant WorkingTimeListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(findings_.size()))
        return {};
    const WorkingTimeFinding& finding = findings_[static_cast<std::size_t>(index.row())];
    if (role == Qt::ToolTipRole)
        return Text(DescribeFinding(finding, limits_));
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case kEmployee:
        return Text(finding.employee);
    case kRule:
        return Text(RuleTitle(finding.rule));
    case kFrom:
        return Text(SpokenTime(finding.from));
    case kTo:
        return Text(SpokenTime(finding.to));
    case kValue:
        return Text(FindingValueText(finding));
    default:
        return {};
    }
}

QVariant WorkingTimeListModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kTitles[] = {"Employee", "Rule", "From", "To", "Value"};
    return section >= 0 && section < kColumnCount ? tr(kTitles[section]) : QVariant();
}

WorkingTimeDock::WorkingTimeDock(QWidget* parent)
    : QDockWidget(tr("Working-time warnings"), parent),
      model_(new WorkingTimeListModel(this)),
      table_(new QTableView),
      error_(new QLabel)
{
    setObjectName(QStringLiteral("WorkingTimeWarnings"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const int widths[] = {140, 150, 120, 120};
    for (int c = 0; c < 4; ++c)
        table_->setColumnWidth(c, widths[c]);
    connect(table_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const auto& findings = model_->findings();
        if (index.isValid() && index.row() < static_cast<int>(findings.size()))
            emit findingActivated(findings[static_cast<std::size_t>(index.row())]);
    });
    error_->setWordWrap(true);
    error_->setStyleSheet(QStringLiteral("color: #b00000"));
    error_->hide();

    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(error_);
    layout->addWidget(table_);
    setWidget(holder);
}

void WorkingTimeDock::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    if (event->isAccepted())
        emit closedByUser();
}

void WorkingTimeDock::setFindings(std::vector<WorkingTimeFinding> findings,
                                  const WorkingTimeLimits& limits, const QString& error)
{
    model_->setFindings(std::move(findings), limits);
    error_->setText(error);
    error_->setVisible(!error.isEmpty());
}

} // namespace shiftex
