#pragma once

#include "setup/custom_query_page.h"
#include "setup/departments_page.h"
#include "setup/employees_page.h"
#include "setup/working_types_page.h"
#include "ui/setup_page_widget.h"

class QComboBox;
class QListWidget;
class QTreeWidget;

namespace shiftex {

// The working types: a drop-down list with "Create New" first, the code, information, the two
// time spans, the worked hours and the icon.
class WorkingTypesPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    WorkingTypesPageWidget(WorkingTypesPage& page, MessageSink& messages, QWidget* parent);
    QComboBox* list() const { return list_; }

private:
    void showList();
    WorkingTypesPage& page_;
    QComboBox* list_;
};

// The employee names, added and removed.
class EmployeesPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    EmployeesPageWidget(EmployeesPage& page, MessageSink& messages, QWidget* parent);
    QListWidget* list() const { return list_; }

private:
    void showList();
    EmployeesPage& page_;
    QListWidget* list_;
};

// The departments, each with the colour of its bars.
class DepartmentsPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    DepartmentsPageWidget(DepartmentsPage& page, MessageSink& messages, QWidget* parent);
    QTreeWidget* list() const { return list_; }

private:
    void showList();
    DepartmentsPage& page_;
    QTreeWidget* list_;
};

// The custom queries with the checklist of the working types they add up.
class CustomQueryPageWidget : public SetupPageWidget {
    Q_OBJECT

public:
    CustomQueryPageWidget(CustomQueryPage& page, MessageSink& messages, QWidget* parent);
    QListWidget* list() const { return list_; }
    QListWidget* checklist() const { return checklist_; }

private:
    void showLists();
    CustomQueryPage& page_;
    QListWidget* list_;
    QListWidget* checklist_;
};

} // namespace shiftex
