#include "app/recent_files.h"
#include "editing/schedule_closing.h"
#include "files/text_io.h"
#include "model/settings_store.h"
#include "platform/program_folder.h"
#include "ui/main_window.h"
#include "ui/schedule_window.h"

#include "ui_test_support.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace shiftex;

namespace {

class RecordingSink final : public MessageSink {
public:
    std::vector<std::string> informations;
    std::vector<std::string> errors;

    void Information(const std::string& text) override { informations.push_back(text); }
    void Error(const std::string& text) override { errors.push_back(text); }
    // Closing a schedule window asks first; the user agrees to that and to nothing else.
    Answer Question(const std::string& text, QuestionButtons) override
    {
        const bool close = text == kCloseQuestion || text == kCloseUnsavedQuestion;
        return close ? Answer::Ok : Answer::Cancel;
    }
};

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveFollowsTheActiveDocument();
    void saveAsWritesAScheduleFileAndRemembersIt();
    void aFailedSaveKeepsFileAndModifiedMark();
    void openingTwiceAndDropping();
    void theStartupFileOpensOnce();
    void aStartupPathThatIsNoFileIsPassedOver();

private:
    QString CopyOfExample(const QString& name);

    QTemporaryDir temp_;
    QString programFolder_;
    std::unique_ptr<MainWindow> window_;
    RecordingSink* sink_ = nullptr;
};

void FileCommandsTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(temp_.isValid());
    programFolder_ = test::SeededProgramFolder(temp_);
}

void FileCommandsTest::init()
{
    auto sink = std::make_unique<RecordingSink>();
    sink_ = sink.get();
    window_ = test::TestMainWindow(std::move(sink), programFolder_, QSize(1024, 700));
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void FileCommandsTest::cleanup()
{
    window_.reset();
    sink_ = nullptr;
}

QString FileCommandsTest::CopyOfExample(const QString& name)
{
    const QString path = temp_.filePath(name);
    QFile::remove(path);
    QFile::copy(QStringLiteral(SHIFTEX_SOURCE_DIR "/tests/data/ward.sxt"), path);
    return path;
}

void FileCommandsTest::saveFollowsTheActiveDocument()
{
    ScheduleWindow* first = window_->OpenScheduleFile(CopyOfExample(QStringLiteral("a.sxt")));
    QVERIFY(first != nullptr);
    QVERIFY(!window_->saveAction()->isEnabled());
    first->session().document().MarkModified();
    QVERIFY(window_->saveAction()->isEnabled());

    ScheduleWindow* second = window_->OpenScheduleFile(CopyOfExample(QStringLiteral("b.sxt")));
    QVERIFY(second != nullptr);
    QCOMPARE(window_->activeScheduleWindow(), second);
    QVERIFY(!window_->saveAction()->isEnabled());
    window_->mdiArea()->setActiveSubWindow(
        qobject_cast<QMdiSubWindow*>(first->parentWidget()));
    QVERIFY(window_->saveAction()->isEnabled());

    // Save writes the document's own file in the schedule file form and clears the mark.
    QVERIFY(window_->SaveActive());
    QVERIFY(!window_->saveAction()->isEnabled());
    QVERIFY(!first->document().modified);
    const std::optional<std::string> bytes = ReadFileBytes(temp_.filePath("a.sxt").toStdString());
    QVERIFY(bytes && bytes->starts_with("TPF0"));
    QVERIFY(sink_->errors.empty());
}

void FileCommandsTest::saveAsWritesAScheduleFileAndRemembersIt()
{
    ScheduleWindow* window = window_->OpenScheduleFile(CopyOfExample(QStringLiteral("c.sxt")));
    QVERIFY(window != nullptr);
    window->session().document().sheet.SetText(3, 4, "N");
    window->session().document().MarkModified();
    const QString target = temp_.filePath(QStringLiteral("saved.SXT"));
    window_->SetSaveFileChooser([target] { return target; });
    QVERIFY(window_->SaveActiveAs());
    QCOMPARE(QString::fromStdString(window->document().filePath), target);
    QCOMPARE(QString::fromStdString(window->document().title), target);
    QVERIFY(!window->document().modified);

    // The saved file opens again with the edit, and the Reopen menu lists it first.
    window_->mdiArea()->closeAllSubWindows();
    QCoreApplication::processEvents();
    ScheduleWindow* reopened = window_->OpenScheduleFile(target);
    QVERIFY(reopened != nullptr);
    QCOMPARE(QString::fromStdString(reopened->document().sheet.Text(3, 4)), QStringLiteral("N"));
    window_->RefreshRecentMenu();
    const QList<QAction*> entries = window_->reopenMenu()->actions();
    QCOMPARE(entries.size(), kRecentFileCount);
    QCOMPARE(entries[0]->text(), target);
    QVERIFY(entries[0]->isVisible());
    QCOMPARE(entries[1]->text(), temp_.filePath(QStringLiteral("c.sxt")));
    QVERIFY(!entries[2]->isVisible());
}

void FileCommandsTest::aFailedSaveKeepsFileAndModifiedMark()
{
    ScheduleWindow* window = window_->OpenScheduleFile(CopyOfExample(QStringLiteral("d.sxt")));
    QVERIFY(window != nullptr);
    window->session().document().MarkModified();
    // A folder stands where the file should go: nothing can be written there, even as root.
    const QString folder = temp_.filePath(QStringLiteral("folder.sxt"));
    QVERIFY(QDir().mkpath(folder));
    window_->SetSaveFileChooser([folder] { return folder; });
    QVERIFY(!window_->SaveActiveAs());
    QCOMPARE(sink_->errors.size(), std::size_t{1});
    QVERIFY(window->document().modified);
    QVERIFY(window_->saveAction()->isEnabled());
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QString::fromStdString(window->document().filePath), temp_.filePath("d.sxt"));

    // Cancelling the dialog writes nothing and reports nothing.
    window_->SetSaveFileChooser([] { return QString(); });
    QVERIFY(!window_->SaveActiveAs());
    QCOMPARE(sink_->errors.size(), std::size_t{1});
}

