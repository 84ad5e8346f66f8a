// The wizard's template importers on arbitrary bytes, chosen by the first line as the template
// page chooses: a schedule text, or a schedule file with its preview. Whatever imports must give
// one colour row per custom query and build a schedule text.
#include "files/schedule_file.h"
#include "files/template_import.h"
#include "setup/wizard_answers.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace shiftex;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<ScheduleSheet> preview;
    Result<TemplateSettings> settings = ImportTemplateBytes(bytes, preview);
    if (!settings)
        return 0;
    if (settings->queryThresholds.size() !=
        CustomQueryNamesOf(settings->customQueryLines).size())
        __builtin_trap();  // a query without its colours, or colours without a query
    WizardAnswers answers = WizardAnswers::Defaults(2004, 2);
    answers.employeeNames = std::move(settings->employeeNames);
    answers.workingTypes = std::move(settings->workingTypes);
    answers.customQueryLines = std::move(settings->customQueryLines);
    answers.queryThresholds = std::move(settings->queryThresholds);
    if (settings->hasDepartments) {
        answers.departmentNames = std::move(settings->departmentNames);
        answers.departmentColours = std::move(settings->departmentColours);
    }
    if (BuildScheduleText(answers).front() != "ShiftexV4.2")
        __builtin_trap();
    return 0;
}
