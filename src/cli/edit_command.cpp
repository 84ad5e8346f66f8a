#include "model/settings_store.h"
#include "cli/edit_commands.h"
#include "cli/options_script.h"
#include "cli/script.h"
#include "files/schedule_file.h"
#include "files/text_io.h"

#include <iostream>
#include <map>

namespace shiftex::cli {

std::optional<std::vector<std::string>> SplitScriptLine(std::string_view line, std::string& error)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    auto blank = [&](std::size_t at) { return line[at] == ' ' || line[at] == '\t'; };
    while (i < line.size()) {
        if (blank(i)) {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] != '"') {
            while (i < line.size() && !blank(i))
                word += line[i++];
            words.push_back(std::move(word));
            continue;
        }
        ++i;
        bool closed = false;
        while (i < line.size()) {
            const char ch = line[i++];
            if (ch == '"') {
                closed = true;
                break;
            }
            if (ch != '\\') {
                word += ch;
                continue;
            }
            if (i >= line.size())
                break;
            switch (line[i++]) {
            case '"': word += '"'; break;
            case '\\': word += '\\'; break;
            case 't': word += '\t'; break;
            case 'r': word += '\r'; break;
            case 'n': word += '\n'; break;
            default:
                error = "unknown escape \"\\" + std::string(1, line[i - 1]) + "\"";
                return std::nullopt;
            }
        }
        if (!closed) {
            error = "text without its closing double quote";
            return std::nullopt;
        }
        if (i < line.size() && !blank(i)) {
            error = "no blank after a quoted text";
            return std::nullopt;
        }
        words.push_back(std::move(word));
    }
    return words;
}

namespace {

class ScriptRunner {
public:
    ScriptRunner(ScheduleSession& session, StderrMessageSink& messages,
                 std::filesystem::path programFolder)
        : session_(session), messages_(messages), programFolder_(std::move(programFolder))
    {
    }

