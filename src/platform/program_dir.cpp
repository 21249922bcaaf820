#include "platform/program_dir.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

QString ProgramDir() {
    QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty())
        dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

}  // namespace platform
