#include "cli/cli_common.h"
#include "cli/json.h"

#include <iostream>

namespace shiftex::cli {

Json CellJson(const ScheduleSheet& sheet, int col, int row)
{
    const SheetCell& cell = sheet.Cell(col, row);
    Json json = {{"col", col}, {"row", row}, {"text", cell.text}};
    if (const CellProperties* p = cell.props.get()) {
        if (p->brushColor != clNone)
            json["brushColor"] = ColorToString(p->brushColor);
        if (p->fontColor != clNone)
            json["fontColor"] = ColorToString(p->fontColor);
        if (p->fontStyle & fontstyle::Bold)
            json["bold"] = true;
        json["alignment"] = AlignmentName(p->alignment);
        if (p->merged()) {
            json["spanX"] = p->spanX;
            json["spanY"] = p->spanY;
            json["isBaseCell"] = p->isBaseCell;
        }
        if (p->graphic && p->graphic->kind == GraphicKind::Comment)
            json["comment"] = p->graphic->text;
        if (p->graphic && p->graphic->kind == GraphicKind::Button)
            json["button"] = p->graphic->text;
    }
    return json;
}

std::string DocumentJson(const ScheduleDocument& document)
{
    const ScheduleSheet& sheet = document.sheet;
    Json json;
    json["monthTitle"] = document.monthTitle;
    json["colCount"] = sheet.colCount();
    json["rowCount"] = sheet.rowCount();
    json["fixedRows"] = sheet.fixedRows;
    json["fixedCols"] = sheet.fixedCols;
    json["colWidths"] = sheet.ColWidths();
    json["rowHeights"] = sheet.RowHeights();
    Json& cells = json["cells"] = Json::array();
    for (int c = 0; c < sheet.colCount(); ++c)
        for (int r = 0; r < sheet.rowCount(); ++r)
            if (!sheet.Text(c, r).empty() || sheet.PropsIfAny(c, r))
                cells.push_back(CellJson(sheet, c, r));
    Json& types = json["workingTypes"] = Json::array();
    for (int i = 1; i < document.workingTypes.Count(); ++i) {
        const WorkingType& type = document.workingTypes.At(i);
        types.push_back({{"icon", type.iconIndex}, {"fields", type.fields}});
    }
    json["typeCodes"] = document.typeCodes;
    json["weekendColour"] = document.weekendColour;
    json["weekendDays"] = document.weekendDays;
    json["holidayColour"] = document.holidayColour;
    json["holidayDays"] = document.holidayDays;
    json["holidayNames"] = document.holidayNames;
    json["holidayLines"] = document.holidayLines;
    json["customQueryLines"] = document.customQueryLines;
    json["customQueryNames"] = document.customQueryNames;
    Json& thresholds = json["queryThresholds"] = Json::array();
    for (const ColorThreshold& t : document.queryThresholds)
        thresholds.push_back({t.name, t.minColour, t.minCount, t.maxColour, t.maxCount});
    Json& departments = json["departments"] = Json::array();
    for (const Department& d : document.departments)
        departments.push_back({{"name", d.name}, {"colour", d.colour}});
    json["mainDepartmentColour"] = document.mainDepartmentColour;
    json["fontName"] = document.fontName;
    json["fontColour"] = document.fontColour;
    const CustomQueryPanel& panel = document.customQueryPanel;
    Json rows = Json::array();
    for (const CustomQueryRow& row : panel.rows)
        rows.push_back({row.queryName, row.groupColour});
    json["panels"] = {
        {"customQuery", {{"visible", panel.visible}, {"height", panel.height}, {"rows", rows}}},
        {"employeesPerType", document.employeeTypesPanelVisible},
        {"typesPerDay", document.typesDaysPanelVisible},
        {"workedHours", document.workedHoursPanelVisible}};
    json["modified"] = document.modified;
    return JsonText(json);
}

int RunDump(const Options& options)
{
    if (options.arguments.size() != 1) {
        std::cerr << "usage: shiftex-cli dump FILE\n";
        return kExitUsage;
    }
    StderrMessageSink messages;
    auto document = LoadOrReport(options.arguments[0], options, messages);
    if (!document)
        return kExitFileError;
    std::cout << DocumentJson(*document) << '\n';
    return kExitOk;
}

} // namespace shiftex::cli
