#include "app/shell_links.h"

#include "app/shell_links_config.h"

namespace shiftex {

const ShellLinks& BuiltInShellLinks()
{
    static const ShellLinks links{SHIFTEX_PRODUCT_PAGE, SHIFTEX_FAQ_PAGE,
                                  SHIFTEX_SCREENSHOTS_PAGE, SHIFTEX_WEBFORM_PAGE,
                                  SHIFTEX_SUPPORT_ADDRESS};
    return links;
}

WebTarget WebPageTarget(WebPage page, const ShellLinks& links)
{
    switch (page) {
    case WebPage::Product:
        return {links.productPage, "About Shiftex"};
    case WebPage::Faq:
        return {links.faqPage, "Frequently asked questions"};
    case WebPage::Screenshots:
        return {links.screenshotsPage, "Screenshots"};
    case WebPage::WebForm:
        return {links.webFormPage, "Reporting a problem"};
    }
    return {};
}

} // namespace shiftex
