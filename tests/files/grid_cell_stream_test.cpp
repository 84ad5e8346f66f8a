#include "files/grid_cell_stream.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace shiftex {
namespace {

// --- building expected bytes by hand ---

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string out;
    for (const int b : bytes)
        out += static_cast<char>(b);
    return out;
}
// A length byte and the text.
std::string Short(std::string_view s)
{
    return static_cast<char>(s.size()) + std::string(s);
}
std::string Begin(std::string_view className)
{
    return "TPF0" + Short(className) + Bytes({0});
}
const std::string kEnd = Bytes({0, 0});

std::string Int8(int v) { return Bytes({0x02, v & 0xFF}); }
std::string Int16(int v) { return Bytes({0x03, v & 0xFF, (v >> 8) & 0xFF}); }
std::string Int32(std::uint32_t v)
{
    return Bytes({0x04, int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF),
                  int(v >> 24)});
}
std::string Str(std::string_view s) { return Bytes({0x06}) + Short(s); }
std::string Ident(std::string_view s) { return Bytes({0x07}) + Short(s); }
const std::string kFalse = Bytes({0x08});
const std::string kTrue = Bytes({0x09});
std::string Prop(std::string_view name, const std::string& value) { return Short(name) + value; }

std::string GridRecord(int cols, int rows, std::string_view widths, std::string_view heights)
{
    return Begin("TGridPropIO") + Prop("ColCount", Int8(cols)) + Prop("RowCount", Int8(rows)) +
           Prop("ColWidths", Str(widths)) + Prop("RowHeights", Str(heights)) +
           Prop("FullGrid", kTrue) + Prop("ID", Int8(0)) + kEnd;
}

// Every property of a properties record with the values a fresh CellProperties has.
std::string DefaultProps(int ownerCol, int ownerRow, const std::string& tail = {})
{
    return Prop("CellProperties.IsBaseCell", kTrue) + Prop("CellProperties.CellSpanX", Int8(-1)) +
           Prop("CellProperties.CellSpanY", Int8(-1)) +
           Prop("CellProperties.OwnerCol", Int8(ownerCol)) +
           Prop("CellProperties.OwnerRow", Int8(ownerRow)) +
           Prop("CellProperties.Alignment", Ident("taLeftJustify")) +
           Prop("CellProperties.BorderColor", Ident("clNone")) +
           Prop("CellProperties.BorderWidth", Int8(0)) +
           Prop("CellProperties.BrushColor", Ident("clNone")) +
           Prop("CellProperties.BrushStyle", Ident("bsSolid")) +
           Prop("CellProperties.FontColor", Ident("clNone")) +
           Prop("CellProperties.FontSize", Int8(0)) +
           Prop("CellProperties.FontStyle", Bytes({0x0B, 0})) +
           Prop("CellProperties.Editor", Ident("edNormal")) +
           Prop("CellProperties.ReadOnly", kFalse) +
           Prop("CellProperties.VAlignment", Ident("vtaTop")) +
           Prop("CellProperties.WordWrap", kFalse) + Prop("CellProperties.NodeLevel", Int8(0)) +
           tail;
}

std::string ReadError(ScheduleSheet& sheet, const std::string& bytes)
{
    const auto result = ReadGridCellStream(sheet, bytes);
    return result ? std::string("ok") : result.error().message;
}

// --- writer ---