void FileCommandsTest::openingTwiceAndDropping()
{
    const QString path = CopyOfExample(QStringLiteral("e.sxt"));
    QVERIFY(window_->OpenScheduleFile(path) != nullptr);
    QVERIFY(window_->OpenScheduleFile(path) == nullptr);
    QCOMPARE(sink_->informations, std::vector<std::string>{"This file is allready open."});
    QCOMPARE(window_->scheduleWindows().size(), 1);

    QVERIFY(window_->acceptDrops());
    QVERIFY(window_->OpenDroppedFiles({QUrl(QStringLiteral("https://example.org/x.sxt")),
                                       QUrl::fromLocalFile(CopyOfExample("f.sxt")),
                                       QUrl::fromLocalFile(CopyOfExample("g.sxt"))}));
    // Only the first of several dropped files opens.
    QCOMPARE(window_->scheduleWindows().size(), 2);
    QCOMPARE(QString::fromStdString(window_->activeScheduleWindow()->document().filePath),
             temp_.filePath(QStringLiteral("f.sxt")));
}

void FileCommandsTest::theStartupFileOpensOnce()
{
    MainWindow window;
    window.SetMessageSink(std::make_unique<RecordingSink>());
    window.SetSettingsStore(std::make_unique<MemorySettingsStore>());
    window.SetProgramFolder(programFolder_);
    window.SetStartupFile(CopyOfExample(QStringLiteral("h.sxt")));
    QSignalSpy handled(&window, &MainWindow::startupFileHandled);
    window.show();
    QVERIFY(handled.wait(5000));
    QCOMPARE(window.scheduleWindows().size(), 1);
    window.hide();
    window.show();
    QCoreApplication::processEvents();
    QCOMPARE(handled.size(), 1);
    QCOMPARE(window.scheduleWindows().size(), 1);
}

void FileCommandsTest::aStartupPathThatIsNoFileIsPassedOver()
{
    for (const QString& path : {temp_.path(), temp_.filePath(QStringLiteral("gone.sxt"))}) {
        MainWindow window;
        auto sink = std::make_unique<RecordingSink>();
        const RecordingSink* messages = sink.get();
        window.SetMessageSink(std::move(sink));
        window.SetSettingsStore(std::make_unique<MemorySettingsStore>());
        window.SetProgramFolder(programFolder_);
        window.SetStartupFile(path);
        QSignalSpy handled(&window, &MainWindow::startupFileHandled);
        window.show();
        QVERIFY(handled.wait(5000));
        QCOMPARE(handled.first().first().toBool(), false);
        QVERIFY(window.scheduleWindows().empty());
        QCOMPARE(messages->errors, std::vector<std::string>{});
    }
}

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
