#include "files/grid_cell_stream.h"

#include "files/text_io.h"
#include "model/text_helpers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace shiftex {

namespace {

constexpr std::string_view kSignature = "TPF0";
constexpr std::string_view kInvalidStreamFormat = "Invalid stream format";
constexpr std::string_view kInvalidPropertyValue = "Invalid property value";

enum ValueType : unsigned char {
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaExtended = 0x05,
    vaString = 0x06,
    vaIdent = 0x07,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaSet = 0x0B,
    vaLString = 0x0C,
    vaWString = 0x12,
    vaUtf8String = 0x14,
};

constexpr std::array<std::string_view, 3> kAlignmentNames = {
    "taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::array<std::string_view, 8> kBrushStyleNames = {
    "bsSolid", "bsClear", "bsHorizontal", "bsVertical",
    "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};
constexpr std::array<std::string_view, 3> kVAlignmentNames = {"vtaTop", "vtaCenter", "vtaBottom"};
constexpr std::array<std::string_view, 4> kFontStyleNames = {
    "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr std::array<std::string_view, 21> kGraphicKindNames = {
    "ctBitmap", "ctIcon", "ctNone", "ctImageList", "ctCheckBox", "ctDataCheckBox", "ctRotated",
    "ctDataImage", "ctNode", "ctRadio", "ctEmpty", "ctImages", "ctPicture", "ctFilePicture",
    "ctValue", "ctProgress", "ctComment", "ctButton", "ctBitButton", "ctVirtCheckBox",
    "ctProgressPie"};
constexpr std::array<std::string_view, 6> kGraphicVAlignNames = {
    "vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
constexpr std::array<std::string_view, 6> kGraphicHAlignNames = {
    "haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool IsIdentifier(std::string_view name)
{
    if (name.empty())
        return false;
    for (const char ch : name) {
        const bool ok = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                        (ch >= '0' && ch <= '9') || ch == '_';
        if (!ok)
            return false;
    }
    return true;
}

// The picture record class that follows a graphic of this kind, or empty when none does.
std::string_view PictureClassOf(GraphicKind kind)
{
    switch (kind) {
    case GraphicKind::Bitmap:
    case GraphicKind::BitButton:
        return "TGridBMPIO";
    case GraphicKind::Icon:
        return "TGridIconIO";
    case GraphicKind::Radio:
    case GraphicKind::Images:
        return "TGridSLIO";
    case GraphicKind::Picture:
        return "TGridPicIO";
    case GraphicKind::FilePicture:
        return "TGridFilePicIO";
    default:
        return {};
    }
}

// --- text conversion ---

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16 units of valid UTF-8 text.
std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string units;
    units.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        char32_t cp = lead;
        std::size_t extra = 0;
        if (lead >= 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else if (lead >= 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if (lead >= 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        }
        ++i;
        for (std::size_t k = 0; k < extra && i < text.size(); ++k, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            units += static_cast<char16_t>(0xD800 + (cp >> 10));
            units += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            units += static_cast<char16_t>(cp);
        }
    }
    return units;
}

// --- writing ---

class RecordWriter {
public:
    explicit RecordWriter(std::string& out) : out_(out) {}

    void Begin(std::string_view className)
    {
        out_ += kSignature;
        ShortString(className);
        out_ += '\0';  // the record name, always empty
    }
    void End()
    {
        out_ += '\0';  // end of the properties
        out_ += '\0';  // end of the (empty) sub-record list
    }

    void Int(std::string_view name, std::int32_t value)
    {
        ShortString(name);
        IntValue(value);
    }
    void Bool(std::string_view name, bool value)
    {
        ShortString(name);
        out_ += static_cast<char>(value ? vaTrue : vaFalse);
    }
    void Ident(std::string_view name, std::string_view ident)
    {
        ShortString(name);
        out_ += static_cast<char>(vaIdent);
        ShortString(ident);
    }
    template <std::size_t N>
    void Enum(std::string_view name, std::uint8_t value,
              const std::array<std::string_view, N>& names)
    {
        Ident(name, names[value < N ? value : 0]);
    }
    void ColourValue(std::string_view name, Colour colour)
    {
        const std::string_view colourName = ColourName(colour);
        if (!colourName.empty())
            Ident(name, colourName);
        else
            Int(name, static_cast<std::int32_t>(colour));
    }
    void FontStyle(std::string_view name, std::uint8_t style)
    {
        ShortString(name);
        out_ += static_cast<char>(vaSet);
        for (std::size_t bit = 0; bit < kFontStyleNames.size(); ++bit)
            if (style & (1u << bit))
                ShortString(kFontStyleNames[bit]);
        out_ += '\0';
    }
    // Left out when empty.
    void Text(std::string_view name, const std::string& text)
    {
        if (text.empty())
            return;
        ShortString(name);
        TextValue(text);
    }
    // Left out when zero.
    void Float(std::string_view name, long double value)
    {
        if (value == 0)
            return;
        ShortString(name);
        out_ += static_cast<char>(vaExtended);
        unsigned char bytes[10];
        EncodeExtended(value, bytes);
        out_.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }

private:
    void ShortString(std::string_view s)
    {
        s = s.substr(0, 255);
        out_ += static_cast<char>(s.size());
        out_ += s;
    }
    void Int32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void IntValue(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        if (value >= -128 && value <= 127) {
            out_ += static_cast<char>(vaInt8);
            out_ += static_cast<char>(bits & 0xFF);
        } else if (value >= -32768 && value <= 32767) {
            out_ += static_cast<char>(vaInt16);
            out_ += static_cast<char>(bits & 0xFF);
            out_ += static_cast<char>((bits >> 8) & 0xFF);
        } else {
            out_ += static_cast<char>(vaInt32);
            Int32(bits);
        }
    }
    void TextValue(const std::string& raw)
    {
        // Texts are UTF-8 in memory; anything that is not gets read as Windows-1252 first.
        const std::string text = IsValidUtf8(raw) ? raw : DecodeText(raw);
        const std::u16string units = Utf8ToUtf16(text);
        if (text.size() < 2 * units.size()) {
            bool ascii = true;
            for (const char ch : text)
                ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
            if (!ascii) {
                out_ += static_cast<char>(vaUtf8String);
                Int32(static_cast<std::uint32_t>(text.size()));
            } else if (text.size() < 256) {
                out_ += static_cast<char>(vaString);
                out_ += static_cast<char>(text.size());
            } else {
                out_ += static_cast<char>(vaLString);
                Int32(static_cast<std::uint32_t>(text.size()));
            }
            out_ += text;
        } else {
            out_ += static_cast<char>(vaWString);
            Int32(static_cast<std::uint32_t>(units.size()));
            for (const char16_t unit : units) {
                out_ += static_cast<char>(unit & 0xFF);
                out_ += static_cast<char>(unit >> 8);
            }
        }
    }

    std::string& out_;
};

std::string JoinNumbers(const std::vector<int>& numbers)
{
    std::string list;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            list += ',';
        list += std::to_string(numbers[i]);
    }
    return list;
}

void WriteCellProperties(RecordWriter& w, const CellProperties& p)
{
    w.Begin("TGridCellPropIO");
    w.Bool("CellProperties.IsBaseCell", p.isBaseCell);
    w.Int("CellProperties.CellSpanX", p.spanX);
    w.Int("CellProperties.CellSpanY", p.spanY);
    w.Int("CellProperties.OwnerCol", p.ownerCol);
    w.Int("CellProperties.OwnerRow", p.ownerRow);
    w.Enum("CellProperties.Alignment", static_cast<std::uint8_t>(p.alignment), kAlignmentNames);
    w.ColourValue("CellProperties.BorderColor", p.borderColor);
    w.Int("CellProperties.BorderWidth", p.borderWidth);
    w.ColourValue("CellProperties.BrushColor", p.brushColor);
    w.Enum("CellProperties.BrushStyle", static_cast<std::uint8_t>(p.brushStyle), kBrushStyleNames);
    w.ColourValue("CellProperties.FontColor", p.fontColor);
    w.Text("CellProperties.FontName", p.fontName);
    w.Int("CellProperties.FontSize", p.fontSize);
    w.FontStyle("CellProperties.FontStyle", p.fontStyle);
    const bool editorOk = IsIdentifier(p.editor) && p.editor.size() < 256;
    w.Ident("CellProperties.Editor", editorOk ? std::string_view(p.editor) : "edNormal");
    w.Bool("CellProperties.ReadOnly", p.readOnly);
    w.Enum("CellProperties.VAlignment", static_cast<std::uint8_t>(p.vAlignment), kVAlignmentNames);
    w.Bool("CellProperties.WordWrap", p.wordWrap);
    w.Int("CellProperties.NodeLevel", p.nodeLevel);
    w.Bool("HasGraphic", p.graphic.has_value());
    w.End();
}

void WriteCellGraphic(RecordWriter& w, const CellGraphic& g)
{
    w.Begin("TGridGraphicIO");
    w.Enum("CellGraphic.CellType", static_cast<std::uint8_t>(g.kind), kGraphicKindNames);
    w.Enum("CellGraphic.CellVAlign", static_cast<std::uint8_t>(g.vAlign), kGraphicVAlignNames);
    w.Enum("CellGraphic.CellHAlign", static_cast<std::uint8_t>(g.hAlign), kGraphicHAlignNames);
    w.Int("CellGraphic.CellIndex", g.index);
    w.Bool("CellGraphic.CellTransparent", g.transparent);
    w.Bool("CellGraphic.CellCreated", g.created);
    w.Bool("CellGraphic.CellBoolean", g.boolean);
    w.Int("CellGraphic.CellAngle", g.angle);
    w.Float("CellGraphic.CellValue", g.value);
    w.Int("CellGraphic.CellErrFrom", g.errFrom);
    w.Int("CellGraphic.CellErrLen", g.errLen);
    w.Text("CellGraphic.CellText", g.text);
    w.End();
    // The sheets never hold pictures; an empty picture object writes no properties.
    if (const std::string_view pictureClass = PictureClassOf(g.kind); !pictureClass.empty()) {
        w.Begin(pictureClass);
        w.End();
    }
}

// --- reading ---

struct StreamError {
    std::string message;
};

[[noreturn]] void Fail(std::string_view message)
{
    throw StreamError{std::string(message)};
}

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Remaining() const { return bytes_.size() - pos_; }

    std::string_view Take(std::size_t n)
    {
        if (n > Remaining())
            Fail(kInvalidPropertyValue);
        const std::string_view part = bytes_.substr(pos_, n);
        pos_ += n;
        return part;
    }
    unsigned char Byte() { return static_cast<unsigned char>(Take(1)[0]); }
    std::uint32_t UInt(std::size_t size)
    {
        const std::string_view part = Take(size);
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < size; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(part[i])) << (8 * i);
        return v;
    }
    std::string_view ShortString() { return Take(Byte()); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

std::int32_t ReadInt(ByteReader& in)
{
    switch (in.Byte()) {
    case vaInt8:
        return static_cast<std::int8_t>(in.UInt(1));
    case vaInt16:
        return static_cast<std::int16_t>(in.UInt(2));
    case vaInt32:
        return static_cast<std::int32_t>(in.UInt(4));
    default:
        Fail(kInvalidPropertyValue);
    }
}

bool ReadBool(ByteReader& in)
{
    switch (in.Byte()) {
    case vaFalse:
        return false;
    case vaTrue:
        return true;
    default:
        Fail(kInvalidPropertyValue);
    }
}

std::string Utf16ToUtf8(std::string_view bytes)
{
    std::string text;
    const std::size_t count = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    };
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
            const char16_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(text, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(text, unit >= 0xD800 && unit < 0xE000 ? char32_t{0xFFFD} : char32_t{unit});
    }
    return text;
}

std::string ReadText(ByteReader& in)
{
    switch (in.Byte()) {
    case vaString:
        return DecodeText(in.ShortString());
    case vaLString:
    case vaUtf8String:
        return DecodeText(in.Take(in.UInt(4)));
    case vaWString: {
        const std::uint64_t units = in.UInt(4);
        if (units * 2 > in.Remaining())
            Fail(kInvalidPropertyValue);
        return Utf16ToUtf8(in.Take(static_cast<std::size_t>(units * 2)));
    }
    default:
        Fail(kInvalidPropertyValue);
    }
}

std::string_view ReadIdent(ByteReader& in)
{
    if (in.Byte() != vaIdent)
        Fail(kInvalidPropertyValue);
    return in.ShortString();
}

template <class Enum, std::size_t N>
Enum ReadEnum(ByteReader& in, const std::array<std::string_view, N>& names)
{
    const std::string_view ident = ReadIdent(in);
    for (std::size_t i = 0; i < N; ++i)
        if (EqualsNoCase(ident, names[i]))
            return static_cast<Enum>(i);
    Fail(kInvalidPropertyValue);
}

Colour ReadColour(ByteReader& in)
{
    // A colour is stored by its name or as a number.
    ByteReader probe = in;
    if (probe.Byte() != vaIdent)
        return static_cast<Colour>(ReadInt(in));
    const std::string_view name = ReadIdent(in);
    Colour colour = 0;
    if (!TryStringToColor(name, colour) || !EqualsNoCase(ColourName(colour), name))
        Fail(kInvalidPropertyValue);
    return colour;
}

std::uint8_t ReadFontStyle(ByteReader& in)
{
    if (in.Byte() != vaSet)
        Fail(kInvalidPropertyValue);
    std::uint8_t style = 0;
    for (std::string_view name = in.ShortString(); !name.empty(); name = in.ShortString()) {
        std::size_t bit = 0;
        while (bit < kFontStyleNames.size() && !EqualsNoCase(name, kFontStyleNames[bit]))
            ++bit;
        if (bit == kFontStyleNames.size())
            Fail(kInvalidPropertyValue);
        style = static_cast<std::uint8_t>(style | (1u << bit));
    }
    return style;
}

long double ReadFloat(ByteReader& in)
{
    ByteReader probe = in;
    if (probe.Byte() != vaExtended)
        return ReadInt(in);
    in.Byte();
    unsigned char bytes[10];
    std::memcpy(bytes, in.Take(10).data(), 10);
    return DecodeExtended(bytes);
}

int ReadCount(ByteReader& in)
{
    const int count = ReadInt(in);
    if (count < 1 || count > kMaxSheetSize)
        Fail(kInvalidPropertyValue);
    return count;
}

template <class Record>
struct Property {
    std::string_view name;
    void (*read)(ByteReader&, Record&);
};

// Reads one record into `record`: properties the record leaves out keep their value.
template <class Record, std::size_t N>
void ReadRecord(ByteReader& in, Record& record, const std::array<Property<Record>, N>& properties)
{
    if (in.Remaining() < kSignature.size() || in.Take(kSignature.size()) != kSignature)
        Fail(kInvalidStreamFormat);
    in.ShortString();  // the class name: the caller knows which record comes next
    in.ShortString();  // the record name
    for (std::string_view name = in.ShortString(); !name.empty(); name = in.ShortString()) {
        const Property<Record>* found = nullptr;
        for (const Property<Record>& p : properties)
            if (EqualsNoCase(name, p.name))
                found = &p;
        if (!found)
            Fail("Property " + std::string(name) + " does not exist");
        found->read(in, record);
    }
    if (in.Byte() != 0)  // records of this kind have no sub-records
        Fail(kInvalidStreamFormat);
}

struct GridRecord {
    int colCount = 0;
    int rowCount = 0;
    std::string colWidths;
    std::string rowHeights;
    bool fullGrid = false;
    int id = 0;
};

struct CellRecord {
    int col = 0;
    int row = 0;
    std::string text;
    bool hasProp = false;
};

struct PropsRecord {
    CellProperties props;
    bool hasGraphic = false;
};

struct NoRecord {};

const std::array<Property<GridRecord>, 6> kGridProperties = {{
    {"ColCount", [](ByteReader& in, GridRecord& r) { r.colCount = ReadCount(in); }},
    {"RowCount", [](ByteReader& in, GridRecord& r) { r.rowCount = ReadCount(in); }},
    {"ColWidths", [](ByteReader& in, GridRecord& r) { r.colWidths = ReadText(in); }},
    {"RowHeights", [](ByteReader& in, GridRecord& r) { r.rowHeights = ReadText(in); }},
    {"FullGrid", [](ByteReader& in, GridRecord& r) { r.fullGrid = ReadBool(in); }},
    {"ID", [](ByteReader& in, GridRecord& r) { r.id = ReadInt(in); }},
}};

const std::array<Property<CellRecord>, 4> kCellProperties = {{
    {"Col", [](ByteReader& in, CellRecord& r) { r.col = ReadInt(in); }},
    {"Row", [](ByteReader& in, CellRecord& r) { r.row = ReadInt(in); }},
    {"Cell", [](ByteReader& in, CellRecord& r) { r.text = ReadText(in); }},
    {"HasProp", [](ByteReader& in, CellRecord& r) { r.hasProp = ReadBool(in); }},
}};

const std::array<Property<PropsRecord>, 20> kPropsProperties = {{
    {"CellProperties.IsBaseCell",
     [](ByteReader& in, PropsRecord& r) { r.props.isBaseCell = ReadBool(in); }},
    {"CellProperties.CellSpanX",
     [](ByteReader& in, PropsRecord& r) { r.props.spanX = ReadInt(in); }},
    {"CellProperties.CellSpanY",
     [](ByteReader& in, PropsRecord& r) { r.props.spanY = ReadInt(in); }},
    {"CellProperties.OwnerCol",
     [](ByteReader& in, PropsRecord& r) { r.props.ownerCol = ReadInt(in); }},
    {"CellProperties.OwnerRow",
     [](ByteReader& in, PropsRecord& r) { r.props.ownerRow = ReadInt(in); }},
    {"CellProperties.Alignment",
     [](ByteReader& in, PropsRecord& r) {
         r.props.alignment = ReadEnum<HAlignment>(in, kAlignmentNames);
     }},
    {"CellProperties.BorderColor",
     [](ByteReader& in, PropsRecord& r) { r.props.borderColor = ReadColour(in); }},
    {"CellProperties.BorderWidth",
     [](ByteReader& in, PropsRecord& r) { r.props.borderWidth = ReadInt(in); }},
    {"CellProperties.BrushColor",
     [](ByteReader& in, PropsRecord& r) { r.props.brushColor = ReadColour(in); }},
    {"CellProperties.BrushStyle",
     [](ByteReader& in, PropsRecord& r) {
         r.props.brushStyle = ReadEnum<BrushStyle>(in, kBrushStyleNames);
     }},
    {"CellProperties.FontColor",
     [](ByteReader& in, PropsRecord& r) { r.props.fontColor = ReadColour(in); }},
    {"CellProperties.FontName",
     [](ByteReader& in, PropsRecord& r) { r.props.fontName = ReadText(in); }},
    {"CellProperties.FontSize",
     [](ByteReader& in, PropsRecord& r) { r.props.fontSize = ReadInt(in); }},
    {"CellProperties.FontStyle",
     [](ByteReader& in, PropsRecord& r) { r.props.fontStyle = ReadFontStyle(in); }},
    {"CellProperties.Editor",
     [](ByteReader& in, PropsRecord& r) {
         const std::string_view editor = ReadIdent(in);
         if (!IsIdentifier(editor))
             Fail(kInvalidPropertyValue);
         r.props.editor = std::string(editor);
     }},
    {"CellProperties.ReadOnly",
     [](ByteReader& in, PropsRecord& r) { r.props.readOnly = ReadBool(in); }},
    {"CellProperties.VAlignment",
     [](ByteReader& in, PropsRecord& r) {
         r.props.vAlignment = ReadEnum<VAlignment>(in, kVAlignmentNames);
     }},
    {"CellProperties.WordWrap",
     [](ByteReader& in, PropsRecord& r) { r.props.wordWrap = ReadBool(in); }},
    {"CellProperties.NodeLevel",
     [](ByteReader& in, PropsRecord& r) { r.props.nodeLevel = ReadInt(in); }},
    {"HasGraphic", [](ByteReader& in, PropsRecord& r) { r.hasGraphic = ReadBool(in); }},
}};

const std::array<Property<CellGraphic>, 12> kGraphicProperties = {{
    {"CellGraphic.CellType",
     [](ByteReader& in, CellGraphic& g) {
         g.kind = ReadEnum<GraphicKind>(in, kGraphicKindNames);
     }},
    {"CellGraphic.CellVAlign",
     [](ByteReader& in, CellGraphic& g) {
         g.vAlign = ReadEnum<GraphicVAlign>(in, kGraphicVAlignNames);
     }},
    {"CellGraphic.CellHAlign",
     [](ByteReader& in, CellGraphic& g) {
         g.hAlign = ReadEnum<GraphicHAlign>(in, kGraphicHAlignNames);
     }},
    {"CellGraphic.CellIndex", [](ByteReader& in, CellGraphic& g) { g.index = ReadInt(in); }},
    {"CellGraphic.CellTransparent",
     [](ByteReader& in, CellGraphic& g) { g.transparent = ReadBool(in); }},
    {"CellGraphic.CellCreated", [](ByteReader& in, CellGraphic& g) { g.created = ReadBool(in); }},
    {"CellGraphic.CellBoolean", [](ByteReader& in, CellGraphic& g) { g.boolean = ReadBool(in); }},
    {"CellGraphic.CellAngle", [](ByteReader& in, CellGraphic& g) { g.angle = ReadInt(in); }},
    {"CellGraphic.CellValue", [](ByteReader& in, CellGraphic& g) { g.value = ReadFloat(in); }},
    {"CellGraphic.CellErrFrom", [](ByteReader& in, CellGraphic& g) { g.errFrom = ReadInt(in); }},
    {"CellGraphic.CellErrLen", [](ByteReader& in, CellGraphic& g) { g.errLen = ReadInt(in); }},
    {"CellGraphic.CellText", [](ByteReader& in, CellGraphic& g) { g.text = ReadText(in); }},
}};

// The picture data of the picture kinds is never part of these sheets; only an empty picture
// record can be read.
const std::array<Property<NoRecord>, 4> kPictureProperties = {{
    {"Bitmap", [](ByteReader&, NoRecord&) { Fail(kInvalidPropertyValue); }},
    {"Icon", [](ByteReader&, NoRecord&) { Fail(kInvalidPropertyValue); }},
    {"Strings", [](ByteReader&, NoRecord&) { Fail(kInvalidPropertyValue); }},
    {"Picture", [](ByteReader&, NoRecord&) { Fail(kInvalidPropertyValue); }},
}};

// Widths or heights from a comma list; entries beyond the count are ignored.
void ApplySizes(std::string_view list, int count, auto&& set)
{
    int i = 0;
    while (!list.empty() && i < count) {
        const std::size_t comma = list.find(',');
        const std::string_view entry = list.substr(0, comma);
        int value = 0;
        if (!TryParseInt(entry, value))
            Fail(kInvalidPropertyValue);
        set(i++, value);
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
}

void ReadStream(ScheduleSheet& sheet, std::string_view bytes)
{
    ByteReader in(bytes);

    GridRecord grid;
    grid.colCount = sheet.colCount();
    grid.rowCount = sheet.rowCount();
    ReadRecord(in, grid, kGridProperties);
    if (grid.fullGrid) {
        if (grid.colCount < 1 || grid.rowCount < 1 ||
            static_cast<std::size_t>(grid.colCount) * static_cast<std::size_t>(grid.rowCount) >
                kMaxStreamCells)
            Fail(kInvalidPropertyValue);
        sheet.ClearCells();
        sheet.Resize(grid.colCount, grid.rowCount);
        ApplySizes(grid.colWidths, grid.colCount, [&](int i, int w) { sheet.SetColWidth(i, w); });
        ApplySizes(grid.rowHeights, grid.rowCount,
                   [&](int i, int h) { sheet.SetRowHeight(i, h); });
    }

    // One reusable record per kind, as the files were always read: what a record leaves out
    // keeps the previous record's value. Texts and floating-point values are the exception:
    // the writer leaves them out when they are empty or 0, so there absent means empty or 0.
    CellRecord cell;
    PropsRecord props;
    CellGraphic graphic;
    bool first = true;
    int offsetCol = 0;
    int offsetRow = 0;
    while (in.Remaining() >= 2) {
        cell.text.clear();
        ReadRecord(in, cell, kCellProperties);
        if (!grid.fullGrid && first) {
            offsetCol = cell.col;
            offsetRow = cell.row;
        }
        first = false;
        const long long col = static_cast<long long>(cell.col) - offsetCol;
        const long long row = static_cast<long long>(cell.row) - offsetRow;
        if (col < 0 || row < 0 || col >= sheet.colCount() || row >= sheet.rowCount())
            Fail(kInvalidPropertyValue);
        const int c = static_cast<int>(col);
        const int r = static_cast<int>(row);
        sheet.SetText(c, r, cell.text);
        if (!cell.hasProp)
            continue;

        props.props.fontName.clear();
        ReadRecord(in, props, kPropsProperties);
        CellProperties& target = sheet.Props(c, r);
        std::optional<CellGraphic> kept = std::move(target.graphic);
        target = props.props;
        target.graphic = std::move(kept);
        if (!props.hasGraphic)
            continue;

        graphic.text.clear();
        graphic.value = 0;
        ReadRecord(in, graphic, kGraphicProperties);
        if (!PictureClassOf(graphic.kind).empty()) {
            NoRecord picture;
            ReadRecord(in, picture, kPictureProperties);
        }
        target.graphic = graphic;
    }
}

} // namespace

void EncodeExtended(long double value, unsigned char out[10])
{
    std::uint64_t mantissa = 0;
    unsigned exponent = 0;
    const bool negative = std::signbit(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0) {
        int e = 0;
        const long double m = std::frexp(std::fabs(value), &e);  // m in [0.5, 1)
        const int biased = e - 1 + 16383;
        if (biased >= 0x7FFF) {
            exponent = 0x7FFF;
            mantissa = 0x8000000000000000ull;
        } else if (biased > 0) {
            exponent = static_cast<unsigned>(biased);
            mantissa = static_cast<std::uint64_t>(std::ldexp(m, 64));
        } else {
            // Too small for the normal form: the denormal scale is 2^-16445.
            mantissa = static_cast<std::uint64_t>(std::ldexp(std::fabs(value), 16445));
        }
    }
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>((mantissa >> (8 * i)) & 0xFF);
    const unsigned top = exponent | (negative ? 0x8000u : 0u);
    out[8] = static_cast<unsigned char>(top & 0xFF);
    out[9] = static_cast<unsigned char>(top >> 8);
}

long double DecodeExtended(const unsigned char in[10])
{
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    const unsigned top = in[8] | (unsigned{in[9]} << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exponent = static_cast<int>(top & 0x7FFFu);
    long double value = 0;
    if (exponent == 0x7FFF) {
        value = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                     : std::numeric_limits<long double>::quiet_NaN();
    } else if (exponent == 0) {
        value = std::ldexp(static_cast<long double>(mantissa), -16445);
    } else {
        value = std::ldexp(static_cast<long double>(mantissa), exponent - 16383 - 63);
    }
    return negative ? -value : value;
}

std::string WriteGridCellStream(const ScheduleSheet& sheet)
{
    std::string out;
    RecordWriter w(out);
    w.Begin("TGridPropIO");
    w.Int("ColCount", sheet.colCount());
    w.Int("RowCount", sheet.rowCount());
    w.Text("ColWidths", JoinNumbers(sheet.ColWidths()));
    w.Text("RowHeights", JoinNumbers(sheet.RowHeights()));
    w.Bool("FullGrid", true);
    w.Int("ID", 0);
    w.End();

    for (int c = 0; c < sheet.colCount(); ++c) {
        for (int r = 0; r < sheet.rowCount(); ++r) {
            const SheetCell& cell = sheet.Cell(c, r);
            if (cell.text.empty() && !cell.props)
                continue;
            w.Begin("TGridCellIO");
            w.Int("Col", c);
            w.Int("Row", r);
            w.Text("Cell", cell.text);
            w.Bool("HasProp", cell.props != nullptr);
            w.End();
            if (!cell.props)
                continue;
            WriteCellProperties(w, *cell.props);
            if (cell.props->graphic)
                WriteCellGraphic(w, *cell.props->graphic);
        }
    }
    return out;
}

std::expected<void, std::string> ReadGridCellStream(ScheduleSheet& sheet, std::string_view bytes)
{
    try {
        ReadStream(sheet, bytes);
    } catch (const StreamError& error) {
        return std::unexpected(error.message);
    }
    return {};
}

void CopySheet(const ScheduleSheet& from, ScheduleSheet& to)
{
    if (&from == &to)
        return;
    if (ReadGridCellStream(to, WriteGridCellStream(from)))
        return;
    // Only a sheet the stream cannot hold (no columns, say) gets here: copy it directly.
    const int fixedCols = to.fixedCols;
    const int fixedRows = to.fixedRows;
    std::string fontName = std::move(to.fontName);
    const int fontSize = to.fontSize;
    const Colour fontColour = to.fontColour;
    to = from;
    to.fixedCols = fixedCols;
    to.fixedRows = fixedRows;
    to.fontName = std::move(fontName);
    to.fontSize = fontSize;
    to.fontColour = fontColour;
}

// --- the light form ---

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string EncodeLineText(const std::string& text)
{
    if (text.find('\r') == std::string::npos)
        return text;
    std::string encoded = text;
    for (char& ch : encoded) {
        if (ch == '\r')
            ch = '\t';
        else if (ch == '\n')
            ch = '\b';
    }
    return encoded;
}

std::string DecodeLineText(std::string_view text)
{
    std::string decoded(text);
    if (decoded.find_first_of("\t\b") == std::string::npos)
        return decoded;
    for (char& ch : decoded) {
        if (ch == '\t')
            ch = '\r';
        else if (ch == '\b')
            ch = '\n';
    }
    return decoded;
}

// A line runs up to its carriage return; the character after it (the line feed) is skipped.
std::string_view NextLine(std::string_view bytes, std::size_t& pos)
{
    const std::size_t cr = bytes.find('\r', pos);
    const std::size_t end = cr == std::string_view::npos ? bytes.size() : cr;
    const std::string_view line = bytes.substr(pos, end - pos);
    pos = cr == std::string_view::npos ? bytes.size() : std::min(bytes.size(), cr + 2);
    return line;
}

} // namespace

std::string WriteCellTextStream(const ScheduleSheet& sheet)
{
    std::string out = std::to_string(sheet.colCount()) + "," + std::to_string(sheet.rowCount());
    out += kLineEnd;
    for (int c = 0; c < sheet.colCount(); ++c) {
        out += "cw " + std::to_string(c) + "," + std::to_string(sheet.ColWidth(c));
        out += kLineEnd;
    }
    for (int r = 0; r < sheet.rowCount(); ++r) {
        for (int c = 0; c < sheet.colCount(); ++c) {
            const std::string& text = sheet.Text(c, r);
            if (text.empty())
                continue;
            out += std::to_string(c) + "," + std::to_string(r) + "," + EncodeLineText(text);
            out += kLineEnd;
        }
    }
    return out;
}

std::expected<void, std::string> ReadCellTextStream(ScheduleSheet& sheet, std::string_view bytes)
{
    std::size_t pos = 0;
    if (!bytes.empty()) {
        const std::string_view size = NextLine(bytes, pos);
        if (!size.empty()) {
            const std::size_t comma = size.find(',');
            int cols = 0;
            int rows = 0;
            if (comma == std::string_view::npos || !TryParseInt(size.substr(0, comma), cols) ||
                !TryParseInt(size.substr(comma + 1), rows) || cols < 1 || rows < 1 ||
                cols > kMaxSheetSize || rows > kMaxSheetSize ||
                static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows) > kMaxStreamCells)
                return std::unexpected(std::string(kInvalidStreamFormat));
            sheet.Resize(cols, rows);
        }
    }
    while (pos < bytes.size()) {
        const std::string_view line = NextLine(bytes, pos);
        if (line.starts_with("cw")) {
            const std::size_t comma = line.find(',');
            int index = 0;
            int width = 0;
            if (comma != std::string_view::npos &&
                TryParseInt(line.substr(2, comma - 2), index) &&
                TryParseInt(line.substr(comma + 1), width) && index >= 0 &&
                index < sheet.colCount())
                sheet.SetColWidth(index, width);
            continue;
        }
        const std::size_t first = line.find(',');
        if (first == std::string_view::npos)
            continue;
        const std::size_t second = line.find(',', first + 1);
        if (second == std::string_view::npos)
            continue;
        int col = 0;
        int row = 0;
        if (!TryParseInt(line.substr(0, first), col) ||
            !TryParseInt(line.substr(first + 1, second - first - 1), row) ||
            !sheet.Contains(col, row))
            continue;
        sheet.SetText(col, row, DecodeText(DecodeLineText(line.substr(second + 1))));
    }
    return {};
}

} // namespace shiftex
