#include "setup/mail_page.h"

namespace shiftex {

MailPage::MailPage()
{
    AddButton("mail");
    AddButton("webform");
}

Result<void> MailPage::OnPress(const std::string& button)
{
    const std::function<void()>& open = button == "mail" ? onMail : onWebForm;
    if (open)
        open();
    return {};
}

} // namespace shiftex
