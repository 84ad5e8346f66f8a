#include "cli/cli_common.h"
#include "cli/json.h"
#include "files/text_io.h"
#include "setup/wizard_answers.h"

#include <chrono>
#include <climits>
#include <optional>
#include <iostream>

namespace shiftex::cli {

namespace {

// A field of the answers that is present but of the wrong shape.
struct BadField {
    std::string name;
};

using JsonValue = nlohmann::json;

const JsonValue* Find(const JsonValue& object, const char* name)
{
    const auto it = object.find(name);
    return it == object.end() ? nullptr : &*it;
}

// A number's whole part; nullopt for a non-number or one beyond what a long long holds.
std::optional<long long> WholeNumber(const JsonValue& value)
{
    if (!value.is_number())
        return std::nullopt;
    const double number = value.get<double>();
    if (!(number > -9.2e18 && number < 9.2e18))
        return std::nullopt;
    return static_cast<long long>(number);
}

void TakeText(const JsonValue& object, const char* name, std::string& target)
{
    const JsonValue* value = Find(object, name);
    if (!value)
        return;
    if (value->is_string())
        target = value->get<std::string>();
    else if (const std::optional<long long> number = WholeNumber(*value))
        target = std::to_string(*number);
    else
        throw BadField{name};
}

std::vector<std::string> Texts(const JsonValue& value, const std::string& name)
{
    if (!value.is_array())
        throw BadField{name};
    std::vector<std::string> texts;
    for (const JsonValue& item : value) {
        if (!item.is_string())
            throw BadField{name};
        texts.push_back(item.get<std::string>());
    }
    return texts;
}

void TakeTexts(const JsonValue& object, const char* name, std::vector<std::string>& target)
{
    if (const JsonValue* value = Find(object, name))
        target = Texts(*value, name);
}

} // namespace

WizardAnswers ReadWizardAnswers(const JsonValue& json)
{
    const auto now = std::chrono::system_clock::now();
    const std::chrono::year_month_day today{std::chrono::floor<std::chrono::days>(now)};
    WizardAnswers answers = WizardAnswers::Defaults(static_cast<int>(today.year()),
                                                    static_cast<int>(unsigned(today.month())));
    if (!json.is_object())
        throw BadField{"(answers must be an object)"};
    TakeText(json, "year", answers.year);
    TakeText(json, "month", answers.month);
    TakeText(json, "regionName", answers.regionName);
    TakeText(json, "templateFile", answers.templateFile);
    TakeTexts(json, "employeeNames", answers.employeeNames);
    TakeTexts(json, "customQueryLines", answers.customQueryLines);
    TakeText(json, "weekendColour", answers.weekendColour);
    TakeText(json, "holidayColour", answers.holidayColour);
    TakeText(json, "workingTypeFontColour", answers.workingTypeFontColour);
    TakeText(json, "gridFontName", answers.gridFontName);
    TakeTexts(json, "departmentNames", answers.departmentNames);
    TakeTexts(json, "departmentColours", answers.departmentColours);
    if (const JsonValue* types = Find(json, "workingTypes")) {
        if (!types->is_array())
            throw BadField{"workingTypes"};
        for (const JsonValue& item : *types) {
            WorkingType type;
            const JsonValue* icon = item.is_object() ? Find(item, "icon") : nullptr;
            const JsonValue* fields = item.is_object() ? Find(item, "fields") : nullptr;
            const std::optional<long long> iconIndex = icon ? WholeNumber(*icon) : std::nullopt;
            if (!iconIndex || *iconIndex < INT_MIN || *iconIndex > INT_MAX || !fields)
                throw BadField{"workingTypes"};
            type.iconIndex = static_cast<int>(*iconIndex);
            const std::vector<std::string> texts = Texts(*fields, "workingTypes");
            if (texts.size() != type.fields.size())
                throw BadField{"workingTypes (each needs 19 fields)"};
            std::copy(texts.begin(), texts.end(), type.fields.begin());
            answers.workingTypes.push_back(std::move(type));
        }
    }
    if (const JsonValue* thresholds = Find(json, "queryThresholds")) {
        if (!thresholds->is_array())
            throw BadField{"queryThresholds"};
        for (const JsonValue& item : *thresholds) {
            const std::vector<std::string> t = Texts(item, "queryThresholds");
            if (t.size() != 5)
                throw BadField{"queryThresholds (each needs 5 texts)"};
            answers.queryThresholds.push_back({t[0], t[1], t[2], t[3], t[4]});
        }
    }
    return answers;
}

int RunNew(const Options& options)
{
    if (options.arguments.size() != 1) {
        std::cerr << "usage: shiftex-cli new ANSWERS.json\n";
        return kExitUsage;
    }
    const std::optional<std::string> bytes = ReadFileBytes(options.arguments[0]);
    if (!bytes) {
        std::cerr << "Unable to find " << options.arguments[0] << ".\n";
        return kExitFileError;
    }
    const Result<JsonValue> json = ParseJson(*bytes);
    if (!json) {
        std::cerr << options.arguments[0] << ": not valid JSON: " << json.error().message << '\n';
        return kExitUsage;
    }
    try {
        std::cout << JoinLines(BuildScheduleText(ReadWizardAnswers(*json)));
    } catch (const BadField& bad) {
        std::cerr << options.arguments[0] << ": bad field " << bad.name << '\n';
        return kExitUsage;
    } catch (const ConversionError& conversion) {
        std::cerr << "error: " << conversion.what() << '\n';
        return kExitUsage;
    }
    return kExitOk;
}

} // namespace shiftex::cli
