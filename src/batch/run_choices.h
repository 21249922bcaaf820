// What a vendrake-batch run is given besides its options: the languages and
// dictionaries installed, the proxy of config.ini, the register's address and the
// time-stamping authority, each settled before any file is touched.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "batch/batch_options.h"
#include "batch/console.h"
#include "config/proxy_settings.h"
#include "platform/result.h"

namespace batch {

// A name given for option (--language, --dictionary or --request-language) that is not
// among names fails, the reason listing the installed ones. An empty name passes.
platform::Status CheckInstalled(const char* option, const QString& name, const QStringList& names);

// The proxy of config.ini beside the program; a file that cannot be read is said on
// console and its defaults are used.
config::ProxySettings ConfigProxy(Console& console);

// The register's root address: --service wins over the user's setting, which wins over
// the build-time address. Fails, with the refusal, when the stored setting is unusable.
platform::Result<std::string> ChooseServiceRoot(const BatchOptions& options);

// The time-stamping authority of --stamp: --tsa wins over the setting TsaUrl. Fails, with
// the refusal, when neither names an http or https address.
platform::Result<std::string> ChooseTsaUrl(const BatchOptions& options);

// FILE_unchecked.txt beside the list: the lines the daily limit left unsent.
QString UncheckedFileName(const QString& listPath);

}  // namespace batch
