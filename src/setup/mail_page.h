#pragma once

#include "setup/setup_page.h"

#include <functional>

namespace shiftex {

inline constexpr const char* kMailPageText =
    "Found a problem or have a question? Please tell us.\r\n\r\nA screenshot of the window "
    "and a short description of what you were doing when it happened help us most.\r\n"
    "Send them with your own mail program, or through the form on our web site.";
inline constexpr const char* kMailButtonCaption = "Use Default MainClient";
inline constexpr const char* kWebFormButtonCaption = "Use WebForm";

// How to reach the makers: buttons "mail" (a new message in the user's mail program) and
// "webform" (the web form). The host opens them.
class MailPage final : public SetupPage {
public:
    MailPage();

    std::function<void()> onMail;
    std::function<void()> onWebForm;

private:
    Result<void> OnPress(const std::string& button) override;
};

} // namespace shiftex