TEST(GridCellStreamTest, WritesTheRecordsByteForByte)
{
    ScheduleSheet empty;  // 5 by 5, nothing set: one grid record and nothing else
    EXPECT_EQ(WriteGridCellStream(empty),
              GridRecord(5, 5, "64,64,64,64,64", "24,24,24,24,24"));

    ScheduleSheet sheet;
    sheet.Resize(3, 4);
    sheet.SetColWidth(0, 8);
    sheet.SetColWidth(1, 200);
    sheet.SetRowHeight(3, 300);
    sheet.SetText(0, 1, "ab");
    sheet.SetText(2, 3, "E1");
    sheet.SetBold(2, 3, true);
    sheet.SetBrushColor(2, 3, kNeutralGroupColour);
    sheet.SetFontColor(2, 3, clBlack);
    sheet.SetAlignment(2, 3, HAlignment::Center);
    sheet.Props(2, 3).fontName = "Arial";
    sheet.SetComment(2, 3, "note");
    sheet.Props(1, 0);  // properties without text

    const std::string expected =
        Begin("TGridPropIO") + Prop("ColCount", Int8(3)) + Prop("RowCount", Int8(4)) +
        Prop("ColWidths", Str("8,200,64")) + Prop("RowHeights", Str("24,24,24,300")) +
        Prop("FullGrid", kTrue) + Prop("ID", Int8(0)) + kEnd +
        // column 0
        Begin("TGridCellIO") + Prop("Col", Int8(0)) + Prop("Row", Int8(1)) +
        Prop("Cell", Str("ab")) + Prop("HasProp", kFalse) + kEnd +
        // column 1: no "Cell" for an empty text
        Begin("TGridCellIO") + Prop("Col", Int8(1)) + Prop("Row", Int8(0)) +
        Prop("HasProp", kTrue) + kEnd + Begin("TGridCellPropIO") +
        DefaultProps(1, 0, Prop("HasGraphic", kFalse)) + kEnd +
        // column 2
        Bytes({0x54, 0x50, 0x46, 0x30, 0x0B}) + "TGridCellIO" + Bytes({0x00, 0x03}) + "Col" +
        Bytes({0x02, 0x02, 0x03}) + "Row" + Bytes({0x02, 0x03, 0x04}) + "Cell" +
        Bytes({0x06, 0x02}) + "E1" + Bytes({0x07}) + "HasProp" + Bytes({0x09, 0x00, 0x00}) +
        Begin("TGridCellPropIO") + Prop("CellProperties.IsBaseCell", kTrue) +
        Prop("CellProperties.CellSpanX", Int8(-1)) + Prop("CellProperties.CellSpanY", Int8(-1)) +
        Prop("CellProperties.OwnerCol", Int8(2)) + Prop("CellProperties.OwnerRow", Int8(3)) +
        Prop("CellProperties.Alignment", Ident("taCenter")) +
        Prop("CellProperties.BorderColor", Ident("clNone")) +
        Prop("CellProperties.BorderWidth", Int8(0)) +
        Prop("CellProperties.BrushColor", Int32(0x00C8E0E6)) +
        Prop("CellProperties.BrushStyle", Ident("bsSolid")) +
        Prop("CellProperties.FontColor", Ident("clBlack")) +
        Prop("CellProperties.FontName", Str("Arial")) +
        Prop("CellProperties.FontSize", Int8(0)) +
        Prop("CellProperties.FontStyle", Bytes({0x0B}) + Short("fsBold") + Bytes({0})) +
        Prop("CellProperties.Editor", Ident("edNormal")) +
        Prop("CellProperties.ReadOnly", kFalse) +
        Prop("CellProperties.VAlignment", Ident("vtaTop")) +
        Prop("CellProperties.WordWrap", kFalse) + Prop("CellProperties.NodeLevel", Int8(0)) +
        Prop("HasGraphic", kTrue) + kEnd + Begin("TGridGraphicIO") +
        Prop("CellGraphic.CellType", Ident("ctComment")) +
        Prop("CellGraphic.CellVAlign", Ident("vaTop")) +
        Prop("CellGraphic.CellHAlign", Ident("haLeft")) +
        Prop("CellGraphic.CellIndex", Int8(0)) + Prop("CellGraphic.CellTransparent", kFalse) +
        Prop("CellGraphic.CellCreated", kFalse) + Prop("CellGraphic.CellBoolean", kFalse) +
        Prop("CellGraphic.CellAngle", Int8(0)) + Prop("CellGraphic.CellErrFrom", Int8(0)) +
        Prop("CellGraphic.CellErrLen", Int8(0)) + Prop("CellGraphic.CellText", Str("note")) +
        kEnd;
    EXPECT_EQ(WriteGridCellStream(sheet), expected);
}

