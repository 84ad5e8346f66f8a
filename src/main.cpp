#include "ui/main_window.h"
#include "ui/schedule_window.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <malloc.h>

namespace {

// SHIFTEX_SHOW_SUMMARIES=1 shows the four summaries of the start-up file, for looking at them.
void ShowAllSummaries(shiftex::MainWindow& window)
{
    using shiftex::SummaryKind;
    shiftex::ScheduleWindow* schedule = window.activeScheduleWindow();
    const bool wanted = qEnvironmentVariable("SHIFTEX_SHOW_SUMMARIES") == QLatin1String("1");
    if (schedule == nullptr || !wanted)
        return;
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                             SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
        if (!schedule->session().summaries().IsShown(kind))
            schedule->toggleSummary(kind);
}

// SHIFTEX_SCREENSHOT=file.png: grab the main window a moment after the start-up file was opened,
// save it and quit. Used to look at the window on a machine without a display;
// SHIFTEX_SCREENSHOT_SIZE=WIDTHxHEIGHT sizes the window first.
void ArrangeScreenshot(shiftex::MainWindow& window, const QString& target)
{
    const QStringList size =
        qEnvironmentVariable("SHIFTEX_SCREENSHOT_SIZE").split(QLatin1Char('x'));
    if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0)
        window.resize(size[0].toInt(), size[1].toInt());
    const auto grabLater = [&window, target] {
        ShowAllSummaries(window);
        QTimer::singleShot(800, &window, [&window, target] {
            window.grab().save(target);
            // exit, not quit: quit would ask each schedule window whether to close.
            QCoreApplication::exit(0);
        });
    };
    QObject::connect(&window, &shiftex::MainWindow::startupFileHandled, &window, grabLater);
}

} // namespace

int main(int argc, char* argv[])
{
    // Loading or saving a year's schedule allocates and frees the properties of every day cell;
    // keeping freed heap memory in the process spares taking it back page by page next time.
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Shiftex"));
    QCoreApplication::setApplicationName(QStringLiteral("Shiftex"));
    QGuiApplication::setDesktopFileName(QStringLiteral("shiftex"));

    shiftex::MainWindow window;
    window.Startup();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.SetStartupFile(arguments.at(1));
    const QString screenshot = qEnvironmentVariable("SHIFTEX_SCREENSHOT");
    // The splash waits for a click or a few seconds; a screenshot run has no one to click.
    window.SetSplashEnabled(screenshot.isEmpty() &&
                            qEnvironmentVariable("SHIFTEX_NO_SPLASH") != QLatin1String("1"));
    if (!screenshot.isEmpty())
        ArrangeScreenshot(window, screenshot);
    if (qEnvironmentVariableIsSet("SHIFTEX_SCREENSHOT_SIZE")) {
        window.show();
    } else {
        // The whole screen even where no window manager maximises.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            window.setGeometry(screen->availableGeometry());
        window.showMaximized();
    }
    return app.exec();
}
