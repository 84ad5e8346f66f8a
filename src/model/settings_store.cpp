#include "model/settings_store.h"

namespace shiftex {

std::string NormalizeSettingsKey(std::string_view key)
{
    std::string normal;
    for (const char ch : key) {
        const bool separator = ch == '\\' || ch == '/';
        if (separator && (normal.empty() || normal.back() == '/'))
            continue;
        normal += separator ? '/' : ch;
    }
    if (!normal.empty() && normal.back() == '/')
        normal.pop_back();
    return normal;
}

bool WriteUserSetting(SettingsStore& store, std::string_view key, std::string_view name,
                      std::string_view value)
{
    return store.WriteValue(SettingsScope::User, key, name, value);
}

std::string ReadUserSetting(const SettingsStore& store, std::string_view key,
                            std::string_view name)
{
    return store.ReadValue(SettingsScope::User, key, name).value_or(std::string());
}

bool MemorySettingsStore::KeyExists(SettingsScope scope, std::string_view key) const
{
    return keys_.contains({scope, NormalizeSettingsKey(key)});
}

bool MemorySettingsStore::CreateKey(SettingsScope scope, std::string_view key)
{
    if (failing_)
        return false;
    keys_[{scope, NormalizeSettingsKey(key)}];
    return true;
}

std::optional<std::string> MemorySettingsStore::ReadValue(SettingsScope scope,
                                                          std::string_view key,
                                                          std::string_view name) const
{
    const auto values = keys_.find({scope, NormalizeSettingsKey(key)});
    if (values == keys_.end())
        return std::nullopt;
    const auto value = values->second.find(name);
    if (value == values->second.end())
        return std::nullopt;
    return value->second;
}

bool MemorySettingsStore::WriteValue(SettingsScope scope, std::string_view key,
                                     std::string_view name, std::string_view value)
{
    if (failing_)
        return false;
    keys_[{scope, NormalizeSettingsKey(key)}].insert_or_assign(std::string(name),
                                                               std::string(value));
    return true;
}

} // namespace shiftex
