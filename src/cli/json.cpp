#include "cli/json.h"

#include "files/text_io.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace shiftex::cli {

std::string JsonQuote(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        const auto u = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (u < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", u);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::Separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            out_ += ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::BeginObject()
{
    Separate();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndObject()
{
    out_ += '}';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray()
{
    Separate();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndArray()
{
    out_ += ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key)
{
    Separate();
    out_ += JsonQuote(key);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::Value(std::string_view text)
{
    Separate();
    out_ += JsonQuote(text);
    return *this;
}

JsonWriter& JsonWriter::Value(long long number)
{
    Separate();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::Value(bool flag)
{
    Separate();
    out_ += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Strings(const std::vector<std::string>& texts)
{
    BeginArray();
    for (const std::string& text : texts)
        Value(text);
    return EndArray();
}

JsonWriter& JsonWriter::Ints(const std::vector<int>& numbers)
{
    BeginArray();
    for (const int number : numbers)
        Value(number);
    return EndArray();
}

const JsonValue::Array* JsonValue::AsArray() const
{
    const auto* p = std::get_if<std::shared_ptr<Array>>(&data);
    return p ? p->get() : nullptr;
}

const JsonValue::Object* JsonValue::AsObject() const
{
    const auto* p = std::get_if<std::shared_ptr<Object>>(&data);
    return p ? p->get() : nullptr;
}

const JsonValue* JsonValue::Find(const std::string& key) const
{
    const Object* object = AsObject();
    if (!object)
        return nullptr;
    const auto it = object->find(key);
    return it == object->end() ? nullptr : &it->second;
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<JsonValue> Document(std::string& error)
    {
        std::optional<JsonValue> value = Parse(0);
        SkipBlanks();
        if (value && pos_ != text_.size())
            Fail("unexpected text after the value");
        if (!error_.empty()) {
            error = error_ + " at offset " + std::to_string(pos_);
            return std::nullopt;
        }
        return value;
    }

private:
    static constexpr int kMaxDepth = 64;

    void Fail(const char* what)
    {
        if (error_.empty())
            error_ = what;
    }
    void SkipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }
    bool Literal(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    bool Hex4(unsigned& value)
    {
        if (pos_ + 4 > text_.size())
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const char ch = text_[pos_++];
            value <<= 4;
            if (ch >= '0' && ch <= '9')
                value |= static_cast<unsigned>(ch - '0');
            else if (ch >= 'a' && ch <= 'f')
                value |= static_cast<unsigned>(ch - 'a' + 10);
            else if (ch >= 'A' && ch <= 'F')
                value |= static_cast<unsigned>(ch - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    std::optional<std::string> String()
    {
        ++pos_;  // opening quote
        std::string out;
        while (pos_ < text_.size()) {
            const char ch = text_[pos_++];
            if (ch == '"')
                return out;
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (pos_ >= text_.size())
                break;
            const char esc = text_[pos_++];
            switch (esc) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned cp = 0;
                if (!Hex4(cp)) {
                    Fail("bad \\u escape");
                    return std::nullopt;
                }
                if (cp >= 0xD800 && cp < 0xDC00 && Literal("\\u")) {
                    unsigned low = 0;
                    if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF) {
                        Fail("bad surrogate pair");
                        return std::nullopt;
                    }
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                } else if (cp >= 0xD800 && cp < 0xE000) {
                    cp = 0xFFFD;
                }
                AppendUtf8(out, cp);
                break;
            }
            default:
                Fail("bad escape");
                return std::nullopt;
            }
        }
        Fail("unterminated string");
        return std::nullopt;
    }

    std::optional<JsonValue> Parse(int depth)
    {
        if (depth > kMaxDepth) {
            Fail("nesting too deep");
            return std::nullopt;
        }
        SkipBlanks();
        if (pos_ >= text_.size()) {
            Fail("unexpected end");
            return std::nullopt;
        }
        const char ch = text_[pos_];
        if (ch == '{') {
            ++pos_;
            auto object = std::make_shared<JsonValue::Object>();
            SkipBlanks();
            if (pos_ < text_.size() && text_[pos_] == '}') {
                ++pos_;
                return JsonValue{object};
            }
            while (true) {
                SkipBlanks();
                if (pos_ >= text_.size() || text_[pos_] != '"') {
                    Fail("expected a key");
                    return std::nullopt;
                }
                std::optional<std::string> key = String();
                if (!key)
                    return std::nullopt;
                SkipBlanks();
                if (pos_ >= text_.size() || text_[pos_] != ':') {
                    Fail("expected ':'");
                    return std::nullopt;
                }
                ++pos_;
                std::optional<JsonValue> value = Parse(depth + 1);
                if (!value)
                    return std::nullopt;
                (*object)[*key] = std::move(*value);
                SkipBlanks();
                if (pos_ < text_.size() && text_[pos_] == ',') {
                    ++pos_;
                    continue;
                }
                if (pos_ < text_.size() && text_[pos_] == '}') {
                    ++pos_;
                    return JsonValue{object};
                }
                Fail("expected ',' or '}'");
                return std::nullopt;
            }
        }
        if (ch == '[') {
            ++pos_;
            auto array = std::make_shared<JsonValue::Array>();
            SkipBlanks();
            if (pos_ < text_.size() && text_[pos_] == ']') {
                ++pos_;
                return JsonValue{array};
            }
            while (true) {
                std::optional<JsonValue> value = Parse(depth + 1);
                if (!value)
                    return std::nullopt;
                array->push_back(std::move(*value));
                SkipBlanks();
                if (pos_ < text_.size() && text_[pos_] == ',') {
                    ++pos_;
                    continue;
                }
                if (pos_ < text_.size() && text_[pos_] == ']') {
                    ++pos_;
                    return JsonValue{array};
                }
                Fail("expected ',' or ']'");
                return std::nullopt;
            }
        }
        if (ch == '"') {
            std::optional<std::string> s = String();
            if (!s)
                return std::nullopt;
            return JsonValue{std::move(*s)};
        }
        if (Literal("true"))
            return JsonValue{true};
        if (Literal("false"))
            return JsonValue{false};
        if (Literal("null"))
            return JsonValue{nullptr};
        const std::string rest(text_.substr(pos_, 64));
        char* end = nullptr;
        const double number = std::strtod(rest.c_str(), &end);
        if (end == rest.c_str() || !std::isfinite(number)) {
            Fail("unexpected character");
            return std::nullopt;
        }
        pos_ += static_cast<std::size_t>(end - rest.c_str());
        return JsonValue{number};
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string error_;
};

} // namespace

std::optional<JsonValue> ParseJson(std::string_view text, std::string& error)
{
    return Parser(text).Document(error);
}

} // namespace shiftex::cli