    // Runs one line's words; a ScriptError for what cannot be run.
    void Run(const std::vector<std::string>& words)
    {
        const std::string& command = words[0];
        const auto arguments = words.size() - 1;
        auto expect = [&](std::size_t count) {
            if (arguments != count)
                throw ScriptError{command + " takes " + std::to_string(count) + " argument" +
                                  (count == 1 ? "" : "s")};
        };
        if (command == "type") {
            expect(1);
            const int index = session_.document().workingTypes.IndexOfCode(words[1]);
            if (index < 0)
                throw ScriptError{"no working type \"" + words[1] + "\""};
            session_.sheetEdits().SelectWorkingType(index);
        } else if (command == "click") {
            expect(2);
            session_.sheetEdits().ClickCell(Column(words[1]), Row(words[2]));
        } else if (command == "cell") {
            expect(2);
            session_.selections().SetCurrentCell(Column(words[1]), Row(words[2]));
        } else if (command == "select") {
            expect(4);
            const CellRect rect{Column(words[1]), Row(words[2]), Column(words[3]), Row(words[4])};
            session_.selections().SetSelection(rect, true);
        } else if (command == "enter" || command == "delete") {
            expect(0);
            session_.sheetEdits().KeyDown(command == "enter" ? key::Enter : key::Delete);
        } else if (command == MenuCommandName(MenuCommand::Bold)) {
            expect(2);
            if (Offers(Column(words[1]), Row(words[2]), MenuCommand::Bold))
                session_.sheetEdits().ToggleBold();
        } else if (command == MenuCommandName(MenuCommand::Comment)) {
            expect(3);
            if (Offers(Column(words[1]), Row(words[2]), MenuCommand::Comment)) {
                session_.commentPanel().Open();
                session_.commentPanel().Apply(words[3]);
            }
        } else if (command == "undo" || command == "redo") {
            expect(0);
            command == "undo" ? session_.Undo() : session_.Redo();
        } else if (command == "show" || command == "hide") {
            expect(1);
            const SummaryKind kind = Summary(words[1], true);
            command == "show" ? session_.summaryPanels().Show(kind)
                              : session_.summaryPanels().Hide(kind);
        } else if (command == "lock") {
            expect(1);
            session_.summaryPanels().PressLock(Summary(words[1], false));
        } else if (command == "range") {
            expect(3);
            const SummaryKind kind = Summary(words[1], false);
            session_.summaryPanels().SelectRange(kind, DayColumn(words[2]), DayColumn(words[3]));
        } else if (command == "answer") {
            expect(1);
            messages_.SetAnswer(ParseAnswer(words[1]));
        } else if (!RunRangeCommand(command, words, expect)) {
            throw ScriptError{"unknown command \"" + command + "\""};
        }
    }

private:
    // The commands on ranges, the clipboard, the departments view and the sheet's shape.
    template <typename Expect>
    bool RunRangeCommand(const std::string& command, const std::vector<std::string>& words,
                         Expect&& expect)
    {
        static const std::map<std::string, bool (Selections::*)()> selections{
            {"select-month", &Selections::SelectMonth},
            {"select-week", &Selections::SelectWeek},
            {"select-day", &Selections::SelectDay},
            {"select-department", &Selections::SelectDepartment},
            {"select-employee", &Selections::SelectEmployee}};
        if (const auto it = selections.find(command); it != selections.end()) {
            expect(2);
            session_.selections().Remember(Column(words[1]), Row(words[2]));
            (session_.selections().*(it->second))();
        } else if (command == "select-all" || command == "unselect") {
            expect(0);
            command == "select-all" ? session_.selections().SelectAll()
                                    : session_.selections().Unselect();
        } else if (command == "headerclick") {
            expect(2);
            session_.selections().HeaderDoubleClick(Column(words[1]), Row(words[2]));
        } else if (command == "quick") {
            expect(4);
            Quick(words[1], words[2], words[3], words[4]);
        } else if (command == "copy" || command == "cut") {
            expect(0);
            if (command == "copy")
                session_.sheetEdits().CopyCells(clipboard_);
            else
                session_.sheetEdits().CutCells(clipboard_);
        } else if (command == "paste") {
            if (words.size() > 2)
                throw ScriptError{"paste takes 0 or 1 arguments"};
            if (words.size() == 2)
                clipboard_.SetText(words[1]);
            session_.sheetEdits().PasteCells(clipboard_);
        } else if (command == "show-departments" || command == "hide-departments") {
            expect(0);
            if (command == "show-departments")
                session_.structuralEdits().ShowDepartments();
            else
                session_.structuralEdits().HideDepartments();
        } else if (command == "remove-employee") {
            expect(1);
            session_.selections().Remember(1, Row(words[1]));
            session_.structuralEdits().RemoveEmployee();
        } else if (command == "remove-week" || command == "remove-month" ||
                   command == "keep-week") {
            expect(1);
            const int column = DayColumn(words[1]);
            session_.selections().Remember(column, command == "remove-month" ? 0 : 1);
            if (command == "remove-week")
                session_.structuralEdits().RemoveWeek();
            else if (command == "remove-month")
                session_.structuralEdits().RemoveMonth();
            else
                session_.structuralEdits().KeepOnlyWeek();
        } else if (command == "extend-month" || command == "extend-week") {
            expect(0);
            if (command == "extend-month")
                session_.structuralEdits().ExtendByMonth(programFolder_);
            else
                session_.structuralEdits().ExtendByWeek(programFolder_);
        } else if (command == "move-row") {
            expect(2);
            session_.structuralEdits().MoveEmployeeRow(Row(words[1]), Row(words[2]));
        } else {
            return false;
        }
        return true;
    }

    // The four choices of the quick insert panel as their entry texts, then its button. A list
    // the panel has disabled keeps its choice and ignores the text given for it.
    void Quick(const std::string& scope, const std::string& employee,
               const std::string& groupColour, const std::string& department)
    {
        const ScheduleDocument& document = session_.document();
        QuickInsertPanel& panel = session_.sheetEdits().quickInsertPanel();
        const int scopeIndex = panel.scope.Find(scope);
        if (scopeIndex < 0)
            throw ScriptError{"no scope \"" + scope + "\""};
        panel.DropDownEmployees(document);
        const int employeeIndex = panel.employee.Find(employee);
        if (employeeIndex < 0)
            throw ScriptError{"no employee \"" + employee + "\""};
        panel.ChooseScope(scopeIndex, document);
        panel.ChooseEmployee(employeeIndex, document);
        if (panel.groupColour.enabled) {
            Colour colour = clNone;
            if (groupColour.empty())
                panel.ChooseGroupColour(0);
            else if (!TryStringToColor(groupColour, colour) ||
                     !panel.ChooseGroupColourValue(colour, document))
                throw ScriptError{"no group colour \"" + groupColour + "\""};
        }
        if (panel.department.enabled) {
            panel.DropDownDepartments(document);
            const int index = panel.department.Find(department);
            if (index < 0)
                throw ScriptError{"no department \"" + department + "\""};
            panel.ChooseDepartment(index);
        }
        session_.sheetEdits().QuickInsert();
    }

