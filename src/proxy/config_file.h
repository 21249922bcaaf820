// config.ini: the proxy settings kept beside the program between runs.
#pragma once

#include <QString>
#include <string>

#include "worker/proxy_settings.h"

namespace proxy {

// The state of the proxy dialog's controls that the file sets.
struct ProxyDialogState {
    bool systemChecked = true;  // "Use the system configuration" chosen
    bool proxyChecked = false;  // "Use proxy" chosen
    bool boxesEnabled = false;  // address and port boxes (with labels)
    std::string address;        // the address box
    std::string port = "8080";  // the port box
};

// The fixed address shown when config.ini sets none.
extern const char* const kDefaultProxyAddress;

struct ConfigLoadResult {
    ProxyDialogState state;  // what the lines read before any error set
    QString error;           // empty when the whole file was read
};

// Applies path's lines to initial; a missing file leaves initial as it is.
ConfigLoadResult LoadConfigFile(const QString& path, const ProxyDialogState& initial);

// The four lines "[Setting]", "EnabledProxy=", "proxy=", "port=", each ended by CR LF.
std::string ConfigFileText(const ProxyDialogState& state);

// Creates or replaces path with bytes; false when it cannot.
bool WriteTextFile(const QString& path, const std::string& bytes);

worker::ProxySettings SettingsOf(const ProxyDialogState& state);

}  // namespace proxy
