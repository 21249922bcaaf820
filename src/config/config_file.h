// config.ini: the proxy settings kept beside the program between runs.
#pragma once

#include <QString>
#include <string>

#include "config/proxy_settings.h"

namespace config {

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

// Creates or replaces path with bytes, atomically (a symbolic link there is replaced,
// not followed); false when it cannot, and the old file is then whole.
bool WriteTextFile(const QString& path, const std::string& bytes);

// The per-user config.ini: ".../Quillmarsh/Vendrake/config.ini" under the user's
// configuration folder.
QString UserConfigPath();

// Where config.ini is read from and written to. The per-user file is read when it
// exists, otherwise the one beside the program; it is written beside the program only
// while that folder keeps user files (platform::KeepsUserFiles) and no per-user file
// exists.
struct ConfigLocation {
    QString readPath;
    QString writePath;
};
ConfigLocation LocateConfigFile(const QString& besideProgram);

// What is wrong with a proxy address and port as typed into the dialog.
enum class ProxyEntryFault {
    None,
    EmptyHost,  // no address
    BadHost,    // neither a host name nor an IPv4 or IPv6 address
    BadPort,    // not a whole number from 1 to 65535
};

// Checks address (a host name, a dotted IPv4 address or an IPv6 address, the latter
// optionally in brackets) and port (decimal digits only, 1..65535). Blanks around
// either are an error, so that what is written to config.ini is what is used.
ProxyEntryFault CheckProxyEntry(const QString& address, const QString& port);

// The settings a query service uses; an IPv6 address gets the brackets a proxy name needs.
config::ProxySettings SettingsOf(const ProxyDialogState& state);

}  // namespace config
