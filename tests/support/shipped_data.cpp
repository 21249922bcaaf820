#include "support/shipped_data.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "translit/translit.h"

namespace data_test {

QString SourceDataDir() {
    return QStringLiteral(VENDRAKE_SOURCE_DIR "/data/");
}

namespace {

// A temporary XDG data folder whose "Quillmarsh" links to the source tree's data folder.
// The link is removed before the folder, so the cleanup never reaches the source tree.
class LinkedDataHome {
  public:
    LinkedDataHome() : link_(dir_.filePath(QStringLiteral("Quillmarsh"))) {
        QFile::link(QStringLiteral(VENDRAKE_SOURCE_DIR "/data"), link_);
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.path()));
    }
    ~LinkedDataHome() { QFile::remove(link_); }

  private:
    QTemporaryDir dir_;
    QString link_;
};

}  // namespace

QString UseShippedData() {
    static LinkedDataHome home;
    return SourceDataDir();
}

QStringList ShippedLanguages() {
    return QDir(SourceDataDir() + QStringLiteral("Transliteration"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList ShippedDictionaries() {
    QStringList names;
    const QStringList files = QDir(SourceDataDir() + QStringLiteral("Dictionaries"))
                                  .entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        names << file.chopped(4);
    return names;
}

QString Convert(const QString& text, const QString& language) {
    UseShippedData();
    const translit::Outcome outcome = translit::ConvertText(text, language);
    return outcome.ok() ? outcome.text
                        : QStringLiteral("<failed: ") + outcome.error + QLatin1Char('>');
}

}  // namespace data_test
