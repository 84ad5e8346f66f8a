#include "files/grid_cell_stream.h"

#include "files/large_buffer.h"
#include "files/text_io.h"
#include "model/text_helpers.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace shiftex {

namespace {

constexpr std::string_view kSignature = kGridCellStreamSignature;
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

// How many cells ahead the writer and the reader ask for the memory they will use.
constexpr int kPrefetchCells = 8;

void Prefetch(const void* object, std::size_t size)
{
    const char* const bytes = static_cast<const char*>(object);
    for (std::size_t line = 0; line < size; line += 64)
        __builtin_prefetch(bytes + line);
}

// --- writing ---

// The most bytes a text value takes: its type byte, a 4-byte length and the text, which grows at
// most threefold when 8-bit text is read as Windows-1252 first (and at most twofold as UTF-16).
constexpr std::size_t TextBound(std::size_t size)
{
    return 5 + 3 * size;
}

// Upper bounds of the records without their texts (and without the editor name): every name and
// the largest form of every value. Counted: 17 + 9 + 9 + 5 + 9 + 2 = 51 for a cell record;
// 21 + 485 (names) + 203 (values) + 2 + 2 (the editor's type and length) = 713 for a
// properties record; 20 + 277 + 77 + 2 + 22 (a picture record) = 398 for a graphic record;
// 6 names and 5 values below 100 for the grid record.
constexpr std::size_t kGridRecordBound = 128;
constexpr std::size_t kCellRecordBound = 64;
constexpr std::size_t kPropsRecordBound = 768;
constexpr std::size_t kGraphicRecordBound = 512;

std::size_t CellRecordBound(const SheetCell& cell)
{
    return kCellRecordBound + TextBound(cell.text.size());
}
std::size_t PropsRecordBound(const CellProperties& props)
{
    return kPropsRecordBound + TextBound(props.fontName.size()) +
           std::max<std::size_t>(props.editor.size(), 8);  // or edNormal
}
std::size_t GraphicRecordBound(const CellGraphic& graphic)
{
    return kGraphicRecordBound + TextBound(graphic.text.size());
}

// The most bytes a cell's records take; 0 for a cell that is not written.
std::size_t CellBound(const SheetCell& cell)
{
    const CellProperties* props = cell.props.get();
    if (cell.text.empty() && !props)
        return 0;
    std::size_t bound = CellRecordBound(cell);
    if (props) {
        bound += PropsRecordBound(*props);
        if (props->graphic)
            bound += GraphicRecordBound(*props->graphic);
    }
    return bound;
}

bool IsAscii(std::string_view text)
{
    unsigned char any = 0;
    for (const char ch : text)
        any |= static_cast<unsigned char>(ch);
    return any < 0x80;
}

// The name of the colour a property had in the record before, which is mostly the one it has
// now: looking a colour up among all names each time would cost more than writing the record.
class ColourNames {
public:
    std::string_view Of(Colour colour)
    {
        if (!known_ || colour != colour_) {
            colour_ = colour;
            name_ = ColourName(colour);
            known_ = true;
        }
        return name_;
    }

private:
    bool known_ = false;
    Colour colour_ = 0;
    std::string_view name_;
};

// Writes records at a position in a buffer that the caller made large enough (the bounds above).
// Names are string constants almost everywhere, so their lengths and copies fold away.
class RecordWriter {
public:
    explicit RecordWriter(char* out) : p_(out) {}

    char* position() const { return p_; }

    void Begin(std::string_view className)
    {
        Raw(kSignature);
        ShortString(className);
        *p_++ = '\0';  // the record name, always empty
    }
    void End()
    {
        *p_++ = '\0';  // end of the properties
        *p_++ = '\0';  // end of the (empty) sub-record list
    }

