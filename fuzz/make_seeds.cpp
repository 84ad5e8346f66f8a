// Writes the seed inputs of the fuzz targets: small schedule files and schedule texts such as
// the program itself writes.  Usage: make_seeds FILE_SEEDS_DIR TEXT_SEEDS_DIR
#include "files/grid_cell_stream.h"
#include "files/schedule_file.h"
#include "files/schedule_text.h"
#include "files/text_io.h"
#include "setup/wizard_answers.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace shiftex;

namespace {

WizardAnswers Answers(int year, int month)
{
    WizardAnswers answers = WizardAnswers::Defaults(year, month);
    answers.employeeNames = {"Ann", "Bob"};
    answers.workingTypes = {
        WorkingType::Create("E", "early", "07H00", "15H00", "  H  ", "  H  ", 0),
        WorkingType::Create("N", "night", "22H00", "06H00", "  H  ", "  H  ", 2),
    };
    return answers;
}

bool Write(const fs::path& path, const std::string& bytes)
{
    if (const auto written = WriteFileAtomically(path, bytes); !written) {
        std::cerr << written.error().message << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_seeds FILE_SEEDS_DIR TEXT_SEEDS_DIR\n";
        return 2;
    }
    const fs::path fileSeeds = argv[1];
    const fs::path textSeeds = argv[2];
    fs::create_directories(fileSeeds);
    fs::create_directories(textSeeds);
    const fs::path programFolder = fs::temp_directory_path() / "shiftex-make-seeds";
    fs::remove_all(programFolder);
    fs::create_directories(programFolder);
    fs::copy(SHIFTEX_DATA_DIR, programFolder, fs::copy_options::recursive);

    std::vector<WizardAnswers> variants;
    variants.push_back(Answers(2004, 2));
    WizardAnswers queries = Answers(2003, 12);
    queries.regionName = "Belgium";
    queries.customQueryLines = {"Early", "E", "end this addition", "All", "E", "N",
                                "end this addition", "end all additions"};
    queries.queryThresholds = {{"Early", "clred", "1", "clblue", "2"},
                               {"All", "$00112233", "0", "clyellow", "3"}};
    queries.departmentNames = {"A", "B"};
    queries.departmentColours = {"$00CE8A8A", "clred", "clgreen"};
    variants.push_back(queries);

    bool ok = true;
    int n = 0;
    for (const WizardAnswers& answers : variants) {
        const std::vector<std::string> lines = BuildScheduleText(answers);
        ok = Write(textSeeds / ("wizard-" + std::to_string(n) + ".sxt"), JoinLines(lines)) && ok;
        SilentMessageSink messages;
        Result<ScheduleDocument> loaded = LoadScheduleText(lines, programFolder, messages);
        if (!loaded) {
            std::cerr << "a seed text does not load\n";
            return 1;
        }
        ScheduleDocument& document = *loaded;
        ok = Write(textSeeds / ("saved-" + std::to_string(n) + ".sxt"),
                   JoinLines(WriteScheduleText(document))) && ok;

        // Schedule files of one week, the smallest sheets the program writes.
        document.sheet.DeleteColumns(9, document.sheet.colCount() - 9);
        document.sheet.SetText(3, 3, "E");
        document.sheet.SetText(4, 4, "E\rN");
        document.sheet.SetComment(4, 3, "a note");
        document.sheet.SetBold(5, 3, true);
        document.sheet.SetBrushColor(0, 4, 0x00ABCDEF);
        document.employeeTypesPanelVisible = n == 0;
        document.customQueryPanel = {n == 1, 107, {{"Early", "clNone"}, {"All", "clred"}}};
        ok = Write(fileSeeds / ("week-" + std::to_string(n) + ".sxt"),
                   WriteGridCellStream(BuildScheduleImage(document))) && ok;
        if (!document.departments.empty()) {
            document.sheet.InsertRows(3, 1);
            document.sheet.fixedRows = 4;
            for (int c = 2; c < document.sheet.colCount(); ++c)
                document.sheet.SetText(c, 3, c % 2 ? "A" : "B");
            ok = Write(fileSeeds / "departments.sxt",
                       WriteGridCellStream(BuildScheduleImage(document))) && ok;
        }
        ++n;
    }

    // The smallest sheet of all: one day, no employees, no attributes.
    ScheduleDocument tiny = CreateDocument();
    tiny.sheet.Resize(3, 3);
    tiny.sheet.fixedRows = 3;
    tiny.sheet.fixedCols = 2;
    tiny.sheet.SetText(2, 0, "January 2004");
    tiny.sheet.SetText(2, 2, "1");
    tiny.weekendColour = "clyellow";
    tiny.holidayColour = "clred";
    tiny.workingTypes.Add(WorkingType::Create("D", "", "  H  ", "  H  ", "  H  ", "  H  ", -1));
    ok = Write(fileSeeds / "tiny.sxt", WriteGridCellStream(BuildScheduleImage(tiny))) && ok;

    fs::remove_all(programFolder);
    return ok ? 0 : 1;
}
