#include "fuzz_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace fuzzsupport {
namespace {
QTemporaryDir* g_dir = nullptr;
}

void Init() {
    static bool done = false;
    if (done)
        return;
    done = true;
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    g_dir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/vendrake-fuzz-XXXXXX"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(g_dir->path()));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(g_dir->path() + QStringLiteral("/none")));
    new QCoreApplication(argc, argv);
    QDir().mkpath(Scratch() + QStringLiteral("Quillmarsh/Transliteration"));
    QDir().mkpath(Scratch() + QStringLiteral("Quillmarsh/Dictionaries"));
}

QString Scratch() {
    return g_dir->path() + QLatin1Char('/');
}

void WriteFile(const QString& relativePath, std::string_view bytes) {
    const QString path = Scratch() + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void Split(const uint8_t* data, size_t size, std::string_view* parts, int n) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    static const std::string_view sep("\xFF\xFE\xFD", 3);
    for (int i = 0; i < n; ++i) {
        if (i == n - 1) {
            parts[i] = rest;
            rest = {};
            break;
        }
        const size_t at = rest.find(sep);
        if (at == std::string_view::npos) {
            parts[i] = rest;
            rest = {};
            for (int j = i + 1; j < n; ++j)
                parts[j] = {};
            return;
        }
        parts[i] = rest.substr(0, at);
        rest.remove_prefix(at + sep.size());
    }
}

}  // namespace fuzzsupport