TEST(GridCellStreamTest, WritesSmallestIntegersAndColoursAsNamesOrSignedNumbers)
{
    struct Case {
        int value;
        std::string bytes;
    };
    const std::vector<Case> ints = {
        {0, Int8(0)},          {127, Int8(127)},     {-128, Int8(-128)},
        {128, Int16(128)},     {-129, Int16(-129)},  {32767, Int16(32767)},
        {-32768, Int16(-32768)}, {32768, Int32(32768)}, {-32769, Int32(std::uint32_t(-32769))},
    };
    for (const Case& c : ints) {
        ScheduleSheet sheet;
        sheet.Props(0, 0).borderWidth = c.value;
        const std::string bytes = WriteGridCellStream(sheet);
        EXPECT_NE(bytes.find(Prop("CellProperties.BorderWidth", c.bytes)), std::string::npos)
            << c.value;
    }
    struct ColourCase {
        Colour colour;
        std::string bytes;
    };
    const std::vector<ColourCase> colours = {
        {clWindow, Ident("clWindow")},
        {clWhite, Ident("clWhite")},
        {0x00000001, Int8(1)},
        {0xFF000000, Int32(0xFF000000)},  // negative as a signed 32-bit number
    };
    for (const ColourCase& c : colours) {
        ScheduleSheet sheet;
        sheet.SetBrushColor(0, 0, c.colour);
        const std::string bytes = WriteGridCellStream(sheet);
        EXPECT_NE(bytes.find(Prop("CellProperties.BrushColor", c.bytes)), std::string::npos)
            << c.colour;
        ScheduleSheet back;
        ASSERT_TRUE(ReadGridCellStream(back, bytes));
        EXPECT_EQ(back.BrushColor(0, 0), c.colour);
    }
}

TEST(GridCellStreamTest, ChoosesTheTextFormByItsUtf8Length)
{
    struct Case {
        std::string text;
        std::string value;
    };
    const std::string longAscii(300, 'x');
    const std::vector<Case> cases = {
        {"Early", Str("Early")},
        {std::string(255, 'a'), Str(std::string(255, 'a'))},
        {longAscii, Bytes({0x0C, 0x2C, 0x01, 0, 0}) + longAscii},
        // an accented letter among ASCII: UTF-8 is shorter than twice the UTF-16 units
        {"M\xC3\xBCller", Bytes({0x14, 7, 0, 0, 0}) + "M\xC3\xBCller"},
        // only accented letters: UTF-8 is exactly twice as long, so UTF-16
        {"\xC3\xA9\xC3\xA9", Bytes({0x12, 2, 0, 0, 0, 0xE9, 0, 0xE9, 0})},
        // the euro sign and a character outside the basic plane (a surrogate pair)
        {"\xE2\x82\xAC", Bytes({0x12, 1, 0, 0, 0, 0xAC, 0x20})},
        {"\xF0\x9F\x98\x80", Bytes({0x12, 2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE})},
    };
    for (const Case& c : cases) {
        ScheduleSheet sheet;
        sheet.SetText(1, 1, c.text);
        const std::string bytes = WriteGridCellStream(sheet);
        EXPECT_NE(bytes.find(Prop("Cell", c.value) + Prop("HasProp", kFalse)), std::string::npos)
            << c.text;
        ScheduleSheet back;
        ASSERT_TRUE(ReadGridCellStream(back, bytes));
        EXPECT_EQ(back.Text(1, 1), c.text);
    }
}

// --- round trip ---

