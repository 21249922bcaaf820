#include "config/service_host.h"

#include <QCoreApplication>
#include <QSettings>
#include <QUrl>

#include "config/default_addresses.h"
#include "platform/result.h"

namespace config {

const char* const kServiceHostKey = "ServiceHost";
const char* const kServiceHostForms = QT_TRANSLATE_NOOP(
    "config",
    "Give it as HOST, HOST:PORT or http://HOST[:PORT]/ (for example register.example:8080).");

namespace {

// The messages reach the user: the window shows them in the user's language (each
// text is marked where it is written).
QString Tr(const char* text) {
    return QCoreApplication::translate("config", text);
}

QSettings ProgramSettings() {
    return QSettings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
}

// A host name or an IP address as a URL's host can hold it.
platform::Result<void, QString> ValidHost(const QString& host) {
    if (host.isEmpty())
        return platform::Failure(Tr(QT_TRANSLATE_NOOP("config", "The host is empty.")));
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || host.contains(QLatin1Char('/')) ||
        host.contains(QLatin1Char('@')))
        return platform::Failure(
            Tr(QT_TRANSLATE_NOOP("config", "\"%1\" is not a host name or address.")).arg(host));
    return {};
}

// A port number from 1 to 65535.
platform::Result<int, QString> ValidPort(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > 65535 || text.startsWith(QLatin1Char('+')))
        return platform::Failure(
            Tr(QT_TRANSLATE_NOOP("config", "The port \"%1\" is not a number from 1 to 65535."))
                .arg(text));
    return value;
}

}  // namespace

QString ServiceAddress::ToSetting() const {
    const QString shown =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return port > 0 ? shown + QLatin1Char(':') + QString::number(port) : shown;
}

std::string ServiceAddress::ServiceRoot() const {
    return "http://" + ToSetting().toStdString();
}

namespace {

// host and port as two fields, host without a scheme or a port of its own.
AddressResult MakeAddress(const QString& host, const QString& port) {
    ServiceAddress address;
    address.host = host.trimmed();
    if (address.host.startsWith(QLatin1Char('[')) && address.host.endsWith(QLatin1Char(']')))
        address.host = address.host.mid(1, address.host.size() - 2);
    if (const platform::Result<void, QString> valid = ValidHost(address.host); !valid)
        return platform::Failure(valid.error());
    const QString portText = port.trimmed();
    if (portText.isEmpty())
        return address;
    const platform::Result<int, QString> valid = ValidPort(portText);
    if (!valid)
        return platform::Failure(valid.error());
    address.port = *valid;
    return address;
}

// Whether a host field holds more than a host: a URL, a path, or "HOST:PORT".
bool HoldsMoreThanHost(const QString& host) {
    if (host.contains(QLatin1Char('/')))
        return true;
    if (host.startsWith(QLatin1Char('[')))
        return !host.endsWith(QLatin1Char(']'));
    return host.count(QLatin1Char(':')) == 1;
}

}  // namespace

AddressResult MakeServiceAddress(const QString& host, const QString& port) {
    const QString hostText = host.trimmed();
    if (!HoldsMoreThanHost(hostText))
        return MakeAddress(hostText, port);
    AddressResult address = ParseServiceHost(hostText);
    if (!address)
        return address;
    const QString portText = port.trimmed();
    if (portText.isEmpty())
        return address;
    const platform::Result<int, QString> valid = ValidPort(portText);
    if (!valid)
        return platform::Failure(valid.error());
    const int given = *valid;
    if (address->port != 0 && address->port != given) {
        return platform::Failure(
            Tr(QT_TRANSLATE_NOOP("config",
                                 "\"%1\" names port %2, the port field %3: give one port."))
                .arg(hostText)
                .arg(address->port)
                .arg(given));
    }
    address->port = given;
    return address;
}

