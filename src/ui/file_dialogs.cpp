#include "ui/file_dialogs.h"

#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace shiftex {

// The open dialog's filter; the file chooser of the desktop may compare letter case, so every
// spelling of the extension is listed.
QString ScheduleFileFilter()
{
    QStringList patterns;
    for (int mask = 0; mask < 8; ++mask) {
        QString ext = QStringLiteral("sxt");
        for (int i = 0; i < 3; ++i) {
            if ((mask & (4 >> i)) != 0)
                ext[i] = ext[i].toUpper();
        }
        patterns << QStringLiteral("*.") + ext;
    }
    std::reverse(patterns.begin(), patterns.end());  // "*.SXT" first
    return QStringLiteral("Shiftex 4.0 files (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QString DocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace shiftex
