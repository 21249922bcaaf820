#include "platform/program_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/safe_file.h"

namespace platform {

QString ProgramDir() {
    QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty())
        dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

bool KeepsUserFiles(const QString& folder) {
    // The real folder: a link in a user's folder may lead into /usr, and /bin may be a
    // link to /usr/bin.
    QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty())
        real = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    for (const char* system : {"/bin", "/sbin", "/usr/bin", "/usr/sbin", "/usr/games", "/usr/lib",
                               "/usr/libexec", "/usr/local/bin", "/usr/local/sbin",
                               "/usr/local/games", "/usr/local/lib", "/usr/local/libexec"}) {
        const QString root = QLatin1String(system);
        if (real == root || real.startsWith(root + QLatin1Char('/')))
            return false;
    }
    return CanCreateFilesIn(folder);
}

}  // namespace platform
