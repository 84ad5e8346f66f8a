#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace shiftex {

// The two scopes of the settings: the current user's, and the one shared by the whole machine.
enum class SettingsScope { User, Machine };

// Keys are paths such as "\Software\Shiftex\RecentFiles"; "\" and "/" both separate, and a
// leading or trailing separator makes no difference: "Software/Shiftex/RecentFiles".
std::string NormalizeSettingsKey(std::string_view key);

// A key-value store of texts. Values live under keys; a key exists once it was created or a value
// was written under it. Implementations: the window's QSettings store, MemorySettingsStore.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual bool KeyExists(SettingsScope scope, std::string_view key) const = 0;
    // Opens the key, creating it when missing; false on failure.
    virtual bool CreateKey(SettingsScope scope, std::string_view key) = 0;
    // Nullopt when the key or the value is missing or cannot be read.
    virtual std::optional<std::string> ReadValue(SettingsScope scope, std::string_view key,
                                                 std::string_view name) const = 0;
    // Creates the key when missing; false on failure.
    virtual bool WriteValue(SettingsScope scope, std::string_view key, std::string_view name,
                            std::string_view value) = 0;
};

// Writes a per-user value, creating its key; reports success.
bool WriteUserSetting(SettingsStore& store, std::string_view key, std::string_view name,
                      std::string_view value);
// A per-user value, or an empty text on any failure.
std::string ReadUserSetting(const SettingsStore& store, std::string_view key,
                            std::string_view name);

// Settings held in memory, for tests and the command line. SetFailing makes every write and
// key creation fail, as a store without rights would.
class MemorySettingsStore final : public SettingsStore {
public:
    bool KeyExists(SettingsScope scope, std::string_view key) const override;
    bool CreateKey(SettingsScope scope, std::string_view key) override;
    std::optional<std::string> ReadValue(SettingsScope scope, std::string_view key,
                                         std::string_view name) const override;
    bool WriteValue(SettingsScope scope, std::string_view key, std::string_view name,
                    std::string_view value) override;

    void SetFailing(bool failing) { failing_ = failing; }

private:
    using Values = std::map<std::string, std::string, std::less<>>;
    using KeyId = std::pair<SettingsScope, std::string>;
    std::map<KeyId, Values> keys_;
    bool failing_ = false;
};

} // namespace shiftex