    void Int(std::string_view name, std::int32_t value)
    {
        ShortString(name);
        IntValue(value);
    }
    void Bool(std::string_view name, bool value)
    {
        ShortString(name);
        *p_++ = static_cast<char>(value ? vaTrue : vaFalse);
    }
    void Ident(std::string_view name, std::string_view ident)
    {
        ShortString(name);
        *p_++ = static_cast<char>(vaIdent);
        ShortString(ident);
    }
    template <std::size_t N>
    void Enum(std::string_view name, std::uint8_t value,
              const std::array<std::string_view, N>& names)
    {
        Ident(name, names[value < N ? value : 0]);
    }
    void ColourValue(std::string_view name, Colour colour, ColourNames& names)
    {
        const std::string_view colourName = names.Of(colour);
        if (!colourName.empty())
            Ident(name, colourName);
        else
            Int(name, static_cast<std::int32_t>(colour));
    }
    void FontStyle(std::string_view name, std::uint8_t style)
    {
        ShortString(name);
        *p_++ = static_cast<char>(vaSet);
        for (std::size_t bit = 0; bit < kFontStyleNames.size(); ++bit)
            if (style & (1u << bit))
                ShortString(kFontStyleNames[bit]);
        *p_++ = '\0';
    }
    // Left out when empty.
    void Text(std::string_view name, std::string_view text)
    {
        if (text.empty())
            return;
        ShortString(name);
        if (IsAscii(text)) {
            if (text.size() < 256) {
                *p_++ = static_cast<char>(vaString);
                *p_++ = static_cast<char>(text.size());
            } else {
                *p_++ = static_cast<char>(vaLString);
                Int32(static_cast<std::uint32_t>(text.size()));
            }
            Raw(text);
        } else {
            OtherTextValue(text);
        }
    }
    // Left out when zero.
    void Float(std::string_view name, long double value)
    {
        if (value == 0)
            return;
        ShortString(name);
        *p_++ = static_cast<char>(vaExtended);
        unsigned char bytes[10];
        EncodeExtended(value, bytes);
        std::memcpy(p_, bytes, sizeof bytes);
        p_ += sizeof bytes;
    }

private:
    void Raw(std::string_view s)
    {
        std::memcpy(p_, s.data(), s.size());
        p_ += s.size();
    }
    void ShortString(std::string_view s)
    {
        s = s.substr(0, std::min<std::size_t>(s.size(), 255));
        *p_++ = static_cast<char>(s.size());
        Raw(s);
    }
    void Int32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            *p_++ = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void IntValue(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        if (value >= -128 && value <= 127) {
            *p_++ = static_cast<char>(vaInt8);
            *p_++ = static_cast<char>(bits & 0xFF);
        } else if (value >= -32768 && value <= 32767) {
            *p_++ = static_cast<char>(vaInt16);
            *p_++ = static_cast<char>(bits & 0xFF);
            *p_++ = static_cast<char>((bits >> 8) & 0xFF);
        } else {
            *p_++ = static_cast<char>(vaInt32);
            Int32(bits);
        }
    }
    // A text with other than ASCII characters: as UTF-8 when that is shorter than twice its
    // UTF-16 units, otherwise as UTF-16.
    void OtherTextValue(std::string_view raw)
    {
        // Texts are UTF-8 in memory; anything that is not gets read as Windows-1252 first.
        const std::string text = IsValidUtf8(raw) ? std::string(raw) : DecodeText(raw);
        const std::u16string units = Utf8ToUtf16(text);
        if (text.size() < 2 * units.size()) {
            *p_++ = static_cast<char>(vaUtf8String);
            Int32(static_cast<std::uint32_t>(text.size()));
            Raw(text);
        } else {
            *p_++ = static_cast<char>(vaWString);
            Int32(static_cast<std::uint32_t>(units.size()));
            for (const char16_t unit : units) {
                *p_++ = static_cast<char>(unit & 0xFF);
                *p_++ = static_cast<char>(unit >> 8);
            }
        }
    }

