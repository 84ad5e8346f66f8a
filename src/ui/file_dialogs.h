#pragma once

#include <QString>

namespace shiftex {

// The filter of the dialogs that open and save schedules.
QString ScheduleFileFilter();
// Where those dialogs start: the documents folder, or empty (the dialog's own choice) when
// there is none; a folder that is not there would end up as the proposed file name.
QString DocumentsFolder();

} // namespace shiftex
