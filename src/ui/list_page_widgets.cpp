#include "ui/list_page_widgets.h"

#include "ui/icons.h"
#include "ui/setup_widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace shiftex {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The list's rows as the page has them, with the selected one current.
void ShowRows(QListWidget* list, const std::vector<std::vector<std::string>>& entries,
              int selected)
{
    const QSignalBlocker block(list);
    list->clear();
    for (const auto& entry : entries)
        list->addItem(Text(entry.front()));
    list->setCurrentRow(selected);
}

} // namespace

// --- working types ---

WorkingTypesPageWidget::WorkingTypesPageWidget(WorkingTypesPage& page, MessageSink& messages,
                                               QWidget* parent)
    : SetupPageWidget(page, messages, parent), page_(page), list_(new QComboBox(this))
{
    list_->setToolTip(QStringLiteral(
        "Select WorkingType to edit or \"Create New\" to setup a new workingtype."));
    list_->setIconSize(QSize(16, 16));
    connect(list_, &QComboBox::activated, this,
            [this](int index) { binder_->run([this, index] { return page_.Pick(index); }); });

    QLineEdit* code = addLineEdit("code", "Working Type: a unique value that represents a shift");
    QLineEdit* info = addLineEdit("info", "Adds an additional help info about this workingtype");
    const char* hints[] = {
        "Insert the time an employee is expected to be at work. Must be between 00H00 and 23H59",
        "Insert the time when the employee has finished",
        "Insert the time an employee is expected to be at work",
        "Insert the time when the employee has finished"};
    const char* fields[] = {"start1", "finish1", "start2", "finish2"};
    QLineEdit* times[4];
    for (int k = 0; k < 4; ++k) {
        times[k] = addLineEdit(fields[k], hints[k]);
        // Two hour positions, "H", two minute positions.
        times[k]->setInputMask(QStringLiteral("00\\H00"));
        times[k]->setMaximumWidth(70);
    }
    QLineEdit* hours = addLineEdit("hours", "Give the representing hours");
    hours->setMaximumWidth(70);
    code->setMaximumWidth(120);
    info->setMaximumWidth(240);
    auto* icons = new QComboBox(this);
    icons->setToolTip(QStringLiteral("Select an icon that represents this workingtype"));
    FillIconList(icons);
    binder_->bindIndexChoice(icons, "icon");

    auto* intro = new QLabel(DisplayText(kWorkingTypesPageText), this);
    auto* form = new QGridLayout;
    form->addWidget(caption("WorkingType:", this), 0, 0);
    form->addWidget(code, 0, 1, 1, 3);
    form->addWidget(caption("Additional Information  (optional)", this), 1, 0);
    form->addWidget(info, 1, 1, 1, 3);
    form->addWidget(caption("Starts at:", this), 2, 0);
    form->addWidget(times[0], 2, 1);
    form->addWidget(caption("Finished at:", this), 2, 2);
    form->addWidget(times[1], 2, 3);
    form->addWidget(times[2], 3, 1);
    form->addWidget(times[3], 3, 3);
    form->addWidget(caption("Worked Hours:  ", this), 4, 0);
    form->addWidget(hours, 4, 1);
    form->setColumnStretch(4, 1);
    auto* glyph = new QGroupBox(QStringLiteral("Glyph"), this);
    auto* glyphLayout = new QHBoxLayout(glyph);
    glyphLayout->addWidget(caption("Icon:", glyph));
    glyphLayout->addWidget(icons);
    glyphLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_);
    layout->addLayout(form);
    layout->addWidget(glyph);
    layout->addStretch();
    layout->addLayout(buttonRow({addButton("save", "&Save changes", "Save changes"),
                                 addButton("remove", "&Remove", "Remove selected working type"),
                                 addButton("help", "&Help", "show help information")}));
    connect(binder_, &PageBinder::refreshed, this, &WorkingTypesPageWidget::showList);
    binder_->refresh();
}

void WorkingTypesPageWidget::showList()
{
    const QSignalBlocker block(list_);
    list_->clear();
    const auto entries = page_.ListEntries();
    for (int k = 0; k < static_cast<int>(entries.size()); ++k) {
        const QString text = Text(entries[k][0]) + QStringLiteral("   ") + Text(entries[k][1]);
        const int icon = page_.IconOfEntry(k);
        list_->addItem(icon >= 0 ? QIcon(WorkingTypeIcon(icon)) : QIcon(), text);
    }
    list_->setCurrentIndex(page_.selected());
}

// --- employees ---