    char* p_;
};

std::string JoinNumbers(const std::vector<int>& numbers)
{
    std::string list;
    list.reserve(numbers.size() * 4);
    char digits[16];
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            list += ',';
        list.append(digits, std::to_chars(digits, digits + sizeof digits, numbers[i]).ptr);
    }
    return list;
}

// The colours of the record before, one for each colour property.
struct PropsColours {
    ColourNames border;
    ColourNames brush;
    ColourNames font;
};

bool IsEditorName(std::string_view editor)
{
    return editor == "edNormal" || (IsIdentifier(editor) && editor.size() < 256);
}

void WriteCellProperties(RecordWriter& w, const CellProperties& p, PropsColours& colours)
{
    w.Begin("TGridCellPropIO");
    w.Bool("CellProperties.IsBaseCell", p.isBaseCell);
    w.Int("CellProperties.CellSpanX", p.spanX);
    w.Int("CellProperties.CellSpanY", p.spanY);
    w.Int("CellProperties.OwnerCol", p.ownerCol);
    w.Int("CellProperties.OwnerRow", p.ownerRow);
    w.Enum("CellProperties.Alignment", static_cast<std::uint8_t>(p.alignment), kAlignmentNames);
    w.ColourValue("CellProperties.BorderColor", p.borderColor, colours.border);
    w.Int("CellProperties.BorderWidth", p.borderWidth);
    w.ColourValue("CellProperties.BrushColor", p.brushColor, colours.brush);
    w.Enum("CellProperties.BrushStyle", static_cast<std::uint8_t>(p.brushStyle), kBrushStyleNames);
    w.ColourValue("CellProperties.FontColor", p.fontColor, colours.font);
    w.Text("CellProperties.FontName", p.fontName);
    w.Int("CellProperties.FontSize", p.fontSize);
    w.FontStyle("CellProperties.FontStyle", p.fontStyle);
    w.Ident("CellProperties.Editor",
            IsEditorName(p.editor) ? std::string_view(p.editor) : "edNormal");
    w.Bool("CellProperties.ReadOnly", p.readOnly);
    w.Enum("CellProperties.VAlignment", static_cast<std::uint8_t>(p.vAlignment), kVAlignmentNames);
    w.Bool("CellProperties.WordWrap", p.wordWrap);
    w.Int("CellProperties.NodeLevel", p.nodeLevel);
    w.Bool("HasGraphic", p.graphic.has_value());
    w.End();
}

void WriteCellGraphic(RecordWriter& w, const CellGraphic& g)
{
    // A kind beyond the list is written as the first kind, and gets that kind's picture record:
    // a reader must find the records the kind it reads calls for.
    const bool listed = static_cast<std::uint8_t>(g.kind) < kGraphicKindNames.size();
    const GraphicKind kind = listed ? g.kind : GraphicKind::Bitmap;
    w.Begin("TGridGraphicIO");
    w.Enum("CellGraphic.CellType", static_cast<std::uint8_t>(kind), kGraphicKindNames);
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
    if (const std::string_view pictureClass = PictureClassOf(kind); !pictureClass.empty()) {
        w.Begin(pictureClass);
        w.End();
    }
}

// Each record stays within its bound (checked in debug builds), so the cell within CellBound.
void WriteCell(RecordWriter& w, int c, int r, const SheetCell& cell, PropsColours& colours)
{
    [[maybe_unused]] auto within = [&](const char* start, std::size_t bound) {
        return static_cast<std::size_t>(w.position() - start) <= bound;
    };
    [[maybe_unused]] const char* start = w.position();
    w.Begin("TGridCellIO");
    w.Int("Col", c);
    w.Int("Row", r);
    w.Text("Cell", cell.text);
    w.Bool("HasProp", cell.props != nullptr);
    w.End();
    assert(within(start, CellRecordBound(cell)));
    if (!cell.props)
        return;
    start = w.position();
    WriteCellProperties(w, *cell.props, colours);
    assert(within(start, PropsRecordBound(*cell.props)));
    if (!cell.props->graphic)
        return;
    start = w.position();
    WriteCellGraphic(w, *cell.props->graphic);
    assert(within(start, GraphicRecordBound(*cell.props->graphic)));
}

