// The address of the register service: a user setting, "HOST" or "HOST:PORT", kept in
// the settings of "Quillmarsh"/"Vendrake" under "ServiceHost". The build-time host is
// the default and stays in use until the user sets another.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "platform/result.h"

namespace config {

// The settings key.
extern const char* const kServiceHostKey;

// The sentence that shows the accepted forms of an address, ending a refusal.
extern const char* const kServiceHostForms;

struct ServiceAddress {
    QString host;
    int port = 0;  // 0: none given (the scheme's default)

    // "HOST" or "HOST:PORT" ("[v6]:PORT" for an IPv6 address with a port).
    QString ToSetting() const;
    // "http://" + ToSetting(), no trailing '/'.
    std::string ServiceRoot() const;
};

// An address, or sentences saying what is wrong with it.
using AddressResult = platform::Result<ServiceAddress, QString>;

// Parses "HOST", "HOST:PORT" or "http://HOST[:PORT]/" (the scheme and the final '/'
// dropped; blanks around it ignored). Another scheme or a path is refused. A bad value
// fails with English sentences saying what is wrong (and, for a URL, which forms are
// accepted).
AddressResult ParseServiceHost(const QString& text);

// Checks host and port as the setting dialog takes them (port empty for none).
AddressResult MakeServiceAddress(const QString& host, const QString& port);

// The address the program was built with (DefaultServiceRoot() of default_addresses.h).
ServiceAddress BuildTimeServiceAddress();

// The stored setting, or none when none is stored or it does not parse.
std::optional<ServiceAddress> StoredServiceAddress();

// The stored setting, or none when nothing is stored. A stored text that is no address
// fails with a sentence naming the setting and what is wrong with it.
platform::Result<std::optional<ServiceAddress>, QString> StoredServiceSetting();

// Stores address as the setting.
void StoreServiceAddress(const ServiceAddress& address);

// The service root searches use: the stored setting when there is one, otherwise
// fallbackRoot ("http://host[:port]").
std::string ConfiguredServiceRoot(const std::string& fallbackRoot);

// Whether serviceRoot is still the build-time placeholder address.
bool IsPlaceholderServiceRoot(const std::string& serviceRoot);

}  // namespace config
