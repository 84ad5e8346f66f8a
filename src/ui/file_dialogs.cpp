#include "ui/file_dialogs.h"

#include "platform/qt_startup_services.h"

namespace shiftex {

// Qt's own dialog matches the filter without regard to case; the second spelling is for a
// desktop's dialog that does not.
QString ScheduleFileFilter() { return QStringLiteral("Shiftex 4.0 files (*.SXT *.sxt)"); }

QString DocumentsFolder() { return ExistingDocumentsFolder(); }

} // namespace shiftex
