#include "batch/run_choices.h"

#include <QSettings>
#include <QUrl>

#include "batch/results_writer.h"
#include "config/config_file.h"
#include "config/default_addresses.h"
#include "config/service_host.h"
#include "platform/program_dir.h"

namespace batch {

platform::Status CheckInstalled(const char* option, const QString& name, const QStringList& names) {
    if (name.isEmpty() || names.contains(name)) {
        return {};
    }
    QStringList sorted = names;
    sorted.sort();
    return platform::Failure(std::string(option) + ": there is no \"" + name.toStdString() +
                             "\". Installed: " + sorted.join(QStringLiteral(", ")).toStdString());
}

config::ProxySettings ConfigProxy(Console& console) {
    config::ProxyDialogState defaults;
    defaults.address = config::kDefaultProxyAddress;
    const auto config = config::LoadConfigFile(platform::ProgramDir() + "config.ini", defaults);
    if (!config.error.isEmpty()) {
        console.Err(config.error.toStdString() + "\n");
    }
    return config::SettingsOf(config.state);
}

platform::Result<std::string> ChooseServiceRoot(const BatchOptions& options) {
    if (!options.service.isEmpty()) {
        // Checked when the options were read; checked again rather than trusted here.
        const config::AddressResult given = config::ParseServiceHost(options.service);
        if (!given) {
            return platform::Failure(given.error().toStdString());
        }
        return given->ServiceRoot();
    }
    const auto stored = config::StoredServiceSetting();
    if (!stored) {
        return platform::Failure(stored.error().toStdString() +
                                 " Set it again in the window (File, Register service...) or "
                                 "give --service HOST[:PORT].");
    }
    if (*stored) {
        return (*stored)->ServiceRoot();
    }
    return config::BuildTimeServiceAddress().ServiceRoot();
}

platform::Result<std::string> ChooseTsaUrl(const BatchOptions& options) {
    const QString given = !options.tsa.isEmpty()
                              ? options.tsa
                              : QSettings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"))
                                    .value(QStringLiteral("TsaUrl"))
                                    .toString()
                                    .trimmed();
    if (given.isEmpty()) {
        return platform::Failure(
            "--stamp needs the time-stamping authority's address: give --tsa URL or set TsaUrl");
    }
    const QUrl parsed(given, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.host().isEmpty() ||
        (parsed.scheme() != QLatin1String("http") && parsed.scheme() != QLatin1String("https"))) {
        return platform::Failure(
            std::string(options.tsa.isEmpty() ? "the setting TsaUrl" : "--tsa") + ": \"" +
            given.toStdString() + "\" is not an http or https address");
    }
    return given.toStdString();
}

QString UncheckedFileName(const QString& listPath) {
    return ResultsFileName(listPath, OutputFormat::Text).chopped(12) +
           QStringLiteral("_unchecked.txt");
}

}  // namespace batch