    int Number(const std::string& text, int limit, const char* what) const
    {
        int value = 0;
        if (!TryParseInt(text, value) || value < 0 || value >= limit)
            throw ScriptError{"\"" + text + "\" is no " + what + " of the sheet"};
        return value;
    }
    int Column(const std::string& text) const
    {
        return Number(text, session_.document().sheet.colCount(), "column");
    }
    int Row(const std::string& text) const
    {
        return Number(text, session_.document().sheet.rowCount(), "row");
    }
    int DayColumn(const std::string& text) const
    {
        const int column = Column(text);
        if (column < 2)
            throw ScriptError{"\"" + text + "\" is no day column"};
        return column;
    }
    SummaryKind Summary(const std::string& name, bool all) const
    {
        if (name == "hours")
            return SummaryKind::WorkedHours;
        if (name == "employees")
            return SummaryKind::EmployeesPerType;
        if (all && name == "types")
            return SummaryKind::TypesPerDay;
        if (all && name == "queries")
            return SummaryKind::CustomQuery;
        throw ScriptError{"\"" + name + "\" is no summary here"};
    }
    // Whether a right click on the cell offers the item: otherwise the command does nothing.
    bool Offers(int col, int row, MenuCommand command)
    {
        const auto items = session_.ContextMenu(col, row);
        if (!items)
            return false;
        for (const MenuItem& item : *items)
            if (item.command == command)
                return item.enabled;
        return false;
    }

    ScheduleSession& session_;
    StderrMessageSink& messages_;
    std::filesystem::path programFolder_;
    MemoryClipboard clipboard_;
};

int EditUsage()
{
    std::cerr << "usage: shiftex-cli edit IN SCRIPT OUT [--summary]\n";
    return kExitUsage;
}

} // namespace

int RunEdit(const Options& options)
{
    std::vector<std::string> args = options.arguments;
    bool summary = false;
    std::erase_if(args, [&](const std::string& arg) {
        if (arg != "--summary")
            return false;
        summary = true;
        return true;
    });
    if (args.size() != 3)
        return EditUsage();
    const std::string& scriptPath = args[1];

    StderrMessageSink messages;
    auto loaded = LoadOrReport(args[0], options, messages);
    if (!loaded)
        return kExitFileError;
    const std::optional<std::string> script = ReadFileBytes(scriptPath);
    if (!script) {
        std::cerr << "Unable to find " << scriptPath << ".\n";
        return kExitFileError;
    }
    MemorySettingsStore memory;
    SettingsStore& settings = options.settings ? *options.settings : memory;
    ScheduleSession session(std::move(*loaded), messages, &settings);
    session.summaryPanels().ShowRecorded();
    ScriptRunner runner(session, messages, options.programFolder);
    OptionsScript dialog(session, messages, settings, options.programFolder);
    const auto run = [&](const std::vector<std::string>& words) {
        if (!dialog.Run(words))
            runner.Run(words);
        return dialog.scheduleClosed();
    };
    if (!RunScriptLines("edit", scriptPath, *script, run))
        return kExitUsage;
    // There is no leaving the dialog without applying it.
    if (dialog.open())
        dialog.Close();
    if (dialog.scheduleClosed()) {
        std::cerr << "The schedule was closed: nothing is written.\n";
        return kExitFileError;
    }
    if (const Result<void> saved = SaveSchedule(session.document(), args[2]); !saved) {
        std::cerr << saved.error().message << '\n';
        return kExitFileError;
    }
    if (summary) {
        for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                                 SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
            if (!session.summaries().IsShown(kind) && !session.summaryPanels().Show(kind))
                return kExitFileError;
        std::cout << SummaryJson(session) << '\n';
    }
    return kExitOk;
}

} // namespace shiftex::cli