TEST(GridCellStreamTest, RoundTripKeepsEverything)
{
    ScheduleSheet sheet;
    sheet.Resize(40, 12);
    for (int c = 0; c < sheet.colCount(); ++c)
        sheet.SetColWidth(c, 20 + c);
    for (int r = 0; r < sheet.rowCount(); ++r)
        sheet.SetRowHeight(r, 10 + 3 * r);
    sheet.SetRowHeight(11, 70000);
    sheet.SetText(2, 3, "E\r\nL");
    sheet.SetText(3, 3, "N\rX");
    sheet.SetText(39, 11, std::string(1000, 'z'));
    sheet.SetText(5, 5, "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xE6\x97\xA5");

    CellProperties& all = sheet.Props(4, 6);
    all.alignment = HAlignment::Right;
    all.borderColor = 0x00123456;
    all.borderWidth = -5;
    all.brushColor = clBtnFace;
    all.brushStyle = BrushStyle::DiagCross;
    all.fontColor = 0x80000012;
    all.fontName = "Courier New";
    all.fontSize = 1000;
    all.fontStyle = fontstyle::Bold | fontstyle::Italic | fontstyle::Underline |
                    fontstyle::StrikeOut;
    all.editor = "edSpinEdit";
    all.readOnly = true;
    all.vAlignment = VAlignment::Bottom;
    all.wordWrap = true;
    all.nodeLevel = 3;
    CellGraphic value;
    value.kind = GraphicKind::Value;
    value.vAlign = GraphicVAlign::Full;
    value.hAlign = GraphicHAlign::AfterText;
    value.index = 123456;
    value.transparent = value.created = value.boolean = true;
    value.angle = -90;
    value.value = -1234.5625L;
    value.errFrom = 2;
    value.errLen = 3;
    value.text = "t\xC3\xA9xt";
    sheet.SetGraphic(4, 6, value);
    // A cell later in the stream with an empty font name, an empty text and a value of 0 must
    // not take them over from the cell before it.
    sheet.SetGraphic(4, 7, CellGraphic{});
    sheet.Props(6, 0).fontName = "";

    sheet.Merge(2, 0, 3, 1);
    sheet.Merge(0, 0, 2, 2);
    sheet.Merge(7, 7, 1, 1);
    sheet.Merge(10, 4, 2, 5);
    sheet.SetComment(8, 8, "Late\r\nshift");
    CellGraphic button;
    button.kind = GraphicKind::Button;
    button.index = 15 | (15 << 16);
    button.text = "\xC2\xBB";
    sheet.SetGraphic(4, 0, button);
    sheet.SetBold(9, 9, true);
    sheet.Props(9, 9).ownerCol = 1;  // kept as stored, not as placed

    ScheduleSheet back;
    back.SetText(0, 0, "old");
    back.SetComment(1, 1, "old comment");
    ASSERT_TRUE(ReadGridCellStream(back, WriteGridCellStream(sheet)));
    EXPECT_EQ(back, sheet);
    EXPECT_EQ(back.MergeRect(11, 8), (CellRect{10, 4, 11, 8}));
    EXPECT_TRUE(back.IsCovered(1, 1));
    EXPECT_EQ(back.MergeRect(7, 7), (CellRect{7, 7, 7, 7}));
    EXPECT_EQ(back.Comment(8, 8), "Late\r\nshift");
    EXPECT_TRUE(back.HasButton(4, 0));
}

TEST(GridCellStreamTest, CopySheetLeavesHeadersAndFontAlone)
{
    ScheduleSheet from;
    from.Resize(7, 9);
    from.fixedCols = 2;
    from.fixedRows = 3;
    from.fontName = "Arial";
    from.SetText(6, 8, "x");
    from.Merge(0, 0, 2, 2);
    from.SetColWidth(6, 1);

    ScheduleSheet to;
    to.fixedCols = 1;
    to.fixedRows = 4;
    to.fontName = "Tahoma";
    to.fontSize = 11;
    to.SetText(0, 0, "gone");
    CopySheet(from, to);
    EXPECT_EQ(to.fixedCols, 1);
    EXPECT_EQ(to.fixedRows, 4);
    EXPECT_EQ(to.fontName, "Tahoma");
    EXPECT_EQ(to.fontSize, 11);
    to.fixedCols = from.fixedCols;
    to.fixedRows = from.fixedRows;
    to.fontName = from.fontName;
    to.fontSize = from.fontSize;
    EXPECT_EQ(to, from);

    ScheduleSheet none;  // a sheet the stream cannot describe still copies
    none.Resize(0, 3);
    CopySheet(none, to);
    EXPECT_EQ(to.colCount(), 0);
    EXPECT_EQ(to.rowCount(), 3);
}

// --- reader ---

