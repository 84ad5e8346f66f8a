#include "platform/qt_settings_store.h"

#include <QSettings>
#include <QStandardPaths>

namespace shiftex {

namespace {

QString Group(std::string_view key)
{
    return QString::fromStdString(NormalizeSettingsKey(key));
}

QString Name(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

QtSettingsStore::QtSettingsStore(const QString& folder)
{
    const QString dir = folder.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) +
                                  QStringLiteral("/Shiftex")
                            : folder;
    user_ = std::make_unique<QSettings>(dir + QStringLiteral("/Shiftex.ini"),
                                        QSettings::IniFormat);
    machine_ = std::make_unique<QSettings>(dir + QStringLiteral("/Shiftex-machine.ini"),
                                           QSettings::IniFormat);
}

QtSettingsStore::~QtSettingsStore() = default;

QSettings& QtSettingsStore::Settings(SettingsScope scope) const
{
    return scope == SettingsScope::User ? *user_ : *machine_;
}

bool QtSettingsStore::KeyExists(SettingsScope scope, std::string_view key) const
{
    QSettings& settings = Settings(scope);
    settings.beginGroup(Group(key));
    const bool exists = !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
    settings.endGroup();
    return exists;
}

bool QtSettingsStore::CreateKey(SettingsScope scope, std::string_view)
{
    // An INI file keeps no empty groups: the key comes into being with its first value. The
    // check creates the settings folder when it is missing, so that reading alone writes nothing.
    return Settings(scope).isWritable();
}

std::optional<std::string> QtSettingsStore::ReadValue(SettingsScope scope, std::string_view key,
                                                      std::string_view name) const
{
    const QString path = Group(key) + QLatin1Char('/') + Name(name);
    const QVariant value = Settings(scope).value(path);
    if (!value.isValid())
        return std::nullopt;
    return value.toString().toStdString();
}

bool QtSettingsStore::WriteValue(SettingsScope scope, std::string_view key, std::string_view name,
                                 std::string_view value)
{
    QSettings& settings = Settings(scope);
    if (!settings.isWritable())
        return false;
    settings.setValue(Group(key) + QLatin1Char('/') + Name(name), Name(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace shiftex
