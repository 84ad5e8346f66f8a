#include "cli/cli_common.h"
#include "cli/json.h"

#include <iostream>

namespace shiftex::cli {

namespace {

void WriteCell(JsonWriter& json, const ScheduleSheet& sheet, int col, int row)
{
    const SheetCell& cell = sheet.Cell(col, row);
    json.BeginObject().Key("col").Value(col).Key("row").Value(row).Key("text").Value(cell.text);
    if (const CellProperties* p = cell.props.get()) {
        if (p->brushColor != clNone)
            json.Key("brushColor").Value(ColorToString(p->brushColor));
        if (p->fontColor != clNone)
            json.Key("fontColor").Value(ColorToString(p->fontColor));
        if (p->fontStyle & fontstyle::Bold)
            json.Key("bold").Value(true);
        json.Key("alignment").Value(AlignmentName(p->alignment));
        if (p->merged())
            json.Key("spanX").Value(p->spanX).Key("spanY").Value(p->spanY)
                .Key("isBaseCell").Value(p->isBaseCell);
        if (p->graphic && p->graphic->kind == GraphicKind::Comment)
            json.Key("comment").Value(p->graphic->text);
        if (p->graphic && p->graphic->kind == GraphicKind::Button)
            json.Key("button").Value(p->graphic->text);
    }
    json.EndObject();
}

} // namespace

std::string DocumentJson(const ScheduleDocument& document)
{
    const ScheduleSheet& sheet = document.sheet;
    JsonWriter json;
    json.BeginObject();
    json.Key("monthTitle").Value(document.monthTitle);
    json.Key("colCount").Value(sheet.colCount()).Key("rowCount").Value(sheet.rowCount());
    json.Key("fixedRows").Value(sheet.fixedRows).Key("fixedCols").Value(sheet.fixedCols);
    json.Key("colWidths").Ints(sheet.ColWidths()).Key("rowHeights").Ints(sheet.RowHeights());
    json.Key("cells").BeginArray();
    for (int c = 0; c < sheet.colCount(); ++c)
        for (int r = 0; r < sheet.rowCount(); ++r)
            if (!sheet.Text(c, r).empty() || sheet.PropsIfAny(c, r))
                WriteCell(json, sheet, c, r);
    json.EndArray();
    json.Key("workingTypes").BeginArray();
    for (int i = 1; i < document.workingTypes.Count(); ++i) {
        const WorkingType& type = document.workingTypes.At(i);
        json.BeginObject().Key("icon").Value(type.iconIndex).Key("fields").BeginArray();
        for (const std::string& f : type.fields)
            json.Value(f);
        json.EndArray().EndObject();
    }
    json.EndArray();
    json.Key("typeCodes").Strings(document.typeCodes);
    json.Key("weekendColour").Value(document.weekendColour);
    json.Key("weekendDays").Strings(document.weekendDays);
    json.Key("holidayColour").Value(document.holidayColour);
    json.Key("holidayDays").Strings(document.holidayDays);
    json.Key("holidayNames").Strings(document.holidayNames);
    json.Key("holidayLines").Strings(document.holidayLines);
    json.Key("customQueryLines").Strings(document.customQueryLines);
    json.Key("customQueryNames").Strings(document.customQueryNames);
    json.Key("queryThresholds").BeginArray();
    for (const ColorThreshold& t : document.queryThresholds)
        json.Strings({t.name, t.minColour, t.minCount, t.maxColour, t.maxCount});
    json.EndArray();
    json.Key("departments").BeginArray();
    for (const Department& d : document.departments)
        json.BeginObject().Key("name").Value(d.name).Key("colour").Value(d.colour).EndObject();
    json.EndArray();
    json.Key("mainDepartmentColour").Value(document.mainDepartmentColour);
    json.Key("fontName").Value(document.fontName);
    json.Key("fontColour").Value(document.fontColour);
    const CustomQueryPanel& panel = document.customQueryPanel;
    json.Key("panels").BeginObject();
    json.Key("customQuery").BeginObject().Key("visible").Value(panel.visible);
    json.Key("height").Value(panel.height).Key("rows").BeginArray();
    for (const CustomQueryRow& row : panel.rows)
        json.Strings({row.queryName, row.groupColour});
    json.EndArray().EndObject();
    json.Key("employeesPerType").Value(document.employeeTypesPanelVisible);
    json.Key("typesPerDay").Value(document.typesDaysPanelVisible);
    json.Key("workedHours").Value(document.workedHoursPanelVisible);
    json.EndObject();
    json.Key("modified").Value(document.modified);
    json.EndObject();
    return json.str();
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
