#include "config/service_host.h"

#include <QSettings>
#include <QUrl>

namespace config {

const char* const kServiceHostKey = "ServiceHost";

namespace {

QSettings ProgramSettings() {
    return QSettings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
}

bool SetError(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

// A host name or an IP address as a URL's host can hold it.
bool ValidHost(const QString& host, QString* error) {
    if (host.isEmpty())
        return SetError(error, QStringLiteral("The host is empty."));
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || host.contains(QLatin1Char('/')) ||
        host.contains(QLatin1Char('@')))
        return SetError(error, QStringLiteral("\"%1\" is not a host name or address.").arg(host));
    return true;
}

bool ValidPort(const QString& text, int* port, QString* error) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > 65535 || text.startsWith(QLatin1Char('+')))
        return SetError(
            error, QStringLiteral("The port \"%1\" is not a number from 1 to 65535.").arg(text));
    *port = value;
    return true;
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

std::optional<ServiceAddress> MakeServiceAddress(const QString& host, const QString& port,
                                                 QString* error) {
    ServiceAddress address;
    address.host = host.trimmed();
    if (address.host.startsWith(QLatin1Char('[')) && address.host.endsWith(QLatin1Char(']')))
        address.host = address.host.mid(1, address.host.size() - 2);
    if (!ValidHost(address.host, error))
        return std::nullopt;
    const QString portText = port.trimmed();
    if (!portText.isEmpty() && !ValidPort(portText, &address.port, error))
        return std::nullopt;
    return address;
}

std::optional<ServiceAddress> ParseServiceHost(const QString& text, QString* error) {
    const QString value = text.trimmed();
    if (value.startsWith(QLatin1Char('['))) {
        const qsizetype close = value.indexOf(QLatin1Char(']'));
        if (close < 0) {
            SetError(error, QStringLiteral("\"%1\" lacks the closing \"]\".").arg(value));
            return std::nullopt;
        }
        const QString rest = value.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':'))) {
            SetError(error, QStringLiteral("\"%1\" is not HOST or HOST:PORT.").arg(value));
            return std::nullopt;
        }
        return MakeServiceAddress(value.mid(1, close - 1), rest.mid(1), error);
    }
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    if (colon >= 0 && value.indexOf(QLatin1Char(':'), colon + 1) >= 0) {
        // Several colons and no brackets: an IPv6 address without a port.
        return MakeServiceAddress(value, QString(), error);
    }
    if (colon >= 0) {
        if (colon + 1 == value.size()) {
            SetError(error, QStringLiteral("\"%1\" ends with \":\" but gives no port.").arg(value));
            return std::nullopt;
        }
        return MakeServiceAddress(value.left(colon), value.mid(colon + 1), error);
    }
    return MakeServiceAddress(value, QString(), error);
}

ServiceAddress BuildTimeServiceAddress() {
    auto parsed = ParseServiceHost(QString::fromUtf8(VENDRAKE_SERVICE_HOST));
    if (parsed)
        return *parsed;
    ServiceAddress address;
    address.host = QString::fromUtf8(VENDRAKE_SERVICE_HOST);
    return address;
}

std::optional<ServiceAddress> StoredServiceAddress() {
    const QVariant value = ProgramSettings().value(QString::fromLatin1(kServiceHostKey));
    if (!value.isValid())
        return std::nullopt;
    return ParseServiceHost(value.toString());
}

void StoreServiceAddress(const ServiceAddress& address) {
    QSettings settings = ProgramSettings();
    settings.setValue(QString::fromLatin1(kServiceHostKey), address.ToSetting());
    settings.sync();
}

std::string ConfiguredServiceRoot(const std::string& fallbackRoot) {
    const auto stored = StoredServiceAddress();
    return stored ? stored->ServiceRoot() : fallbackRoot;
}

bool IsPlaceholderServiceRoot(const std::string& serviceRoot) {
    return serviceRoot == BuildTimeServiceAddress().ServiceRoot();
}

}  // namespace config
