#include "app/shell_open.h"

#include <array>
#include <utility>

namespace shiftex {

std::optional<std::string> ShellOpenMessage(int code, const std::string& target)
{
    static const std::array<std::pair<int, const char*>, 12> messages{{
        {0, "The operating system is out of memory or resources."},
        {3, "An error occured while searching for the path.\nMake sure the path exists."},
        {5, "The operating system denied access to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred."},
        {27, "The filename association is incomplete or invalid."},
        {28, "The DDE transaction could not be completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not be completed because other DDE transactions were "
             "being processed."},
        {31, "There is no application associated with the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    }};
    if (code == kShellFileNotFound)
        return "Unable to find \"" + target +
               "\".\nPlease install it in the Shiftex program folder and try again.";
    for (const auto& [known, text] : messages)
        if (known == code)
            return std::string(text);
    return std::nullopt;
}

int ShellOpen(Shell& shell, MessageSink& messages, const std::string& target)
{
    const int code = shell.Open(target);
    if (!ShellOpenSucceeded(code))
        if (const std::optional<std::string> message = ShellOpenMessage(code, target))
            messages.Error(*message);
    return code;
}

std::string MailLink(const std::string& address)
{
    return "mailto:" + address + "?subject=" + "Shiftex" + "&body=" + "%0d";
}

bool OpenMailLink(Shell& shell, MessageSink& messages, const std::string& address)
{
    if (ShellOpenSucceeded(shell.Open(MailLink(address))))
        return true;
    messages.Error(kNoMailClientMessage);
    return false;
}

} // namespace shiftex
