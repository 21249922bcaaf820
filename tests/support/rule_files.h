// Test helpers: language folders and dictionaries written as real files in a
// temporary shared data folder that the engine finds through XDG_DATA_HOME.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>
#include <ostream>
#include <thread>

#include "translit/language_cache.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace translit_test {

// UTF-16LE bytes of lines, each ended by CR LF (the last one optionally not).
inline QByteArray RuleFileBytes(const QStringList& lines, bool finalLineEnd = true,
                                bool byteOrderMark = false) {
    QString text = lines.join(QStringLiteral("\r\n"));
    if (finalLineEnd && !lines.isEmpty())
        text += QStringLiteral("\r\n");
    if (byteOrderMark)
        text.prepend(QChar(0xFEFF));
    QByteArray bytes(text.size() * 2, '\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), bytes.data() + 2 * i);
    return bytes;
}

// Lets the engine's next call see every change made so far: a call that starts long
// enough after the previous one reads the change queue itself.
inline void AfterEdit() {
    std::this_thread::sleep_for(2 * translit::detail::kChangePause);
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
    }
    AfterEdit();
}

// A temporary shared data folder made the engine's root for as long as it lives:
// XDG_DATA_HOME points at it and XDG_DATA_DIRS at an empty folder inside it, so no
// folder of the machine takes part.
class SharedRoot {
  public:
    SharedRoot() {
        qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
        qputenv("XDG_DATA_DIRS", (dir_.path() + QStringLiteral("/none")).toUtf8());
    }
    QString Path() const { return dir_.path() + QLatin1Char('/'); }
    QString TransliterationDir() const {
        return Path() + QStringLiteral("Quillmarsh/Transliteration/");
    }
    QString DictionaryDir() const { return Path() + QStringLiteral("Quillmarsh/Dictionaries/"); }

    void WriteLanguage(const QString& language, const QStringList& table,
                       const QStringList& exceptions) const {
        WriteTable(language, RuleFileBytes(table));
        WriteExceptions(language, RuleFileBytes(exceptions));
    }
    void WriteTable(const QString& language, const QByteArray& bytes) const {
        WriteBytes(
            TransliterationDir() + language + QLatin1Char('/') + language + QStringLiteral(".dat"),
            bytes);
    }
    void WriteExceptions(const QString& language, const QByteArray& bytes) const {
        WriteBytes(TransliterationDir() + language + QStringLiteral("/exception.dat"), bytes);
    }
    void WriteDictionary(const QString& name, const QByteArray& bytes) const {
        WriteBytes(DictionaryDir() + name + QStringLiteral(".txt"), bytes);
    }

  private:
    QTemporaryDir dir_;
};

}  // namespace translit_test