TEST(GridCellStreamTest, ReaderCarriesLeftOutPropertiesOver)
{
    const std::string stream =
        GridRecord(3, 3, "", "") +
        Begin("TGridCellIO") + Prop("Col", Int8(1)) + Prop("Row", Int8(1)) +
        Prop("Cell", Str("A")) + Prop("HasProp", kTrue) + kEnd + Begin("TGridCellPropIO") +
        DefaultProps(1, 1,
                     Prop("CellProperties.FontName", Str("Arial")) +
                         Prop("CellProperties.Alignment", Ident("taCenter")) +
                         Prop("HasGraphic", kTrue)) +
        kEnd + Begin("TGridGraphicIO") + Prop("CellGraphic.CellType", Ident("ctComment")) +
        Prop("CellGraphic.CellText", Str("first")) +
        Prop("CellGraphic.CellValue", Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})) +
        kEnd +
        // Only the position: HasProp, HasGraphic and the alignment carry over; the text, the
        // font name, the comment text and the value do not.
        Begin("TGridCellIO") + Prop("Col", Int8(2)) + Prop("Row", Int8(0)) + kEnd +
        Begin("TGridCellPropIO") + Prop("CellProperties.OwnerCol", Int8(2)) + kEnd +
        Begin("TGridGraphicIO") + kEnd +
        // A lone byte at the end is not a record.
        Bytes({0});

    ScheduleSheet sheet;
    ASSERT_TRUE(ReadGridCellStream(sheet, stream)) << ReadError(sheet, stream);
    EXPECT_EQ(sheet.Text(1, 1), "A");
    EXPECT_EQ(sheet.Props(1, 1).fontName, "Arial");
    EXPECT_EQ(sheet.Graphic(1, 1)->value, 1.0L);
    EXPECT_EQ(sheet.Comment(1, 1), "first");

    EXPECT_EQ(sheet.Text(2, 0), "");
    const CellProperties* carried = sheet.PropsIfAny(2, 0);
    ASSERT_NE(carried, nullptr);
    EXPECT_EQ(carried->alignment, HAlignment::Center);
    EXPECT_EQ(carried->ownerCol, 2);
    EXPECT_EQ(carried->ownerRow, 1);
    EXPECT_EQ(carried->fontName, "");
    ASSERT_TRUE(carried->graphic);
    EXPECT_EQ(carried->graphic->kind, GraphicKind::Comment);
    EXPECT_EQ(carried->graphic->text, "");
    EXPECT_EQ(carried->graphic->value, 0);
}

TEST(GridCellStreamTest, ReaderAcceptsEveryValueForm)
{
    // 03/04 integers, 0C/12/14 texts, lower-case names, cp1252 bytes in an 8-bit text.
    const std::string stream =
        Begin("TGridPropIO") + Prop("colcount", Int16(3)) + Prop("RowCount", Int32(2)) +
        Prop("ColWidths", Bytes({0x12, 3, 0, 0, 0, '1', 0, ',', 0, '2', 0})) +
        Prop("RowHeights", Bytes({0x14, 3, 0, 0, 0}) + "7,8") + Prop("FullGrid", kTrue) + kEnd +
        Begin("TGridCellIO") + Prop("Col", Int32(2)) + Prop("Row", Int16(1)) +
        Prop("Cell", Bytes({0x0C, 6, 0, 0, 0}) + "M\xFCller") + Prop("HasProp", kTrue) + kEnd +
        Begin("TGridCellPropIO") +
        Prop("CellProperties.BrushColor", Ident("CLRED")) +
        // unpaired surrogates become U+FFFD
        Prop("CellProperties.FontName",
             Bytes({0x12, 4, 0, 0, 0, 'A', 0, 0x00, 0xD8, 'B', 0, 0x00, 0xDC})) +
        Prop("CellProperties.FontStyle", Bytes({0x0B}) + Short("FSITALIC") + Short("fsBold") +
                                             Bytes({0})) +
        Prop("HasGraphic", kFalse) + kEnd;
    ScheduleSheet sheet;
    ASSERT_TRUE(ReadGridCellStream(sheet, stream)) << ReadError(sheet, stream);
    EXPECT_EQ(sheet.colCount(), 3);
    EXPECT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.ColWidths(), (std::vector<int>{1, 2, kDefaultColWidth}));
    EXPECT_EQ(sheet.RowHeights(), (std::vector<int>{7, 8}));
    EXPECT_EQ(sheet.Text(2, 1), "M\xC3\xBCller");
    EXPECT_EQ(sheet.BrushColor(2, 1), 0x000000FFu);
    EXPECT_EQ(sheet.Props(2, 1).fontStyle, fontstyle::Bold | fontstyle::Italic);
    EXPECT_EQ(sheet.Props(2, 1).fontName, "A\xEF\xBF\xBD" "B\xEF\xBF\xBD");
}

