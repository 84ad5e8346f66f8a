// The stream writers against plain reference encoders on varied sheets, and the stream reader
// on records whose properties come in another order and case than the writer's.
#include "files/grid_cell_stream.h"
#include "files/text_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace shiftex {
namespace {

// --- reference encoders, written for clarity ---

std::string LittleEndian(std::uint32_t v, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

std::string Short(std::string_view s)
{
    s = s.substr(0, std::min<std::size_t>(s.size(), 255));
    return static_cast<char>(s.size()) + std::string(s);
}

std::string IntValue(std::int32_t v)
{
    const auto bits = static_cast<std::uint32_t>(v);
    if (v >= -128 && v <= 127)
        return '\x02' + LittleEndian(bits, 1);
    if (v >= -32768 && v <= 32767)
        return '\x03' + LittleEndian(bits, 2);
    return '\x04' + LittleEndian(bits, 4);
}

std::u16string Utf16Of(const std::string& utf8)
{
    std::u16string units;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += 1 + extra;
        if (cp >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(cp);
        }
    }
    return units;
}

std::string TextValue(const std::string& raw)
{
    const std::string text = IsValidUtf8(raw) ? raw : DecodeText(raw);
    const std::u16string units = Utf16Of(text);
    if (text.size() >= 2 * units.size()) {
        std::string out = '\x12' + LittleEndian(static_cast<std::uint32_t>(units.size()), 4);
        for (const char16_t unit : units)
            out += LittleEndian(unit, 2);
        return out;
    }
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
    if (!ascii)
        return '\x14' + LittleEndian(static_cast<std::uint32_t>(text.size()), 4) + text;
    if (text.size() < 256)
        return '\x06' + Short(text);
    return '\x0C' + LittleEndian(static_cast<std::uint32_t>(text.size()), 4) + text;
}

// A property of a record. Identifier values that are names of a fixed list (`caseFree`) may be
// written in any case.
struct Prop {
    std::string name;
    std::string value;
    std::string ident;
};

std::string BoolValue(bool v)
{
    return v ? "\x09" : "\x08";
}

template <std::size_t N>
Prop EnumProp(std::string name, std::uint8_t value, const std::array<const char*, N>& names)
{
    return {std::move(name), {}, names[value < N ? value : 0]};
}

Prop ColourProp(std::string name, Colour colour)
{
    const std::string_view colourName = ColourName(colour);
    if (colourName.empty())
        return {std::move(name), IntValue(static_cast<std::int32_t>(colour)), {}};
    return {std::move(name), {}, std::string(colourName)};
}

// How the records are written: as this program writes them, or mixed up as another writer
// might (properties in another order, names and list identifiers in another case).
struct Style {
    std::mt19937* mixUp = nullptr;
};

std::string Recased(std::string text, std::mt19937& random)
{
    for (char& ch : text) {
        if (random() % 2 == 0)
            continue;
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
        else if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return text;
}

std::string Record(std::string_view className, std::vector<Prop> props, const Style& style)
{
    if (style.mixUp)
        std::shuffle(props.begin(), props.end(), *style.mixUp);
    std::string out = "TPF0" + Short(className) + '\0';
    for (const Prop& p : props) {
        const std::string name = style.mixUp ? Recased(p.name, *style.mixUp) : p.name;
        out += Short(name);
        if (p.ident.empty())
            out += p.value;
        else
            out += '\x07' + Short(style.mixUp ? Recased(p.ident, *style.mixUp) : p.ident);
    }
    return out + '\0' + '\0';
}

constexpr std::array<const char*, 3> kAlignments = {"taLeftJustify", "taRightJustify",
                                                    "taCenter"};
constexpr std::array<const char*, 8> kBrushStyles = {
    "bsSolid", "bsClear", "bsHorizontal", "bsVertical",
    "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};
constexpr std::array<const char*, 3> kVAlignments = {"vtaTop", "vtaCenter", "vtaBottom"};
constexpr std::array<const char*, 21> kGraphicKinds = {
    "ctBitmap", "ctIcon", "ctNone", "ctImageList", "ctCheckBox", "ctDataCheckBox", "ctRotated",
    "ctDataImage", "ctNode", "ctRadio", "ctEmpty", "ctImages", "ctPicture", "ctFilePicture",
    "ctValue", "ctProgress", "ctComment", "ctButton", "ctBitButton", "ctVirtCheckBox",
    "ctProgressPie"};
constexpr std::array<const char*, 6> kGraphicVAligns = {"vaTop",       "vaBottom",
                                                        "vaCenter",    "vaUnderText",
                                                        "vaAboveText", "vaFull"};
constexpr std::array<const char*, 6> kGraphicHAligns = {"haLeft",       "haRight",
                                                        "haCenter",     "haBeforeText",
                                                        "haAfterText", "haFull"};

std::string JoinNumbers(const std::vector<int>& numbers)
{
    std::string list;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        list += (i > 0 ? "," : "") + std::to_string(numbers[i]);
    return list;
}

bool IsEditorName(const std::string& editor)
{
    return !editor.empty() && editor.size() < 256 &&
           std::all_of(editor.begin(), editor.end(), [](char ch) {
               return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                      (ch >= '0' && ch <= '9') || ch == '_';
           });
}

std::string ReferenceStream(const ScheduleSheet& sheet, const Style& style = {})
{
    auto text = [](std::vector<Prop>& props, std::string name, const std::string& value) {
        if (!value.empty())
            props.push_back({std::move(name), TextValue(value), {}});
    };
    std::vector<Prop> grid = {{"ColCount", IntValue(sheet.colCount()), {}},
                              {"RowCount", IntValue(sheet.rowCount()), {}}};
    text(grid, "ColWidths", JoinNumbers(sheet.ColWidths()));
    text(grid, "RowHeights", JoinNumbers(sheet.RowHeights()));
    grid.push_back({"FullGrid", BoolValue(true), {}});
    grid.push_back({"ID", IntValue(0), {}});
    std::string out = Record("TGridPropIO", grid, style);

    for (int c = 0; c < sheet.colCount(); ++c) {
        for (int r = 0; r < sheet.rowCount(); ++r) {
            const SheetCell& cell = sheet.Cell(c, r);
            if (cell.text.empty() && !cell.props)
                continue;
            std::vector<Prop> cellProps = {{"Col", IntValue(c), {}}, {"Row", IntValue(r), {}}};
            text(cellProps, "Cell", cell.text);
            cellProps.push_back({"HasProp", BoolValue(cell.props != nullptr), {}});
            out += Record("TGridCellIO", cellProps, style);
            if (!cell.props)
                continue;

            const CellProperties& p = *cell.props;
            const std::string k = "CellProperties.";
            std::vector<Prop> props = {
                {k + "IsBaseCell", BoolValue(p.isBaseCell), {}},
                {k + "CellSpanX", IntValue(p.spanX), {}},
                {k + "CellSpanY", IntValue(p.spanY), {}},
                {k + "OwnerCol", IntValue(p.ownerCol), {}},
                {k + "OwnerRow", IntValue(p.ownerRow), {}},
                EnumProp(k + "Alignment", static_cast<std::uint8_t>(p.alignment), kAlignments),
                ColourProp(k + "BorderColor", p.borderColor),
                {k + "BorderWidth", IntValue(p.borderWidth), {}},
                ColourProp(k + "BrushColor", p.brushColor),
                EnumProp(k + "BrushStyle", static_cast<std::uint8_t>(p.brushStyle),
                         kBrushStyles),
                ColourProp(k + "FontColor", p.fontColor),
            };
            text(props, k + "FontName", p.fontName);
            props.push_back({k + "FontSize", IntValue(p.fontSize), {}});
            std::string styles = "\x0B";
            const char* styleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
            for (int bit = 0; bit < 4; ++bit)
                if (p.fontStyle & (1 << bit))
                    styles += Short(styleNames[bit]);
            props.push_back({k + "FontStyle", styles + '\0', {}});
            props.push_back(
                {k + "Editor", '\x07' + Short(IsEditorName(p.editor) ? p.editor : "edNormal"),
                 {}});
            props.push_back({k + "ReadOnly", BoolValue(p.readOnly), {}});
            props.push_back(EnumProp(k + "VAlignment", static_cast<std::uint8_t>(p.vAlignment),
                                     kVAlignments));
            props.push_back({k + "WordWrap", BoolValue(p.wordWrap), {}});
            props.push_back({k + "NodeLevel", IntValue(p.nodeLevel), {}});
            props.push_back({"HasGraphic", BoolValue(p.graphic.has_value()), {}});
            out += Record("TGridCellPropIO", props, style);
            if (!p.graphic)
                continue;

            const CellGraphic& g = *p.graphic;
            const std::string n = "CellGraphic.";
            std::vector<Prop> graphic = {
                EnumProp(n + "CellType", static_cast<std::uint8_t>(g.kind), kGraphicKinds),
                EnumProp(n + "CellVAlign", static_cast<std::uint8_t>(g.vAlign), kGraphicVAligns),
                EnumProp(n + "CellHAlign", static_cast<std::uint8_t>(g.hAlign), kGraphicHAligns),
                {n + "CellIndex", IntValue(g.index), {}},
                {n + "CellTransparent", BoolValue(g.transparent), {}},
                {n + "CellCreated", BoolValue(g.created), {}},
                {n + "CellBoolean", BoolValue(g.boolean), {}},
                {n + "CellAngle", IntValue(g.angle), {}},
            };
            if (g.value != 0) {
                unsigned char bytes[10];
                EncodeExtended(g.value, bytes);
                graphic.push_back({n + "CellValue",
                                   '\x05' + std::string(reinterpret_cast<char*>(bytes), 10), {}});
            }
            graphic.push_back({n + "CellErrFrom", IntValue(g.errFrom), {}});
            graphic.push_back({n + "CellErrLen", IntValue(g.errLen), {}});
            text(graphic, n + "CellText", g.text);
            out += Record("TGridGraphicIO", graphic, style);
            // A kind beyond the list is written as the first one, with its picture record.
            const std::uint8_t kind = static_cast<std::uint8_t>(g.kind) < 21
                                          ? static_cast<std::uint8_t>(g.kind)
                                          : 0;
            const char* picture = kind == 0 || kind == 18 ? "TGridBMPIO"
                                  : kind == 1             ? "TGridIconIO"
                                  : kind == 9 || kind == 11 ? "TGridSLIO"
                                  : kind == 12            ? "TGridPicIO"
                                  : kind == 13            ? "TGridFilePicIO"
                                                          : nullptr;
            if (picture)
                out += Record(picture, {}, style);
        }
    }
    return out;
}

std::string ReferenceCellTextStream(const ScheduleSheet& sheet)
{
    std::string out =
        std::to_string(sheet.colCount()) + "," + std::to_string(sheet.rowCount()) + "\r\n";
    for (int c = 0; c < sheet.colCount(); ++c)
        out += "cw " + std::to_string(c) + "," + std::to_string(sheet.ColWidth(c)) + "\r\n";
    for (int r = 0; r < sheet.rowCount(); ++r) {
        for (int c = 0; c < sheet.colCount(); ++c) {
            std::string text = sheet.Text(c, r);
            if (text.empty())
                continue;
            if (text.find('\r') != std::string::npos) {
                std::replace(text.begin(), text.end(), '\r', '\t');
                std::replace(text.begin(), text.end(), '\n', '\b');
            }
            out += std::to_string(c) + "," + std::to_string(r) + "," + text + "\r\n";
        }
    }
    return out;
}

// --- varied sheets ---

// Values at the edges of every form the writer chooses between. With `exotic` also values the
// writer replaces (editors that are no identifiers, enumerations out of range, 8-bit texts),
// so that a sheet does not come back equal.
class SheetMaker {
public:
    explicit SheetMaker(unsigned seed) : random_(seed) {}

    ScheduleSheet Make(bool exotic)
    {
        exotic_ = exotic;
        ScheduleSheet sheet;
        sheet.Resize(Pick<int>({1, 2, 7, 130, 300}), Pick<int>({1, 3, 9, 140}));
        for (int c = 0; c < sheet.colCount(); ++c)
            sheet.SetColWidth(c, Int());
        for (int r = 0; r < sheet.rowCount(); ++r)
            sheet.SetRowHeight(r, Int());
        const int cells = sheet.colCount() * sheet.rowCount();
        const unsigned every = static_cast<unsigned>(std::max(1, cells / 120));
        for (int c = 0; c < sheet.colCount(); ++c) {
            for (int r = 0; r < sheet.rowCount(); ++r) {
                if (random_() % every != 0)
                    continue;
                if (Chance(3))
                    sheet.SetText(c, r, Text());
                if (Chance(2))
                    FillProps(sheet.Props(c, r));
            }
        }
        return sheet;
    }

    // One cell with the longest form of every value at once.
    static void FillLongest(CellProperties& p)
    {
        p.isBaseCell = false;
        p.spanX = p.spanY = p.ownerCol = p.ownerRow = INT_MIN;
        p.borderWidth = p.fontSize = p.nodeLevel = INT_MAX;
        p.alignment = HAlignment::Right;
        p.borderColor = p.brushColor = p.fontColor = 0x8000001C;  // the longest colour name
        p.brushStyle = BrushStyle::Horizontal;
        p.fontName = "\xFF";  // as UTF-16: the longest form of a short text
        p.fontStyle = 0xFF;
        p.editor = std::string(255, 'e');
        p.vAlignment = VAlignment::Center;
        p.readOnly = p.wordWrap = true;
        CellGraphic g;
        g.kind = GraphicKind::FilePicture;
        g.vAlign = GraphicVAlign::UnderText;
        g.hAlign = GraphicHAlign::BeforeText;
        g.index = g.angle = g.errFrom = g.errLen = INT_MIN;
        g.transparent = g.created = g.boolean = true;
        g.value = -1e300L;
        g.text = "\xFF";
        p.graphic = g;
    }

private:
    template <class T>
    T Pick(std::initializer_list<T> values)
    {
        return *(values.begin() + random_() % values.size());
    }
    bool Chance(unsigned in) { return random_() % in == 0; }

    int Int()
    {
        return Pick<int>({0, 1, -1, 127, 128, -128, -129, 255, 32767, 32768, -32768, -32769,
                          INT_MIN, INT_MAX, 15 | (15 << 16), 70000});
    }
    Colour AnyColour()
    {
        // Named (the longest name among them), in the gap between system colours, plain.
        return Pick<Colour>({clNone, clWindow, clBlack, clWhite, clBtnFace, 0x8000001C,
                             0x80000019, 1, kNeutralGroupColour, 0xFF000000});
    }
    std::uint8_t Enum(std::uint8_t count)
    {
        return static_cast<std::uint8_t>(exotic_ && Chance(8) ? random_() % 256
                                                              : random_() % count);
    }
    std::string Text()
    {
        std::vector<std::string> texts = {
            "E", "E1", "x\r\ny", "N\rX", std::string(255, 'a'), std::string(256, 'b'),
            std::string(1000, 'c'), "M\xC3\xBCller", "\xC3\xA9\xC3\xA9", "\xE2\x82\xAC",
            "\xF0\x9F\x98\x80", "Gr\xC3\xBC\xC3\x9F" "e \xE6\x97\xA5",
            std::string(2, '\0') + "x"};
        std::string cjk;
        for (int i = 0; i < 120; ++i)
            cjk += "\xE6\x97\xA5";
        texts.push_back(cjk);
        if (exotic_) {
            texts.insert(texts.end(), {"M\xFC" "ller", "\x80\x80\x80", "\xC3", "\xED\xA0\x80",
                                       std::string(200, '\x80'), std::string(90, '\x9F')});
        }
        std::string text = texts[random_() % texts.size()];
        if (Chance(4))
            text += std::to_string(random_());
        return text;
    }
    void FillProps(CellProperties& p)
    {
        p.isBaseCell = Chance(2);
        p.spanX = Int();
        p.spanY = Int();
        p.ownerCol = Int();
        p.ownerRow = Int();
        p.alignment = static_cast<HAlignment>(Enum(3));
        p.borderColor = AnyColour();
        p.borderWidth = Int();
        p.brushColor = AnyColour();
        p.brushStyle = static_cast<BrushStyle>(Enum(8));
        p.fontColor = AnyColour();
        p.fontName = Chance(2) ? std::string() : Text();
        p.fontSize = Int();
        p.fontStyle = static_cast<std::uint8_t>(random_() % (exotic_ ? 256 : 16));
        std::vector<std::string> editors = {"edNormal", "edSpinEdit", "e",
                                            std::string(255, 'x')};
        if (exotic_)
            editors.insert(editors.end(), {"", "not valid", std::string(256, 'y'), "ed-1"});
        p.editor = editors[random_() % editors.size()];
        p.readOnly = Chance(2);
        p.vAlignment = static_cast<VAlignment>(Enum(3));
        p.wordWrap = Chance(2);
        p.nodeLevel = Int();
        if (Chance(3)) {
            CellGraphic g;
            g.kind = static_cast<GraphicKind>(Enum(21));
            g.vAlign = static_cast<GraphicVAlign>(Enum(6));
            g.hAlign = static_cast<GraphicHAlign>(Enum(6));
            g.index = Int();
            g.transparent = Chance(2);
            g.created = Chance(2);
            g.boolean = Chance(2);
            g.angle = Int();
            g.value = Pick<long double>({0, 1, -1234.5625L, 1e300L, 3.0L / 7, 1e-4940L});
            g.errFrom = Int();
            g.errLen = Int();
            g.text = Chance(2) ? std::string() : Text();
            p.graphic = g;
        } else {
            p.graphic.reset();
        }
    }

    std::mt19937 random_;
    bool exotic_ = false;
};

TEST(GridCellStreamReferenceTest, WriterGivesTheBytesOfThePlainEncoder)
{
    SheetMaker maker(2024);
    for (int round = 0; round < 80; ++round) {
        const bool exotic = round % 2 == 1;
        const ScheduleSheet sheet = maker.Make(exotic);
        ASSERT_EQ(WriteGridCellStream(sheet), ReferenceStream(sheet))
            << "round " << round << ", " << sheet.colCount() << " by " << sheet.rowCount();
        if (!exotic) {
            ScheduleSheet back;
            ASSERT_TRUE(ReadGridCellStream(back, WriteGridCellStream(sheet))) << round;
            EXPECT_EQ(back, sheet) << round;
        }
    }

    // Every value in its longest form in one cell, next to a cell with the shortest forms.
    ScheduleSheet sheet;
    sheet.Resize(2, 1);
    SheetMaker::FillLongest(sheet.Props(1, 0));
    sheet.SetText(1, 0, "\xFF");
    sheet.Props(0, 0).editor.clear();  // written as edNormal, longer than itself
    EXPECT_EQ(WriteGridCellStream(sheet), ReferenceStream(sheet));
}

TEST(GridCellStreamReferenceTest, ReaderTakesPropertiesInAnyOrderAndCase)
{
    SheetMaker maker(77);
    std::mt19937 mixUp(5);
    for (int round = 0; round < 60; ++round) {
        const ScheduleSheet sheet = maker.Make(round % 3 == 2);
        ScheduleSheet expected;
        const auto written = ReadGridCellStream(expected, WriteGridCellStream(sheet));
        ASSERT_TRUE(written) << round << ": " << written.error().message;
        const std::string mixed = ReferenceStream(sheet, Style{&mixUp});
        ScheduleSheet back;
        const auto result = ReadGridCellStream(back, mixed);
        ASSERT_TRUE(result) << round << ": " << result.error().message;
        EXPECT_EQ(back, expected) << round;
    }
}

TEST(CellTextStreamReferenceTest, WriterGivesTheBytesOfThePlainEncoder)
{
    SheetMaker maker(99);
    std::string reused = "left over from before";
    for (int round = 0; round < 40; ++round) {
        ScheduleSheet sheet = maker.Make(round % 2 == 1);
        if (round == 7)
            sheet.Resize(12000, 2);  // five-digit columns
        const std::string expected = ReferenceCellTextStream(sheet);
        ASSERT_EQ(WriteCellTextStream(sheet), expected) << round;
        WriteCellTextStream(sheet, reused);
        ASSERT_EQ(reused, expected) << round;
    }
    ScheduleSheet one;
    one.Resize(1, 1);
    WriteCellTextStream(one, reused);  // much shorter than what the string held
    EXPECT_EQ(reused, "1,1\r\ncw 0,64\r\n");
}

} // namespace
} // namespace shiftex
