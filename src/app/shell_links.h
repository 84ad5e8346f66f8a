#pragma once

#include <string>

namespace shiftex {

// The product's pages on the web and its support address. The build chooses them (one option
// each); a page the build names no address for is a page of the shipped help instead.
enum class WebPage { Product, Faq, Screenshots, WebForm };

struct ShellLinks {
    std::string productPage;
    std::string faqPage;
    std::string screenshotsPage;
    std::string webFormPage;
    std::string supportAddress;
};

// The addresses this build was made with.
const ShellLinks& BuiltInShellLinks();

// Where a web command goes: an address to open, or else the help topic to show.
struct WebTarget {
    std::string address;
    std::string helpTopic;
};
WebTarget WebPageTarget(WebPage page, const ShellLinks& links = BuiltInShellLinks());

} // namespace shiftex
