#pragma once

#include "app/startup.h"

#include <QString>

#include <functional>
#include <string>

namespace shiftex {

// The user's documents folder when it exists, otherwise empty.
QString ExistingDocumentsFolder();

// Start-up's services on the desktop: the program folder of this installation, the ".SXT"
// registration of the user's desktop, the documents folder and the primary screen. The help is
// set up by whoever shows it.
class QtStartupServices final : public StartupServices {
public:
    using HelpLoader = std::function<bool(const std::string& programFolder)>;
    explicit QtStartupServices(HelpLoader loadHelp) : loadHelp_(std::move(loadHelp)) {}

    std::string ProgramFolder() override;
    bool LoadHelp(const std::string& programFolder) override;
    void RegisterFileType(const std::string& programFolder) override;
    std::string DocumentsFolder() override;
    int ScreenWidth() override;
    int ScreenHeight() override;

private:
    HelpLoader loadHelp_;
};

} // namespace shiftex
