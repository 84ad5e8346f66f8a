#include "platform/qt_startup_services.h"

#include "platform/file_type_registration.h"
#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace shiftex {

std::string QtStartupServices::ProgramFolder() { return shiftex::ProgramFolder().toStdString(); }

bool QtStartupServices::LoadHelp(const std::string& programFolder)
{
    return loadHelp_ && loadHelp_(programFolder);
}

void QtStartupServices::RegisterFileType(const std::string& programFolder)
{
    // The icon beside the program, or else the installed one by its name in the icon theme.
    const QString ownIcon = QString::fromStdString(programFolder) + QStringLiteral("shiftex.svg");
    const QString icon = QFileInfo::exists(ownIcon) ? ownIcon : QStringLiteral("shiftex");
    shiftex::RegisterFileType(QStringLiteral(".SXT"), QStringLiteral("Shiftex File"),
                              QStringLiteral("Shiftex V4.2"), icon,
                              QCoreApplication::applicationFilePath(), true);
}

QString ExistingDocumentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(folder).isDir() ? folder : QString();
}

std::string QtStartupServices::DocumentsFolder() { return ExistingDocumentsFolder().toStdString(); }

int QtStartupServices::ScreenWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size().width() : 0;
}

int QtStartupServices::ScreenHeight()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size().height() : 0;
}

} // namespace shiftex
