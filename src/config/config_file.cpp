#include "config/config_file.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <string_view>

#include "platform/cp1251.h"
#include "platform/program_dir.h"
#include "platform/result.h"
#include "platform/safe_file.h"

namespace config {
namespace {

// config.ini is a handful of short lines; anything past this is not read, so a stray
// huge file costs bounded memory.
constexpr qint64 kMaxConfigBytes = 16 * 1024 * 1024;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number, blanks around it allowed: sign, digits, an optional fraction
// ('.' or ','), an optional exponent. Sets isZero when its value is zero.
bool ReadsAsNumber(std::string_view s, bool& isZero) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool digits = false;
    bool nonZero = false;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        digits = true;
        nonZero = nonZero || s[i] != '0';
    }
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        for (++i; i < s.size() && IsDigit(s[i]); ++i) {
            digits = true;
            nonZero = nonZero || s[i] != '0';
        }
    }
    if (!digits)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (i >= s.size() || !IsDigit(s[i]))
            return false;
        while (i < s.size() && IsDigit(s[i]))
            ++i;
    }
    isZero = !nonZero;
    return i == s.size();
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// Number: nonzero is true. Otherwise "True"/"False" in any case. Else no value.
bool ToBool(std::string_view value, bool& result) {
    bool isZero = false;
    if (ReadsAsNumber(value, isZero)) {
        result = !isZero;
        return true;
    }
    if (EqualsIgnoringCase(value, "true")) {
        result = true;
        return true;
    }
    if (EqualsIgnoringCase(value, "false")) {
        result = false;
        return true;
    }
    return false;
}

bool Contains(std::string_view line, std::string_view key) {
    return line.find(key) != std::string_view::npos;
}

// Applies one line; fails when its EnabledProxy value is no boolean.
platform::Result<void, QString> ApplyLine(std::string_view line, ProxyDialogState& st) {
    const size_t eq = line.find('=');
    const std::string_view value = eq == std::string_view::npos ? line : line.substr(eq + 1);
    if (Contains(line, "EnabledProxy=")) {
        bool on = false;
        if (!ToBool(value, on))
            return platform::Failure(
                QCoreApplication::translate("config", "'%1' is not a valid boolean value")
                    .arg(platform::FromCp1251(value)));
        if (on) {
            st.proxyChecked = true;
            st.systemChecked = false;
            st.boxesEnabled = true;
        } else {
            st.proxyChecked = false;
        }
    }
    if (Contains(line, "proxy="))
        st.address = std::string(value);
    if (Contains(line, "port="))
        st.port = std::string(value);
    return {};
}

// A DNS name: dot-separated labels of letters, digits and inner hyphens, each at most
// 63 characters, 253 in all; a trailing dot (the root) is allowed.
bool IsHostName(const QString& name) {
    QString text = name;
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text.isEmpty() || text.size() > 253)
        return false;
    const QStringList labels = text.split(QLatin1Char('.'));
    for (const QString& label : labels) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith(QLatin1Char('-')) ||
            label.endsWith(QLatin1Char('-')))
            return false;
        for (QChar c : label) {
            const bool allowed = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                                 (c >= u'0' && c <= u'9') || c == u'-';
            if (!allowed)
                return false;
        }
    }
    // All-digit labels must form a dotted IPv4 address, which is checked apart.
    bool numeric = true;
    for (const QString& label : labels) {
        for (QChar c : label)
            numeric = numeric && c >= u'0' && c <= u'9';
    }
    return !numeric;
}

bool IsIpv4Address(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return false;
        for (QChar c : part) {
            if (c < u'0' || c > u'9')
                return false;
        }
        if (part.toInt() > 255)
            return false;
    }
    return true;
}

bool IsIpv6Address(const QString& text) {
    if (!text.contains(QLatin1Char(':')))
        return false;
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(text, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty();
}

// The address without the brackets an IPv6 address may be written in.
QString Unbracketed(const QString& address) {
    if (address.size() > 2 && address.startsWith(QLatin1Char('[')) &&
        address.endsWith(QLatin1Char(']')))
        return address.mid(1, address.size() - 2);
    return address;
}

}  // namespace