AddressResult ParseServiceHost(const QString& text) {
    QString value = text.trimmed();
    const qsizetype scheme = value.indexOf(QStringLiteral("://"));
    if (scheme >= 0) {
        if (value.left(scheme).compare(QStringLiteral("http"), Qt::CaseInsensitive) != 0) {
            return platform::Failure(
                Tr(QT_TRANSLATE_NOOP("config", "\"%1\" is not a plain HTTP address. %2"))
                    .arg(value, Tr(kServiceHostForms)));
        }
        value = value.mid(scheme + 3);
        if (value.endsWith(QLatin1Char('/')))
            value.chop(1);
    }
    if (value.contains(QLatin1Char('/')) || value.contains(QLatin1Char('?')) ||
        value.contains(QLatin1Char('#'))) {
        return platform::Failure(
            Tr(QT_TRANSLATE_NOOP("config",
                                 "\"%1\" holds a path; the service is always at its root. %2"))
                .arg(text.trimmed(), Tr(kServiceHostForms)));
    }
    if (value.startsWith(QLatin1Char('['))) {
        const qsizetype close = value.indexOf(QLatin1Char(']'));
        if (close < 0) {
            return platform::Failure(
                Tr(QT_TRANSLATE_NOOP("config", "\"%1\" lacks the closing \"]\".")).arg(value));
        }
        const QString rest = value.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':'))) {
            return platform::Failure(
                Tr(QT_TRANSLATE_NOOP("config", "\"%1\" is not HOST or HOST:PORT.")).arg(value));
        }
        return MakeAddress(value.mid(1, close - 1), rest.mid(1));
    }
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    if (colon >= 0 && value.indexOf(QLatin1Char(':'), colon + 1) >= 0) {
        // Several colons and no brackets: an IPv6 address without a port.
        return MakeAddress(value, QString());
    }
    if (colon >= 0) {
        if (colon + 1 == value.size()) {
            return platform::Failure(
                Tr(QT_TRANSLATE_NOOP("config", "\"%1\" ends with \":\" but gives no port."))
                    .arg(value));
        }
        return MakeAddress(value.left(colon), value.mid(colon + 1));
    }
    return MakeAddress(value, QString());
}

ServiceAddress BuildTimeServiceAddress() {
    QString host = QString::fromStdString(config::DefaultServiceRoot());
    host.remove(0, host.indexOf(QLatin1String("://")) + 3);
    const AddressResult parsed = ParseServiceHost(host);
    if (parsed)
        return *parsed;
    ServiceAddress address;
    address.host = host;
    return address;
}

std::optional<ServiceAddress> StoredServiceAddress() {
    const QVariant value = ProgramSettings().value(QString::fromLatin1(kServiceHostKey));
    if (!value.isValid())
        return std::nullopt;
    AddressResult parsed = ParseServiceHost(value.toString());
    if (!parsed)
        return std::nullopt;
    return std::move(*parsed);
}

void StoreServiceAddress(const ServiceAddress& address) {
    QSettings settings = ProgramSettings();
    settings.setValue(QString::fromLatin1(kServiceHostKey), address.ToSetting());
    settings.sync();
}

platform::Result<std::optional<ServiceAddress>, QString> StoredServiceSetting() {
    const QVariant value = ProgramSettings().value(QString::fromLatin1(kServiceHostKey));
    if (!value.isValid())
        return std::optional<ServiceAddress>();
    AddressResult parsed = ParseServiceHost(value.toString());
    if (!parsed)
        return platform::Failure(
            Tr(QT_TRANSLATE_NOOP("config", "The setting %1=\"%2\" is not a service address: %3"))
                .arg(QString::fromLatin1(kServiceHostKey), value.toString(), parsed.error()));
    return std::optional<ServiceAddress>(std::move(*parsed));
}

std::string ConfiguredServiceRoot(const std::string& fallbackRoot) {
    const auto stored = StoredServiceAddress();
    return stored ? stored->ServiceRoot() : fallbackRoot;
}

bool IsPlaceholderServiceRoot(const std::string& serviceRoot) {
    return serviceRoot == BuildTimeServiceAddress().ServiceRoot();
}

}  // namespace config
