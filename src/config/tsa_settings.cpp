#include "config/tsa_settings.h"

#include <QSettings>

#include "config/config_file.h"

namespace config {

const char* const kTsaUrlKey = "TsaUrl";
const char* const kTsaCaFileKey = "TsaCaFile";

namespace {

QSettings ProgramSettings() {
    return QSettings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
}

std::string Stored(const QSettings& settings, const char* key) {
    return settings.value(QLatin1String(key)).toString().trimmed().toStdString();
}

void Store(QSettings& settings, const char* key, const std::string& value) {
    if (value.empty())
        settings.remove(QLatin1String(key));
    else
        settings.setValue(QLatin1String(key), QString::fromStdString(value));
}

}  // namespace

TsaSettings StoredTsaSettings() {
    const QSettings settings = ProgramSettings();
    return {Stored(settings, kTsaUrlKey), Stored(settings, kTsaCaFileKey)};
}

void StoreTsaSettings(const TsaSettings& stored) {
    QSettings settings = ProgramSettings();
    Store(settings, kTsaUrlKey, stored.url);
    Store(settings, kTsaCaFileKey, stored.caFile);
}

ConfiguredProxySettings ConfiguredProxy(const QString& besideProgram) {
    ProxyDialogState defaults;
    defaults.address = kDefaultProxyAddress;
    const ConfigLoadResult loaded =
        LoadConfigFile(LocateConfigFile(besideProgram).readPath, defaults);
    return {SettingsOf(loaded.state), loaded.error.toStdString()};
}

}  // namespace config
