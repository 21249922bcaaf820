// Where the language folders and the dictionaries lie, and what they hold.
#include <QDir>

#include "translit/language_cache.h"
#include "translit/translit.h"

namespace translit {
QString GetTransliterationDir() {
    return detail::TransliterationRoot();
}

QString GetDictionaryDir() {
    return detail::DictionaryRoot();
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
