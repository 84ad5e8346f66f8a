#include "platform/file_type_registration.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QTimer>

namespace {

// SHIFTEX_SCREENSHOT=file.png: grab the main window a moment after the start-up file was opened,
// save it and quit. Used to look at the window on a machine without a display.
void ArrangeScreenshot(shiftex::MainWindow& window, const QString& target)
{
    const auto grabLater = [&window, target] {
        QTimer::singleShot(800, &window, [&window, target] {
            window.grab().save(target);
            QCoreApplication::quit();
        });
    };
    QObject::connect(&window, &shiftex::MainWindow::startupFileHandled, &window, grabLater);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Shiftex"));
    QCoreApplication::setApplicationName(QStringLiteral("Shiftex"));

    shiftex::MainWindow window;
    shiftex::RegisterFileType(QStringLiteral(".SXT"), QStringLiteral("Shiftex File"),
                              QStringLiteral("Shiftex V4.2"),
                              window.programFolder() + QStringLiteral("shiftex.svg"),
                              QCoreApplication::applicationFilePath(), true);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.SetStartupFile(arguments.at(1));
    const QString screenshot = qEnvironmentVariable("SHIFTEX_SCREENSHOT");
    if (!screenshot.isEmpty())
        ArrangeScreenshot(window, screenshot);
    window.show();
    return app.exec();
}
