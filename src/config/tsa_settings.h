// The time-stamping authority the archive's head is sent to and the CA certificates
// its tokens are checked against: user settings of "Quillmarsh"/"Vendrake" under
// "TsaUrl" and "TsaCaFile". And the proxy every request of the program goes through,
// as config.ini sets it.
#pragma once

#include <QString>
#include <string>

#include "config/proxy_settings.h"

namespace config {

// The settings keys.
extern const char* const kTsaUrlKey;
extern const char* const kTsaCaFileKey;

struct TsaSettings {
    std::string url;     // empty: none set
    std::string caFile;  // empty: none set
};

// The stored settings; blanks around a value are dropped.
TsaSettings StoredTsaSettings();

// Stores them; an empty value removes its setting.
void StoreTsaSettings(const TsaSettings& settings);

// The proxy config.ini sets, and what kept a line of it from being read.
struct ConfiguredProxySettings {
    config::ProxySettings proxy;
    std::string problem;  // a line that could not be read; the lines before it still count
};

// The proxy config.ini sets, read where the window reads it (the per-user file when
// there is one, otherwise besideProgram). No file: no proxy.
ConfiguredProxySettings ConfiguredProxy(const QString& besideProgram);

}  // namespace config