TEST(GridCellStreamTest, ReaderPlacesAPartialBlockRelativeToItsFirstCell)
{
    const std::string stream =
        Begin("TGridPropIO") + Prop("ColCount", Int8(100)) + Prop("RowCount", Int8(100)) +
        Prop("FullGrid", kFalse) + kEnd + Begin("TGridCellIO") + Prop("Col", Int8(50)) +
        Prop("Row", Int8(60)) + Prop("Cell", Str("a")) + Prop("HasProp", kFalse) + kEnd +
        Begin("TGridCellIO") + Prop("Col", Int8(51)) + Prop("Row", Int8(62)) +
        Prop("Cell", Str("b")) + kEnd;
    ScheduleSheet sheet;  // 5 by 5
    sheet.SetText(4, 4, "kept");
    sheet.SetColWidth(0, 3);
    ASSERT_TRUE(ReadGridCellStream(sheet, stream)) << ReadError(sheet, stream);
    EXPECT_EQ(sheet.colCount(), 5);
    EXPECT_EQ(sheet.ColWidth(0), 3);
    EXPECT_EQ(sheet.Text(0, 0), "a");
    EXPECT_EQ(sheet.Text(1, 2), "b");
    EXPECT_EQ(sheet.Text(4, 4), "kept");
}

TEST(GridCellStreamTest, ReaderFailures)
{
    const std::string grid = GridRecord(3, 3, "1,2,3,4,5,6", "");
    auto cell = [](const std::string& props) {
        return Begin("TGridCellIO") + props + kEnd;
    };
    auto propsRecord = [&](const std::string& props) {
        return grid + Begin("TGridCellIO") + Prop("Col", Int8(0)) + Prop("Row", Int8(0)) +
               Prop("HasProp", kTrue) + kEnd + Begin("TGridCellPropIO") + props + kEnd;
    };
    auto graphicRecord = [&](const std::string& props) {
        return propsRecord(Prop("HasGraphic", kTrue)) + Begin("TGridGraphicIO") + props + kEnd;
    };
    const std::string badFormat = "Invalid stream format";
    const std::string badValue = "Invalid property value";
    struct Case {
        std::string what;
        std::string bytes;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"empty", "", badFormat},
        {"no signature", "TPF1" + grid.substr(4), badFormat},
        {"bad cell signature", grid + "XPF0" + cell(Prop("Col", Int8(0))).substr(4), badFormat},
        {"two bytes after the grid", grid + "TP", badFormat},
        {"sub-records", grid.substr(0, grid.size() - 1) + Bytes({1}), badFormat},
        {"unknown grid property", Begin("TGridPropIO") + Prop("Colour", Int8(1)) + kEnd,
         "Property Colour does not exist"},
        {"unknown cell property", grid + cell(Prop("Text", Str("x"))),
         "Property Text does not exist"},
        {"a grid property in a cell", grid + cell(Prop("ColCount", Int8(1))),
         "Property ColCount does not exist"},
        {"unknown graphic property", graphicRecord(Prop("CellGraphic.Bitmap", kTrue)),
         "Property CellGraphic.Bitmap does not exist"},
        {"text for an integer", grid + cell(Prop("Col", Str("1"))), badValue},
        {"integer for a text", grid + cell(Prop("Cell", Int8(1))), badValue},
        {"integer for a Boolean", grid + cell(Prop("HasProp", Int8(1))), badValue},
        {"text for a colour", propsRecord(Prop("CellProperties.BrushColor", Str("clRed"))),
         badValue},
        {"unknown colour", propsRecord(Prop("CellProperties.BrushColor", Ident("clPink"))),
         badValue},
        {"number as colour name", propsRecord(Prop("CellProperties.FontColor", Ident("255"))),
         badValue},
        {"unknown alignment", propsRecord(Prop("CellProperties.Alignment", Ident("taJustify"))),
         badValue},
        {"unknown font style",
         propsRecord(Prop("CellProperties.FontStyle", Bytes({0x0B}) + Short("fsWide") +
                                                          Bytes({0}))),
         badValue},
        {"unknown graphic kind", graphicRecord(Prop("CellGraphic.CellType", Ident("ctGif"))),
         badValue},
        {"picture data", graphicRecord(Prop("CellGraphic.CellType", Ident("ctBitmap"))) +
                             Begin("TGridBMPIO") + Prop("Bitmap", Int8(0)) + kEnd,
         badValue},
        {"picture record missing", graphicRecord(Prop("CellGraphic.CellType", Ident("ctIcon"))),
         badFormat},
        {"no columns", GridRecord(0, 3, "", ""), badValue},
        {"too many rows",
         Begin("TGridPropIO") + Prop("RowCount", Int32(32768)) + kEnd, badValue},
        {"too many cells",
         Begin("TGridPropIO") + Prop("ColCount", Int16(32767)) + Prop("RowCount", Int16(32767)) +
             Prop("FullGrid", kTrue) + kEnd,
         badValue},
        {"width not a number", GridRecord(3, 3, "1,x", ""), badValue},
        {"cell outside", grid + cell(Prop("Col", Int8(3)) + Prop("Row", Int8(0))), badValue},
        {"cell before", grid + cell(Prop("Col", Int8(0)) + Prop("Row", Int8(-1))), badValue},
        {"text longer than the stream", grid + cell(Prop("Cell", Bytes({0x14, 9, 0, 0, 0}))),
         badValue},
        {"huge UTF-16 count", grid + cell(Prop("Cell", Bytes({0x12, 0xFF, 0xFF, 0xFF, 0xFF}))),
         badValue},
    };
    for (const Case& c : cases) {
        ScheduleSheet sheet;
        EXPECT_EQ(ReadError(sheet, c.bytes), c.error) << c.what;
    }
    // Widths beyond the column count are ignored.
    ScheduleSheet sheet;
    ASSERT_TRUE(ReadGridCellStream(sheet, grid));
    EXPECT_EQ(sheet.ColWidths(), (std::vector<int>{1, 2, 3}));
}