EmployeesPageWidget::EmployeesPageWidget(EmployeesPage& page, MessageSink& messages,
                                         QWidget* parent)
    : SetupPageWidget(page, messages, parent), page_(page), list_(new QListWidget(this))
{
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            binder_->run([this, row] { return page_.Pick(row); });
    });
    QLineEdit* name = addLineEdit("name", "Enter the employee's name");
    auto* form = new QHBoxLayout;
    form->addWidget(caption("Name", this));
    form->addWidget(name);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(form);
    layout->addLayout(buttonRow({addButton("add", "&Add", "Add employee "),
                                 addButton("remove", "&Remove", "Remove employee")}));
    connect(binder_, &PageBinder::refreshed, this, &EmployeesPageWidget::showList);
    binder_->refresh();
}

void EmployeesPageWidget::showList() { ShowRows(list_, page_.ListEntries(), page_.selected()); }

// --- departments ---

DepartmentsPageWidget::DepartmentsPageWidget(DepartmentsPage& page, MessageSink& messages,
                                             QWidget* parent)
    : SetupPageWidget(page, messages, parent), page_(page), list_(new QTreeWidget(this))
{
    list_->setColumnCount(2);
    list_->setHeaderHidden(true);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->setRootIsDecorated(false);
    list_->setToolTip(QStringLiteral(
        "Select \"Add department\" to creat a new one. Or select an existing one to edit"));
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        const int row = list_->indexOfTopLevelItem(item);
        if (row >= 0)
            binder_->run([this, row] { return page_.Pick(row); });
    });
    QLineEdit* name = addLineEdit("name", "Departement's name");
    auto* colour = new ColourButton(this);
    colour->setToolTip(
        QStringLiteral("Set color of department (to use when creating a bargraph)"));
    binder_->bindColourButton(colour, "colour");

    auto* group = new QGroupBox(QStringLiteral("Department"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(list_);
    auto* form = new QFormLayout;
    form->addRow(caption("Name", this), name);
    form->addRow(caption("Use Color (bargraph) :", this), colour);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(form);
    layout->addLayout(buttonRow({addButton("add", "&Add", "Save changes"),
                                 addButton("remove", "&Remove", "Remove this department")}));
    connect(binder_, &PageBinder::refreshed, this, &DepartmentsPageWidget::showList);
    binder_->refresh();
}

void DepartmentsPageWidget::showList()
{
    const QSignalBlocker block(list_);
    list_->clear();
    for (const auto& entry : page_.ListEntries())
        list_->addTopLevelItem(new QTreeWidgetItem({Text(entry[0]), Text(entry[1])}));
    list_->setCurrentItem(list_->topLevelItem(page_.selected()));
}

// --- custom queries ---

CustomQueryPageWidget::CustomQueryPageWidget(CustomQueryPage& page, MessageSink& messages,
                                             QWidget* parent)
    : SetupPageWidget(page, messages, parent),
      page_(page),
      list_(new QListWidget(this)),
      checklist_(new QListWidget(this))
{
    list_->setToolTip(QStringLiteral("Select a Cusom Query"));
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            binder_->run([this, row] { return page_.Pick(row); });
    });
    checklist_->setToolTip(QStringLiteral("List of available workingtypes"));
    checklist_->setIconSize(QSize(16, 16));
    connect(checklist_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = checklist_->row(item);
        binder_->run([this, row]() -> Result<void> {
            page_.ToggleMark(row);
            return {};
        });
    });
    binder_->bindFocusTarget(checklist_, "checklist");
    QLineEdit* name = addLineEdit("name", "Name of custom query");

    auto* queries = new QGroupBox(QStringLiteral("Custom Query"), this);
    (new QVBoxLayout(queries))->addWidget(list_);
    auto* overview = new QGroupBox(QStringLiteral("Overview"), this);
    auto* form = new QFormLayout(overview);
    form->addRow(caption("Name:", overview), name);
    form->addRow(caption("Summation of: ", overview), checklist_);
    auto* lists = new QHBoxLayout;
    lists->addWidget(queries, 1);
    lists->addWidget(overview, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttonRow({addButton("save", "&Save changes", "Save changes"),
                                 addButton("remove", "&Remove", "Remove this Custom Query"),
                                 addButton("help", "&Help", "Show help information")}));
    connect(binder_, &PageBinder::refreshed, this, &CustomQueryPageWidget::showLists);
    binder_->refresh();
}

void CustomQueryPageWidget::showLists()
{
    ShowRows(list_, page_.ListEntries(), page_.selected());
    const QSignalBlocker block(checklist_);
    const auto& types = page_.checklist();
    if (checklist_->count() != static_cast<int>(types.size())) {
        checklist_->clear();
        for (const WorkingType& type : types) {
            auto* item = new QListWidgetItem(
                QIcon(WorkingTypeIcon(type.iconIndex)),
                Text(type.code()) + QStringLiteral("   ") +
                    Text(type.fields[field::Information]),
                checklist_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        }
    }
    for (int k = 0; k < checklist_->count(); ++k)
        checklist_->item(k)->setCheckState(page_.IsMarked(k) ? Qt::Checked : Qt::Unchecked);
}

} // namespace shiftex
