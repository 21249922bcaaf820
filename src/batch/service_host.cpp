#include "batch/service_host.h"

#include <QSettings>

namespace batch {

ServiceHost ChooseServiceHost(const std::string& fromOption) {
    if (!fromOption.empty()) {
        return {fromOption, false};
    }
    const QSettings settings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
    const QString stored = settings.value(QStringLiteral("ServiceHost")).toString().trimmed();
    if (!stored.isEmpty()) {
        return {stored.toStdString(), false};
    }
    return {VENDRAKE_SERVICE_HOST, true};
}

}  // namespace batch
