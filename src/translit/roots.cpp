// Where the language folders and the dictionaries lie, and what they hold.
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/program_dir.h"
#include "translit/translit.h"

namespace translit {
namespace {

// The first shared data folder holding "Quillmarsh/<folder>/", otherwise the folder
// of the same name beside the program. Looked up afresh on every call.
QString FindRoot(const QString& folder) {
    const QString tail = QStringLiteral("Quillmarsh/") + folder + QLatin1Char('/');
    const QStringList shared =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (QString base : shared) {
        if (base.isEmpty())
            continue;
        if (!base.endsWith(QLatin1Char('/')))
            base += QLatin1Char('/');
        const QString candidate = base + tail;
        if (QFileInfo(candidate).isDir())
            return candidate;
    }
    return platform::ProgramDir() + folder + QLatin1Char('/');
}

}  // namespace

QString GetTransliterationDir() {
    return FindRoot(QStringLiteral("Transliteration"));
}

QString GetDictionaryDir() {
    return FindRoot(QStringLiteral("Dictionaries"));
}

QStringList ListLanguageFolders() {
    const QDir root(GetTransliterationDir());
    if (!root.exists())
        return {};
    return root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
}

QStringList ListDictionaryNames() {
    const QDir root(GetDictionaryDir());
    if (!root.exists())
        return {};
    QStringList names;
    const QStringList files =
        root.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Unsorted);
    for (const QString& file : files)
        names << file.left(file.lastIndexOf(QLatin1Char('.')));
    return names;
}

}  // namespace translit
