#pragma once

#include "model/message_sink.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <memory>

class QLabel;
class QMdiArea;
class QProgressBar;
class QTimer;

namespace shiftex {

class ScheduleWindow;

// The multiple-document main window: one child window per open schedule.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads a schedule text file into a new schedule window; null when it could not be loaded
    // (the reason has been reported).
    ScheduleWindow* OpenScheduleText(const QString& path);
    // A file named at start, opened once at the first activation of this window.
    void SetStartupFile(const QString& path) { startupFile_ = path; }
    // Every message box goes through this sink; tests put a recording one in.
    void SetMessageSink(std::unique_ptr<MessageSink> sink);
    MessageSink& messages() const { return *messages_; }
    // Holiday templates are read below this folder (ends in "/").
    QString programFolder() const { return programFolder_; }
    void SetProgramFolder(const QString& folder) { programFolder_ = folder; }

    QMdiArea* mdiArea() const { return mdiArea_; }
    ScheduleWindow* activeScheduleWindow() const;
    QList<ScheduleWindow*> scheduleWindows() const;
    // The loading text and progress bar in the status bar.
    QLabel* loadingLabel() const { return loadingLabel_; }
    QProgressBar* loadingProgress() const { return loadingProgress_; }

signals:
    // After every open attempt of the start-up file, whether it loaded or not.
    void startupFileHandled(bool opened);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void openFromDialog();
    void clearLoadingStatus();

private:
    void createMenus();
    void openStartupFile();

    QMdiArea* mdiArea_;
    QLabel* loadingLabel_;
    QProgressBar* loadingProgress_;
    QTimer* loadingTimer_;
    std::unique_ptr<MessageSink> messages_;
    QString programFolder_;
    QString startupFile_;
    bool shownOnce_ = false;
};

} // namespace shiftex
