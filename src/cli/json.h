#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace shiftex::cli {

// Writes JSON text; the caller keeps the nesting right.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& Value(std::string_view text);
    JsonWriter& Value(const char* text) { return Value(std::string_view(text)); }
    JsonWriter& Value(const std::string& text) { return Value(std::string_view(text)); }
    JsonWriter& Value(long long number);
    JsonWriter& Value(int number) { return Value(static_cast<long long>(number)); }
    JsonWriter& Value(bool flag);
    JsonWriter& Strings(const std::vector<std::string>& texts);
    JsonWriter& Ints(const std::vector<int>& numbers);
    const std::string& str() const { return out_; }

private:
    void Separate();
    std::string out_;
    std::vector<bool> first_;
    bool afterKey_ = false;
};

std::string JsonQuote(std::string_view text);

// A parsed JSON value.
struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = std::map<std::string, JsonValue>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>,
                 std::shared_ptr<Object>>
        data;

    bool IsString() const { return std::holds_alternative<std::string>(data); }
    bool IsNumber() const { return std::holds_alternative<double>(data); }
    const std::string* AsString() const { return std::get_if<std::string>(&data); }
    const Array* AsArray() const;
    const Object* AsObject() const;
    const JsonValue* Find(const std::string& key) const;
};

// Nullopt with the reason in `error` when the text is no JSON.
std::optional<JsonValue> ParseJson(std::string_view text, std::string& error);

} // namespace shiftex::cli