// --- reading ---

struct StreamError {
    std::string message;
};

[[noreturn, gnu::cold]] void Fail(std::string_view message)
{
    throw StreamError{std::string(message)};
}

std::uint64_t Load64(const char* bytes)
{
    std::uint64_t v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

// a == b for the short names and identifiers of a stream, without a call to memcmp.
bool SameText(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size();
    if (n != b.size())
        return false;
    if (n < 8) {
        for (std::size_t i = 0; i < n; ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }
    for (std::size_t i = 0; i + 8 < n; i += 8)
        if (Load64(a.data() + i) != Load64(b.data() + i))
            return false;
    return Load64(a.data() + n - 8) == Load64(b.data() + n - 8);  // the last eight, overlapping
}

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes)
        : p_(bytes.data()), end_(bytes.data() + bytes.size())
    {
    }

    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - p_); }

    std::string_view Take(std::size_t n)
    {
        if (n > Remaining())
            Fail(kInvalidPropertyValue);
        const std::string_view part(p_, n);
        p_ += n;
        return part;
    }
    unsigned char Peek() const
    {
        if (p_ == end_)
            Fail(kInvalidPropertyValue);
        return static_cast<unsigned char>(*p_);
    }
    unsigned char Byte()
    {
        const unsigned char b = Peek();
        ++p_;
        return b;
    }
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
    const char* p_;
    const char* end_;
};

