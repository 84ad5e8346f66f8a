#pragma once

#include "app/shell_open.h"

#include <string>

namespace shiftex {

// The desktop's "open" through QDesktopServices. A local file or folder that does not exist
// gives 2 (its folder exists) or 3 (it does not); a target the desktop refuses gives 31.
class QtShell final : public Shell {
public:
    int Open(const std::string& target) override;
};

} // namespace shiftex
