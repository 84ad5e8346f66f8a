#include "cli/cli_common.h"
#include "cli/json.h"
#include "files/text_io.h"
#include "setup/wizard_answers.h"

#include <chrono>
#include <iostream>

namespace shiftex::cli {

namespace {

// A field of the answers that is present but of the wrong shape.
struct BadField {
    std::string name;
};

void TakeText(const JsonValue& object, const char* name, std::string& target)
{
    const JsonValue* value = object.Find(name);
    if (!value)
        return;
    if (const std::string* text = value->AsString())
        target = *text;
    else if (value->IsNumber())
        target = std::to_string(static_cast<long long>(std::get<double>(value->data)));
    else
        throw BadField{name};
}

std::vector<std::string> Texts(const JsonValue& value, const std::string& name)
{
    const JsonValue::Array* array = value.AsArray();
    if (!array)
        throw BadField{name};
    std::vector<std::string> texts;
    for (const JsonValue& item : *array) {
        const std::string* text = item.AsString();
        if (!text)
            throw BadField{name};
        texts.push_back(*text);
    }
    return texts;
}

void TakeTexts(const JsonValue& object, const char* name, std::vector<std::string>& target)
{
    if (const JsonValue* value = object.Find(name))
        target = Texts(*value, name);
}

WizardAnswers ReadAnswers(const JsonValue& json)
{
    const auto now = std::chrono::system_clock::now();
    const std::chrono::year_month_day today{std::chrono::floor<std::chrono::days>(now)};
    WizardAnswers answers = WizardAnswers::Defaults(static_cast<int>(today.year()),
                                                    static_cast<int>(unsigned(today.month())));
    if (!json.AsObject())
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
    if (const JsonValue* types = json.Find("workingTypes")) {
        const JsonValue::Array* array = types->AsArray();
        if (!array)
            throw BadField{"workingTypes"};
        for (const JsonValue& item : *array) {
            WorkingType type;
            const JsonValue* icon = item.Find("icon");
            const JsonValue* fields = item.Find("fields");
            if (!icon || !icon->IsNumber() || !fields)
                throw BadField{"workingTypes"};
            type.iconIndex = static_cast<int>(std::get<double>(icon->data));
            const std::vector<std::string> texts = Texts(*fields, "workingTypes");
            if (texts.size() != type.fields.size())
                throw BadField{"workingTypes (each needs 19 fields)"};
            std::copy(texts.begin(), texts.end(), type.fields.begin());
            answers.workingTypes.push_back(std::move(type));
        }
    }
    if (const JsonValue* thresholds = json.Find("queryThresholds")) {
        const JsonValue::Array* array = thresholds->AsArray();
        if (!array)
            throw BadField{"queryThresholds"};
        for (const JsonValue& item : *array) {
            const std::vector<std::string> t = Texts(item, "queryThresholds");
            if (t.size() != 5)
                throw BadField{"queryThresholds (each needs 5 texts)"};
            answers.queryThresholds.push_back({t[0], t[1], t[2], t[3], t[4]});
        }
    }
    return answers;
}

} // namespace

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
    std::string error;
    const std::optional<JsonValue> json = ParseJson(*bytes, error);
    if (!json) {
        std::cerr << options.arguments[0] << ": not valid JSON: " << error << '\n';
        return kExitUsage;
    }
    try {
        std::cout << JoinLines(BuildScheduleText(ReadAnswers(*json)));
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
