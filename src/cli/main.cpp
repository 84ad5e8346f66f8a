#include "cli/cli_common.h"
#include "cli/edit_commands.h"
#include "platform/qt_settings_store.h"
#ifdef SHIFTEX_CLI_REPORTS
#include "cli/reports/report_commands.h"
#endif

#include <QFile>
#include <QString>

#include <cstring>
#include <iostream>
#include <map>
#include <new>

using namespace shiftex::cli;

namespace {

void Usage()
{
    std::cerr << "usage: shiftex-cli [--program-folder DIR] [--settings-folder DIR] COMMAND "
                 "ARGS...\n"
                 "commands:\n"
                 "  dump FILE          print the schedule FILE as JSON\n"
                 "  new ANSWERS.json   print the schedule text the wizard builds\n"
                 "  convert IN OUT     save the schedule IN (either form) as a schedule file\n"
                 "  summary FILE       print the four summaries of FILE as JSON\n"
                 "  edit IN SCRIPT OUT run the editing commands of SCRIPT on IN, save as OUT\n"
                 "  wizard SCRIPT OUT  run the new-schedule wizard through SCRIPT, save as OUT\n"
                 "  check FILE         the working-time warnings of FILE as JSON\n";
#ifdef SHIFTEX_CLI_REPORTS
    std::cerr << ReportCommandsUsage();
#endif
}

} // namespace

int main(int argc, char** argv)
{
    using Command = int (*)(const Options&);
    std::map<std::string, Command> commands{
        {"dump", RunDump}, {"new", RunNew}, {"convert", RunConvert},
        {"summary", RunSummary}, {"edit", RunEdit}, {"wizard", RunWizard},
        {"check", RunCheck}};
#ifdef SHIFTEX_CLI_REPORTS
    AddReportCommands(commands);
#endif
    Options options;
    std::string command;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--program-folder" || arg == "--settings-folder") {
            if (i + 1 >= argc) {
                Usage();
                return kExitUsage;
            }
            (arg == "--program-folder" ? options.programFolder : options.settingsFolder) =
                argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            Usage();
            return kExitOk;
        } else if (command.empty()) {
            command = arg;
        } else {
            options.arguments.push_back(arg);
        }
    }
    const auto it = commands.find(command);
    if (it == commands.end()) {
        if (!command.empty())
            std::cerr << "shiftex-cli: unknown command \"" << command << "\"\n";
        Usage();
        return kExitUsage;
    }
    if (options.programFolder.empty())
        options.programFolder = DefaultProgramFolder();
    // The same two files the window reads, unless another folder is named.
    shiftex::QtSettingsStore settings(
        QFile::decodeName(options.settingsFolder.string().c_str()));
    options.settings = &settings;
    try {
        return it->second(options);
    } catch (const std::bad_alloc&) {
        // Whatever the command was doing: a message and the file-error status, never an abort.
        std::cerr << "shiftex-cli: there is not enough memory for \"" << command << "\".\n";
        return kExitFileError;
    }
}
