#include "cli/json.h"

#include <cstddef>
#include <iterator>
#include <set>
#include <vector>

namespace shiftex::cli {

std::string JsonText(const Json& json)
{
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

namespace {

// Walks the text for the parser and keeps how far it has read, so that a duplicate key, which
// the parser itself accepts, can be reported where it stands.
class CountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, const char* start, std::size_t* read)
        : at_(at), start_(start), read_(read)
    {
    }
    reference operator*() const { return *at_; }
    CountingIterator& operator++()
    {
        ++at_;
        *read_ = static_cast<std::size_t>(at_ - start_);
        return *this;
    }
    CountingIterator operator++(int)
    {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    friend bool operator==(const CountingIterator& a, const CountingIterator& b)
    {
        return a.at_ == b.at_;
    }

private:
    const char* at_;
    const char* start_;
    std::size_t* read_;
};

struct DuplicateKey {
    std::string key;
    std::size_t offset;
};

// nlohmann's message without its bracketed id ("[json.exception.parse_error.101] ").
std::string WithoutId(const nlohmann::json::exception& error)
{
    std::string message = error.what();
    if (const std::size_t close = message.find("] "); close != std::string::npos)
        message.erase(0, close + 2);
    return message;
}

std::string Position(std::string_view text, std::size_t offset)
{
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

} // namespace

Result<nlohmann::json> ParseJson(std::string_view text)
{
    std::size_t read = 0;
    std::vector<std::set<std::string>> keys;  // the keys met so far in each open object
    const auto callback = [&](int, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        if (event == Event::object_start)
            keys.emplace_back();
        else if (event == Event::object_end)
            keys.pop_back();
        else if (event == Event::key && !keys.back().insert(parsed.get<std::string>()).second)
            throw DuplicateKey{parsed.get<std::string>(), read};
        return true;
    };
    const CountingIterator begin(text.data(), text.data(), &read);
    const CountingIterator end(text.data() + text.size(), text.data(), &read);
    try {
        return nlohmann::json::parse(begin, end, callback);
    } catch (const DuplicateKey& duplicate) {
        return Fail(ErrorKind::RefusedInput, "duplicate key \"" + duplicate.key + "\" at " +
                                                 Position(text, duplicate.offset));
    } catch (const nlohmann::json::out_of_range& error) {
        // A number too large for any type ("number overflow parsing '1e999'"), told with where
        // the reading stopped.
        return Fail(ErrorKind::RefusedInput, WithoutId(error) + " at " + Position(text, read));
    } catch (const nlohmann::json::parse_error& error) {
        // "parse error at line 1, column 2: ...": the position is in the message.
        return Fail(ErrorKind::RefusedInput, WithoutId(error));
    }
}

} // namespace shiftex::cli