ProxyEntryFault CheckProxyEntry(const QString& address, const QString& port) {
    if (address.isEmpty())
        return ProxyEntryFault::EmptyHost;
    const QString host = Unbracketed(address);
    const bool bracketed = host.size() != address.size();
    const bool valid = bracketed ? IsIpv6Address(host)
                                 : IsIpv4Address(host) || IsIpv6Address(host) || IsHostName(host);
    if (!valid)
        return ProxyEntryFault::BadHost;
    if (port.isEmpty() || port.size() > 5)
        return ProxyEntryFault::BadPort;
    for (QChar c : port) {
        if (c < u'0' || c > u'9')
            return ProxyEntryFault::BadPort;
    }
    const int number = port.toInt();
    if (number < 1 || number > 65535)
        return ProxyEntryFault::BadPort;
    return ProxyEntryFault::None;
}

const char* const kDefaultProxyAddress = "127.0.0.1";

ConfigLoadResult LoadConfigFile(const QString& path, const ProxyDialogState& initial) {
    ConfigLoadResult result{initial, {}};
    // Only a regular file is read: a named pipe in its place would block start-up.
    const platform::FileBytes file = platform::ReadRegularFileHead(path, kMaxConfigBytes);
    if (file.missing)
        return result;
    if (!file.ok()) {
        result.error = QCoreApplication::translate("config", "Cannot open file \"%1\". %2")
                           .arg(path, file.reason);
        return result;
    }
    const QByteArray& bytes = file.bytes;
    const bool tooLong = bytes.size() > kMaxConfigBytes;
    std::string_view text(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (tooLong) {
        // Only whole lines within the limit count.
        text = text.substr(0, static_cast<size_t>(kMaxConfigBytes));
        const size_t lastEnd = text.find_last_of("\r\n");
        text = lastEnd == std::string_view::npos ? std::string_view() : text.substr(0, lastEnd + 1);
    }
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        const platform::Result<void, QString> applied = ApplyLine(line, result.state);
        if (!applied) {
            result.error = applied.error();
            return result;
        }
        if (end == std::string_view::npos)
            break;
        size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        text.remove_prefix(next);
    }
    if (tooLong)
        result.error = QCoreApplication::translate(
                           "config", "File \"%1\" is larger than %2 bytes; the rest was not read")
                           .arg(path)
                           .arg(kMaxConfigBytes);
    return result;
}

std::string ConfigFileText(const ProxyDialogState& state) {
    std::string text = "[Setting]\r\nEnabledProxy=";
    text += state.proxyChecked ? "1" : "0";
    text += "\r\nproxy=" + state.address + "\r\nport=" + state.port + "\r\n";
    return text;
}

bool WriteTextFile(const QString& path, const std::string& bytes) {
    return platform::SaveFileAtomically(path, QByteArray::fromStdString(bytes)).isEmpty();
}

QString UserConfigPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quillmarsh/Vendrake/config.ini");
}

ConfigLocation LocateConfigFile(const QString& besideProgram) {
    const QString user = UserConfigPath();
    ConfigLocation location;
    const bool userFileExists = QFileInfo::exists(user);
    location.readPath = userFileExists ? user : besideProgram;
    if (userFileExists || !platform::KeepsUserFiles(QFileInfo(besideProgram).absolutePath())) {
        location.writePath = user;
    } else {
        location.writePath = besideProgram;
    }
    return location;
}

config::ProxySettings SettingsOf(const ProxyDialogState& state) {
    config::ProxySettings s;
    s.useProxy = state.proxyChecked;
    s.host = state.address;
    // A bare IPv6 address would read as host and port; the proxy name needs brackets.
    if (s.host.find(':') != std::string::npos && s.host.front() != '[')
        s.host = "[" + s.host + "]";
    s.port = state.port;
    return s;
}

}  // namespace config
