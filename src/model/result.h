#pragma once

#include <cassert>
#include <expected>
#include <string>
#include <utility>

namespace shiftex {

// What went wrong, in the words the user is shown, and which kind of trouble it is so that a
// caller can choose the box (damaged file, conversion error, ...) without parsing the text.
enum class ErrorKind {
    DamagedFile,   // a file or text that is not a schedule, or is cut or garbled
    Conversion,    // a text that should hold a number, hour or colour and does not
    FileSystem,    // a file or folder that cannot be found, read, created or written
    RefusedInput,  // input the program declines (too large, not allowed here, ...)
};

struct Error {
    ErrorKind kind = ErrorKind::RefusedInput;
    std::string message;

    friend bool operator==(const Error&, const Error&) = default;
};

// The one way the core reports a failure the user must see. Programmer errors are assertions.
template <typename T = void>
using Result = std::expected<T, Error>;

inline std::unexpected<Error> Fail(ErrorKind kind, std::string message)
{
    return std::unexpected<Error>(Error{kind, std::move(message)});
}

} // namespace shiftex

// A broken promise between parts of the program, never a user's mistake.
#define SHIFTEX_ASSERT(condition) assert(condition)