TEST(GridCellStreamTest, DamagedStreamsFailCleanly)
{
    ScheduleSheet sheet;
    sheet.Resize(4, 4);
    sheet.SetText(0, 0, "E1");
    sheet.SetText(1, 2, "M\xC3\xBCller \xE6\x97\xA5");
    sheet.Merge(1, 1, 2, 2);
    sheet.SetComment(3, 3, "note");
    CellGraphic value;
    value.kind = GraphicKind::Value;
    value.value = 2.5L;
    sheet.SetGraphic(0, 3, value);
    const std::string stream = WriteGridCellStream(sheet);

    auto cleanError = [](const std::string& error) {
        return error == "Invalid stream format" || error == "Invalid property value" ||
               (error.starts_with("Property ") && error.ends_with(" does not exist"));
    };
    for (std::size_t n = 0; n < stream.size(); ++n) {
        ScheduleSheet target;
        const auto result = ReadGridCellStream(target, std::string_view(stream).substr(0, n));
        EXPECT_TRUE(result || cleanError(result.error().message))
            << n << ": " << result.error().message;
        // Whatever was read stays usable.
        for (int r = 0; r < target.rowCount(); ++r)
            for (int c = 0; c < target.colCount(); ++c) {
                const CellRect rect = target.MergeRect(c, r);
                EXPECT_TRUE(target.Contains(rect.left, rect.top) &&
                            target.Contains(rect.right, rect.bottom));
            }
    }

    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = stream;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i)
            damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
        ScheduleSheet target;
        const auto result = ReadGridCellStream(target, damaged);
        EXPECT_TRUE(result || cleanError(result.error().message)) << result.error().message;
        WriteGridCellStream(target);
        WriteCellTextStream(target);
    }
}

