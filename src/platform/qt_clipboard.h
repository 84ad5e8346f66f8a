#pragma once

#include "editing/clipboard.h"

#include <optional>
#include <string>

namespace shiftex {

// The system clipboard as the editing commands see it: plain text only.
class QtClipboard final : public Clipboard {
public:
    std::optional<std::string> Text() const override;
    void SetText(const std::string& text) override;
};

} // namespace shiftex
