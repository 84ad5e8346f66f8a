#pragma once

#include "model/schedule_document.h"

#include <string>
#include <vector>

namespace shiftex {

// Undoes every merge of the sheet.
void UnmergeAll(ScheduleSheet& sheet);

// Rebuilds the sheet's columns in one pass: new column i is the old column sources[i] with its
// cells and width, or an empty column of default width where sources[i] is -1. The sheet must
// have no merges. Rows, header counts and font stay.
void RearrangeColumns(ScheduleSheet& sheet, const std::vector<int>& sources);

// The department view out of the normal view, from day column `first` on: every day gets one
// sub-column per department (row 3 the department's name, row 2 the day number merged over
// them, the day's background colours in every sub-column), and each day's department lines go
// to their departments' sub-columns, a plain line to the first one. Lines naming no department
// are dropped. Days left of `first` are taken as split already (the sheet was extended while
// the view was on); their day numbers are merged again. Nothing happens without departments
// or on a sheet without its three header rows.
void SplitDepartments(ScheduleSheet& sheet, const std::vector<Department>& departments,
                      int first);

// The normal view out of the department view: each day's sub-cells become one text of
// department lines, every line ending with CR (a day without codes holds a single CR), and
// only the day's first sub-column stays. The names come from the list, not from row 3. Row 3
// itself stays; nothing happens without departments.
void MergeDepartments(ScheduleSheet& sheet, const std::vector<Department>& departments);

// In the department view with `perDay` sub-columns per day: every day gets one more sub-column
// at its end for the department `name`, with the day's titles and the background colours of the
// day's last sub-column. The header rows are laid out by the caller.
void AppendDepartmentColumns(ScheduleSheet& sheet, int perDay, const std::string& name);
// In the department view with `perDay` sub-columns per day: sub-column `index` of every day
// leaves the sheet with its cells.
void RemoveDepartmentColumns(ScheduleSheet& sheet, int perDay, int index);

// The header rows laid out again after a change of columns: month and week titles merged over
// their days, the day numbers over their sub-columns and the department row in the header
// colour (department view), the name columns and the extension buttons.
void LayoutScheduleHeader(ScheduleDocument& document);

} // namespace shiftex