std::int32_t ReadInt(ByteReader& in)
{
    switch (in.Byte()) {
    case vaInt8:
        return static_cast<std::int8_t>(in.Byte());
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

// 8-bit text as UTF-8 into `text`, whose storage is reused.
void AssignDecoded(std::string& text, std::string_view bytes)
{
    if (IsAscii(bytes))
        text.assign(bytes);
    else
        text = DecodeText(bytes);
}

void ReadText(ByteReader& in, std::string& text)
{
    switch (in.Byte()) {
    case vaString:
        AssignDecoded(text, in.ShortString());
        return;
    case vaLString:
    case vaUtf8String:
        AssignDecoded(text, in.Take(in.UInt(4)));
        return;
    case vaWString: {
        const std::uint64_t units = in.UInt(4);
        if (units * 2 > in.Remaining())
            Fail(kInvalidPropertyValue);
        text = Utf16ToUtf8(in.Take(static_cast<std::size_t>(units * 2)));
        return;
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

// The colour name one property had in the record before and its value: the cells of a sheet
// mostly share their colours, and a name is otherwise looked for among all names twice.
struct ColourCache {
    std::string_view name;  // in the stream's bytes, which outlive the reading
    Colour colour = 0;
};

Colour ReadColour(ByteReader& in, ColourCache& cache)
{
    // A colour is stored by its name or as a number.
    if (in.Peek() != vaIdent)
        return static_cast<Colour>(ReadInt(in));
    const std::string_view name = ReadIdent(in);
    if (!name.empty() && SameText(name, cache.name))
        return cache.colour;
    Colour colour = 0;
    if (!TryStringToColor(name, colour) || !EqualsNoCase(ColourName(colour), name))
        Fail(kInvalidPropertyValue);
    cache = {name, colour};
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
    if (in.Peek() != vaExtended)
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

// Reads one record into `record`: properties the record leaves out keep their value. Writers
// give the properties in the order of the table, so the names after the one just read are tried
// first, as they are; the search among all names without regard to case is for other writers.
template <class Record, std::size_t N>
void ReadRecord(ByteReader& in, Record& record, const std::array<Property<Record>, N>& properties)
{
    if (in.Remaining() < kSignature.size() || !SameText(in.Take(kSignature.size()), kSignature))
        Fail(kInvalidStreamFormat);
    in.ShortString();  // the class name: the caller knows which record comes next
    in.ShortString();  // the record name
    std::size_t next = 0;
    for (std::string_view name = in.ShortString(); !name.empty(); name = in.ShortString()) {
        // A property left out (an empty text) only moves the name further on.
        while (next < N && !SameText(name, properties[next].name))
            ++next;
        if (next == N) {
            next = 0;
            while (next < N && !EqualsNoCase(name, properties[next].name))
                ++next;
            if (next == N)
                Fail("Property " + std::string(name) + " does not exist");
        }
        properties[next].read(in, record);
        ++next;
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
    ColourCache borderColour;
    ColourCache brushColour;
    ColourCache fontColour;
};

struct NoRecord {};

const std::array<Property<GridRecord>, 6> kGridProperties = {{
    {"ColCount", [](ByteReader& in, GridRecord& r) { r.colCount = ReadCount(in); }},
    {"RowCount", [](ByteReader& in, GridRecord& r) { r.rowCount = ReadCount(in); }},
    {"ColWidths", [](ByteReader& in, GridRecord& r) { ReadText(in, r.colWidths); }},
    {"RowHeights", [](ByteReader& in, GridRecord& r) { ReadText(in, r.rowHeights); }},
    {"FullGrid", [](ByteReader& in, GridRecord& r) { r.fullGrid = ReadBool(in); }},
    {"ID", [](ByteReader& in, GridRecord& r) { r.id = ReadInt(in); }},
}};

const std::array<Property<CellRecord>, 4> kCellProperties = {{
    {"Col", [](ByteReader& in, CellRecord& r) { r.col = ReadInt(in); }},
    {"Row", [](ByteReader& in, CellRecord& r) { r.row = ReadInt(in); }},
    {"Cell", [](ByteReader& in, CellRecord& r) { ReadText(in, r.text); }},
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
     [](ByteReader& in, PropsRecord& r) {
         r.props.borderColor = ReadColour(in, r.borderColour);
     }},
    {"CellProperties.BorderWidth",
     [](ByteReader& in, PropsRecord& r) { r.props.borderWidth = ReadInt(in); }},
    {"CellProperties.BrushColor",
     [](ByteReader& in, PropsRecord& r) { r.props.brushColor = ReadColour(in, r.brushColour); }},
    {"CellProperties.BrushStyle",
     [](ByteReader& in, PropsRecord& r) {
         r.props.brushStyle = ReadEnum<BrushStyle>(in, kBrushStyleNames);
     }},
    {"CellProperties.FontColor",
     [](ByteReader& in, PropsRecord& r) { r.props.fontColor = ReadColour(in, r.fontColour); }},
    {"CellProperties.FontName",
     [](ByteReader& in, PropsRecord& r) { ReadText(in, r.props.fontName); }},
    {"CellProperties.FontSize",
     [](ByteReader& in, PropsRecord& r) { r.props.fontSize = ReadInt(in); }},
    {"CellProperties.FontStyle",
     [](ByteReader& in, PropsRecord& r) { r.props.fontStyle = ReadFontStyle(in); }},
    {"CellProperties.Editor",
     [](ByteReader& in, PropsRecord& r) {
         const std::string_view editor = ReadIdent(in);
         if (!SameText(editor, r.props.editor)) {
             if (!IsIdentifier(editor))
                 Fail(kInvalidPropertyValue);
             r.props.editor.assign(editor);
         }
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
    {"CellGraphic.CellText", [](ByteReader& in, CellGraphic& g) { ReadText(in, g.text); }},
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
        // The records mostly go down a column, whose cells lie a row apart in memory.
        if (r + kPrefetchCells < sheet.rowCount())
            __builtin_prefetch(&sheet.Cell(c, r + kPrefetchCells), 1);
        SheetCell& target = sheet.Cell(c, r);
        target.text.swap(cell.text);  // the record's text is emptied before the next record
        if (!cell.hasProp)
            continue;

        props.props.fontName.clear();
        ReadRecord(in, props, kPropsProperties);
        // The record never holds a graphic: a cell keeps the one it has until a graphic record
        // gives it another.
        if (!target.props) {
            target.props = std::make_unique<CellProperties>(props.props);
        } else {
            std::optional<CellGraphic> kept = std::move(target.props->graphic);
            *target.props = props.props;
            target.props->graphic = std::move(kept);
        }
        if (!props.hasGraphic)
            continue;

        graphic.text.clear();
        graphic.value = 0;
        ReadRecord(in, graphic, kGraphicProperties);
        if (!PictureClassOf(graphic.kind).empty()) {
            NoRecord picture;
            ReadRecord(in, picture, kPictureProperties);
        }
        target.props->graphic = graphic;
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
    const std::string widths = JoinNumbers(sheet.ColWidths());
    const std::string heights = JoinNumbers(sheet.RowHeights());
    // The bounds of all records, found in storage order, make one buffer enough for the whole
    // stream: there is no growing and copying, and each record is written without checks.
    std::size_t bound = kGridRecordBound + TextBound(widths.size()) + TextBound(heights.size());
    for (int r = 0; r < sheet.rowCount(); ++r)
        for (int c = 0; c < sheet.colCount(); ++c)
            bound += CellBound(sheet.Cell(c, r));

    std::string out;
    ReserveLargeBuffer(out, bound);
    out.resize_and_overwrite(bound, [&](char* begin, std::size_t) {
        RecordWriter w(begin);
        w.Begin("TGridPropIO");
        w.Int("ColCount", sheet.colCount());
        w.Int("RowCount", sheet.rowCount());
        w.Text("ColWidths", widths);
        w.Text("RowHeights", heights);
        w.Bool("FullGrid", true);
        w.Int("ID", 0);
        w.End();
        assert(w.position() <= begin + kGridRecordBound + TextBound(widths.size()) +
                                   TextBound(heights.size()));

        PropsColours colours;
        const int rows = sheet.rowCount();
        for (int c = 0; c < sheet.colCount(); ++c) {
            for (int r = 0; r < rows; ++r) {
                // Down a column the cells lie a row apart in memory, and their properties
                // wherever they were made: ask for them some cells ahead.
                if (r + 2 * kPrefetchCells < rows)
                    Prefetch(&sheet.Cell(c, r + 2 * kPrefetchCells), sizeof(SheetCell));
                if (r + kPrefetchCells < rows) {
                    const SheetCell& ahead = sheet.Cell(c, r + kPrefetchCells);
                    if (ahead.props)
                        Prefetch(ahead.props.get(), sizeof(CellProperties));
                }
                const SheetCell& cell = sheet.Cell(c, r);
                if (cell.text.empty() && !cell.props)
                    continue;
                WriteCell(w, c, r, cell, colours);
            }
        }
        return static_cast<std::size_t>(w.position() - begin);
    });
    return out;
}

Result<void> ReadGridCellStream(ScheduleSheet& sheet, std::string_view bytes)
{
    // The reader throws StreamError where the bytes go wrong; it never leaves this function.
    try {
        ReadStream(sheet, bytes);
    } catch (const StreamError& error) {
        return Fail(ErrorKind::DamagedFile, error.message);
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


namespace {

// A number and the comma after it, kept in a fixed size so that it is stored with one copy;
// the buffer always has room for the whole field.
struct NumberField {
    static constexpr std::size_t kSize = 16;
    char bytes[kSize] = {};
    std::uint8_t size = 0;

    explicit NumberField(int value)
    {
        char* p = std::to_chars(bytes, bytes + kSize - 1, value).ptr;
        *p++ = ',';
        size = static_cast<std::uint8_t>(p - bytes);
    }
    char* WriteTo(char* out) const
    {
        std::memcpy(out, bytes, kSize);
        return out + size;
    }
};

char* WriteNumber(char* out, int value)
{
    return std::to_chars(out, out + 11, value).ptr;
}

char* WriteRaw(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// A text with carriage returns keeps its line breaks as tabs and backspaces. The texts are
// mostly a code of a letter or two: a plain loop beats calls to memcpy and memchr.
char* WriteLineText(char* out, std::string_view text)
{
    char* const start = out;
    bool carriageReturn = false;
    for (const char ch : text) {
        carriageReturn |= ch == '\r';
        *out++ = ch;
    }
    if (carriageReturn) {
        for (char* p = start; p != out; ++p) {
            if (*p == '\r')
                *p = '\t';
            else if (*p == '\n')
                *p = '\b';
        }
    }
    return out;
}

} // namespace

void WriteCellTextStream(const ScheduleSheet& sheet, std::string& out)
{
    const int cols = sheet.colCount();
    const int rows = sheet.rowCount();
    constexpr std::size_t kField = NumberField::kSize;
    std::vector<NumberField> columns;
    columns.reserve(static_cast<std::size_t>(cols));
    for (int c = 0; c < cols; ++c)
        columns.emplace_back(c);

    // Each part is measured, room made for it, and written without checks. When the buffer
    // has to grow, it grows for the rows still to come as if they were like this one (within
    // reason: one long text must not ask for it a thousand times).
    constexpr std::size_t kLargestGuess = std::size_t{16} << 20;
    out.clear();
    std::size_t used = 0;
    auto append = [&](std::size_t bound, std::size_t partsLeft, auto&& write) {
        if (used + bound > out.capacity()) {
            const std::size_t guess = std::min(bound * partsLeft, kLargestGuess);
            ReserveLargeBuffer(out, std::max({used + bound, used + guess, 2 * out.capacity()}));
        }
        out.resize_and_overwrite(used + bound, [&](char* begin, std::size_t) {
            char* const end = write(begin + used);
            assert(end <= begin + used + bound);
            used = static_cast<std::size_t>(end - begin);
            return used;
        });
    };
    const std::size_t sizesBound =
        2 * kField + 2 + static_cast<std::size_t>(cols) * (3 + 2 * kField + 2);
    append(sizesBound, 1, [&](char* p) {
        p = WriteNumber(p, cols);
        *p++ = ',';
        p = WriteNumber(p, rows);
        p = WriteRaw(p, kLineEnd);
        for (int c = 0; c < cols; ++c) {
            p = WriteRaw(p, "cw ");
            p = columns[static_cast<std::size_t>(c)].WriteTo(p);
            p = WriteNumber(p, sheet.ColWidth(c));
            p = WriteRaw(p, kLineEnd);
        }
        return p;
    });
    // Row by row, so that a row is written while its cells are still in the cache.
    for (int r = 0; r < rows; ++r) {
        std::size_t bound = 0;
        for (int c = 0; c < cols; ++c)
            if (const std::size_t size = sheet.Text(c, r).size())
                bound += 2 * kField + size + 2;
        if (bound == 0)
            continue;
        const NumberField row(r);
        append(bound, static_cast<std::size_t>(rows - r), [&](char* p) {
            for (int c = 0; c < cols; ++c) {
                const std::string& text = sheet.Text(c, r);
                if (text.empty())
                    continue;
                p = columns[static_cast<std::size_t>(c)].WriteTo(p);
                p = row.WriteTo(p);
                p = WriteLineText(p, text);
                *p++ = '\r';
                *p++ = '\n';
            }
            return p;
        });
    }
}

std::string WriteCellTextStream(const ScheduleSheet& sheet)
{
    std::string out;
    WriteCellTextStream(sheet, out);
    return out;
}

Result<void> ReadCellTextStream(ScheduleSheet& sheet, std::string_view bytes)
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
                return Fail(ErrorKind::DamagedFile, std::string(kInvalidStreamFormat));
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