TEST(GridCellStreamTest, ExtendedFloatingPoint)
{
    unsigned char bytes[10];
    EncodeExtended(1.0L, bytes);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 10),
              Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    const long double values[] = {1.0L,     -2.5L,   0.1L,   1e4000L,  -1e-4940L,
                                  LDBL_MIN, LDBL_MAX, 1e300L, HUGE_VALL, 3.0L / 7};
    for (const long double v : values) {
        EncodeExtended(v, bytes);
        EXPECT_EQ(DecodeExtended(bytes), v);
        if constexpr (LDBL_MANT_DIG == 64) {
            unsigned char native[sizeof(long double)] = {};
            std::memcpy(native, &v, sizeof v);
            EXPECT_EQ(std::memcmp(native, bytes, 10), 0) << static_cast<double>(v);
        }
    }
    EncodeExtended(std::nanl(""), bytes);
    EXPECT_TRUE(std::isnan(DecodeExtended(bytes)));
}

// --- the light form ---

TEST(CellTextStreamTest, WritesSizeWidthsAndTexts)
{
    ScheduleSheet sheet;
    sheet.Resize(3, 2);
    sheet.SetColWidth(1, 8);
    sheet.SetText(2, 0, "E1");
    sheet.SetText(0, 1, "A\r\nB");
    sheet.SetText(1, 1, "C\rD");
    sheet.SetText(2, 1, "x\ny");
    EXPECT_EQ(WriteCellTextStream(sheet),
              "3,2\r\ncw 0,64\r\ncw 1,8\r\ncw 2,64\r\n2,0,E1\r\n0,1,A\t\bB\r\n1,1,C\tD\r\n"
              "2,1,x\ny\r\n");
}

TEST(CellTextStreamTest, RoundTripKeepsTextsWithLineBreaks)
{
    ScheduleSheet sheet;
    sheet.Resize(6, 4);
    sheet.SetColWidth(5, 99);
    const std::vector<std::string> texts = {
        "E1", "E1\r\nL", "E1\rL\rN", "a\nb", "D1: E\r\nD2: L\r\n", "M\xC3\xBCller, 2", ",,"};
    for (std::size_t i = 0; i < texts.size(); ++i)
        sheet.SetText(static_cast<int>(i % 6), static_cast<int>(i / 6) + 1, texts[i]);
    sheet.SetBold(0, 0, true);

    ScheduleSheet back;
    back.Resize(2, 2);
    back.SetBold(1, 1, true);
    ASSERT_TRUE(ReadCellTextStream(back, WriteCellTextStream(sheet)));
    EXPECT_EQ(back.colCount(), 6);
    EXPECT_EQ(back.rowCount(), 4);
    EXPECT_EQ(back.ColWidths(), sheet.ColWidths());
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(back.Text(c, r), sheet.Text(c, r)) << c << "," << r;
    EXPECT_TRUE(back.IsBold(1, 1));  // attributes are not part of this form
}

TEST(CellTextStreamTest, ReaderSkipsWhatItCannotPlace)
{
    ScheduleSheet sheet;  // 5 by 5
    const std::string bytes =
        "3,3\r\ncw 1,7\r\ncw 9,7\r\ncw x,7\r\ncw\r\n\r\ngarbage\r\n1,x,no\r\n-1,0,no\r\n"
        "3,0,no\r\n0,3,no\r\n2,2,M\xFCller\r\n1,1,\r\n0,0,last";
    sheet.SetText(1, 1, "emptied");
    ASSERT_TRUE(ReadCellTextStream(sheet, bytes));
    EXPECT_EQ(sheet.colCount(), 3);
    EXPECT_EQ(sheet.ColWidths(), (std::vector<int>{kDefaultColWidth, 7, kDefaultColWidth}));
    EXPECT_EQ(sheet.Text(2, 2), "M\xC3\xBCller");
    EXPECT_EQ(sheet.Text(1, 1), "");
    EXPECT_EQ(sheet.Text(0, 0), "last");

    ASSERT_TRUE(ReadCellTextStream(sheet, ""));
    ASSERT_TRUE(ReadCellTextStream(sheet, "\r\n1,1,x"));  // no size line: the size stays
    EXPECT_EQ(sheet.colCount(), 3);
    EXPECT_EQ(sheet.Text(1, 1), "x");

    for (const char* bad : {"0,5\r\n", "5,40000\r\n", "5\r\n", "a,b\r\n", "32767,32767\r\n"}) {
        ScheduleSheet other;
        EXPECT_FALSE(ReadCellTextStream(other, bad)) << bad;
        EXPECT_EQ(other.colCount(), 5);
    }
}

} // namespace
} // namespace shiftex
