#pragma once

#include "model/message_sink.h"

#include <optional>
#include <string>

namespace shiftex {

inline constexpr const char* kNoMailClientMessage = "Could not find your default mail client.";

// The desktop's "open" of a web page, folder, file or mail link. The result is a code: 32 or
// less is a failure (2 file not found, 3 path not found, 31 no program for the kind of
// target, ...), anything above 32 success.
class Shell {
public:
    virtual ~Shell() = default;
    virtual int Open(const std::string& target) = 0;
};

inline constexpr int kShellOpened = 33;
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellPathNotFound = 3;
inline constexpr int kShellNoAssociation = 31;

inline bool ShellOpenSucceeded(int code) { return code > 32; }

// The message for a failure code; nullopt for success and for the failure codes that are
// handed back without one. `target` is what was to be opened.
std::optional<std::string> ShellOpenMessage(int code, const std::string& target);

// Opens `target`; a failure with a message is reported as an error. Returns the code.
int ShellOpen(Shell& shell, MessageSink& messages, const std::string& target);

// The support mail link: a new message to `address` (empty: the user fills it in) with the
// subject "Shiftex" and an empty line as body.
std::string MailLink(const std::string& address);

// Opens the mail link; when the desktop has no mail program, "Could not find your default mail
// client." is reported. True when the message opened.
bool OpenMailLink(Shell& shell, MessageSink& messages, const std::string& address);

} // namespace shiftex
