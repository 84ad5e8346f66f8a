#include "platform/file_type_registration.h"

#include <QDir>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace shiftex {

namespace {

constexpr const char* kMimeType = "application/x-shiftex";

bool WriteFile(const QString& path, const QString& text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

QString XmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// The quoting that the Exec= line of a desktop entry needs.
QString DesktopQuoted(const QString& path)
{
    QString quoted = path;
    for (const char* special : {"\\", "\"", "`", "$"})
        quoted.replace(QLatin1String(special), QLatin1String("\\") + QLatin1String(special));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void RunIfPresent(const QString& tool, const QStringList& arguments)
{
    if (!QStandardPaths::findExecutable(tool).isEmpty())
        QProcess::startDetached(tool, arguments);
}

} // namespace

bool RegisterFileType(const QString& extension, const QString& typeName,
                      const QString& description, const QString& iconPath,
                      const QString& programPath, bool notify)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return false;
    const QString glob = QStringLiteral("*") + extension.toLower();
    const QString mime =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"%1\">\n"
                       "    <comment>%2</comment>\n"
                       "    <glob pattern=\"%3\" case-sensitive=\"false\"/>\n"
                       "  </mime-type>\n"
                       "</mime-info>\n")
            .arg(QLatin1String(kMimeType), XmlEscaped(description), XmlEscaped(glob));
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Shiftex\n"
                                         "Comment=%1\n"
                                         "Exec=%2 %f\n"
                                         "Icon=%3\n"
                                         "MimeType=%4;\n"
                                         "Categories=Office;\n")
                              .arg(typeName, DesktopQuoted(programPath), iconPath,
                                   QLatin1String(kMimeType));
    const bool written =
        WriteFile(dataHome + QStringLiteral("/mime/packages/shiftex.xml"), mime) &&
        WriteFile(dataHome + QStringLiteral("/applications/shiftex.desktop"), entry);
    if (written && notify) {
        RunIfPresent(QStringLiteral("update-mime-database"), {dataHome + QStringLiteral("/mime")});
        RunIfPresent(QStringLiteral("update-desktop-database"),
                     {dataHome + QStringLiteral("/applications")});
    }
    return written;
}

} // namespace shiftex
