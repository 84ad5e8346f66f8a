#pragma once

#include "files/text_io.h"
#include "model/message_sink.h"
#include "model/settings_store.h"
#include "platform/program_folder.h"
#include "ui/main_window.h"

#include <QDir>
#include <QFile>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <memory>

#include <string>
#include <vector>

namespace shiftex::test {

// Records every message; questions get the answer the test sets.
class RecordingSink final : public MessageSink {
public:
    std::vector<std::string> informations;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    Answer answer = Answer::Cancel;

    void Information(const std::string& text) override { informations.push_back(text); }
    void Error(const std::string& text) override { errors.push_back(text); }
    Answer Question(const std::string& text, QuestionButtons) override
    {
        questions.push_back(text);
        return answer;
    }
};

// Writes the lines of a schedule text with their CR LF ends.
inline bool WriteLines(const QString& path, const std::vector<std::string>& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string text = JoinLines(lines);
    return file.write(text.data(), static_cast<qint64>(text.size())) ==
           static_cast<qint64>(text.size());
}

// A program folder of its own below `temp`: the executable's folder there holds no holidays, so
// the user's data folder is seeded from the shipped data, as for an installed program.
inline QString SeededProgramFolder(const QTemporaryDir& temp)
{
    QDir(temp.path()).mkpath(QStringLiteral("exe"));
    return ChooseProgramFolder(temp.filePath(QStringLiteral("exe")),
                               temp.filePath(QStringLiteral("data")),
                               QStringLiteral(SHIFTEX_SOURCE_DIR "/data"));
}

// A main window as the window tests use it: its messages into `sink`, its settings in memory,
// the program folder given, shown at `size`.
inline std::unique_ptr<MainWindow> TestMainWindow(std::unique_ptr<MessageSink> sink,
                                                  const QString& programFolder, QSize size)
{
    auto window = std::make_unique<MainWindow>();
    window->SetMessageSink(std::move(sink));
    window->SetSettingsStore(std::make_unique<MemorySettingsStore>());
    window->SetProgramFolder(programFolder);
    window->resize(size);
    window->show();
    return window;
}

} // namespace shiftex::test
