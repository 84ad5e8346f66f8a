#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace shiftex {

int QtShell::Open(const std::string& target)
{
    const QString text = QString::fromStdString(target);
    QUrl url(text, QUrl::TolerantMode);
    // "C:/x" and "/home/x" are paths; "https://..." and "mailto:..." are links.
    const bool link = url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
    if (!link) {
        const QFileInfo file(url.isLocalFile() ? url.toLocalFile() : text);
        if (!file.exists())
            return QFileInfo(file.absolutePath()).isDir() ? kShellFileNotFound
                                                          : kShellPathNotFound;
        url = QUrl::fromLocalFile(file.absoluteFilePath());
    }
    return QDesktopServices::openUrl(url) ? kShellOpened : kShellNoAssociation;
}

} // namespace shiftex
