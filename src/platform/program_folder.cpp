#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace shiftex {

namespace {

const QString kHolidays = QStringLiteral("Holidays");

QString WithSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// Copies the tree below from into to; existing files are kept as they are.
bool CopyTree(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    bool ok = true;
    const QDir source(from);
    const auto entries =
        source.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isSymLink() && !entry.exists())
            continue;
        if (entry.isDir())
            ok = CopyTree(entry.filePath(), target) && ok;
        else if (!QFileInfo::exists(target))
            ok = QFile::copy(entry.filePath(), target) && ok;
    }
    return ok;
}

} // namespace

QString FindEntryIgnoringCase(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    const auto names = dir.entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot |
                                     QDir::Hidden);
    for (const QString& entry : names) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

QString ChooseProgramFolder(const QString& exeFolder, const QString& dataFolder,
                            const QString& installedFolder)
{
    const QString own = FindEntryIgnoringCase(exeFolder, kHolidays);
    if (!own.isEmpty() && QFileInfo(own).isDir())
        return WithSlash(QDir::cleanPath(exeFolder));

    QDir().mkpath(dataFolder);
    if (FindEntryIgnoringCase(dataFolder, kHolidays).isEmpty()) {
        const QString installed = FindEntryIgnoringCase(installedFolder, kHolidays);
        if (!installed.isEmpty() && QFileInfo(installed).isDir())
            CopyTree(installed, QDir(dataFolder).filePath(kHolidays));
    }
    return WithSlash(QDir::cleanPath(dataFolder));
}

QString InstalledDataFolder()
{
    return QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/shiftex")));
}

QString ProgramFolder()
{
    return ChooseProgramFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                               InstalledDataFolder());
}

} // namespace shiftex
