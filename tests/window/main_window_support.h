// Shared ground of the main-window tests: an isolated settings and language sandbox,
// small test languages, captured message boxes and access to controls by name.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

namespace wintest {

// Points XDG_CONFIG_HOME and XDG_DATA_HOME into a private temporary folder. Must run
// before the first QSettings of the process.
class Sandbox {
  public:
    Sandbox();
    QString path() const { return dir_.path(); }
    QString configDir() const { return dir_.path() + QStringLiteral("/config"); }

    // Points the shared data folder at a fresh folder named `name`; returns its
    // transliteration root (created) ".../Quillmarsh/Transliteration/".
    QString UseDataFolder(const QString& name);
    QString TransliterationRoot() const;
    QString DictionaryRoot() const;

    // A language folder with its table, an empty exception file and a description.
    void WriteLanguage(const QString& name, const QStringList& tableLines) const;
    // "Latin": a table for the Russian alphabet; "Russian": an empty table, which
    // copies every character unchanged.
    void WriteStandardLanguages() const;
    void WriteDictionary(const QString& fileName, const QByteArray& bytes) const;

    // Empties the two settings groups of the program.
    static void ClearSettings();

  private:
    QTemporaryDir dir_;
    QString data_;
};

// UTF-16LE, every line ended by CR LF.
void WriteRuleFile(const QString& path, const QStringList& lines);

// Message boxes and error reports go to Messages() instead of the screen.
void CaptureMessages();
QStringList& Messages();

// Types text key by key (also characters outside Latin-1, which QTest::keyClicks
// does not take).
void TypeText(QWidget* widget, const QString& text);

template <typename T>
T* Control(const QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace wintest
