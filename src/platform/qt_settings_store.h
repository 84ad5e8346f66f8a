#pragma once

#include "model/settings_store.h"

#include <QString>

#include <memory>

class QSettings;

namespace shiftex {

// The settings in two INI files of one folder: Shiftex.ini for the user, Shiftex-machine.ini for
// what the whole machine shares. A key "\Software\Shiftex\BackUp" is the group
// "Software/Shiftex/BackUp".
class QtSettingsStore final : public SettingsStore {
public:
    // The user's configuration folder when folder is empty.
    explicit QtSettingsStore(const QString& folder = {});
    ~QtSettingsStore() override;

    bool KeyExists(SettingsScope scope, std::string_view key) const override;
    bool CreateKey(SettingsScope scope, std::string_view key) override;
    std::optional<std::string> ReadValue(SettingsScope scope, std::string_view key,
                                         std::string_view name) const override;
    bool WriteValue(SettingsScope scope, std::string_view key, std::string_view name,
                    std::string_view value) override;

private:
    QSettings& Settings(SettingsScope scope) const;

    std::unique_ptr<QSettings> user_;
    std::unique_ptr<QSettings> machine_;
};

} // namespace shiftex
