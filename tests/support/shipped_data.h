// Points the engine at the language folders and dictionaries of the source tree, as an
// installed program finds them: an XDG data folder holding "Quillmarsh" -> data/.
#pragma once

#include <QString>
#include <QStringList>

namespace data_test {

// The source tree's data folder, ending with '/'.
QString SourceDataDir();

// Sets XDG_DATA_HOME to a temporary folder whose "Quillmarsh" links to SourceDataDir()
// (once per test program) and returns SourceDataDir().
QString UseShippedData();

// The language folder names and dictionary names found under the source data folder.
QStringList ShippedLanguages();
QStringList ShippedDictionaries();

// Transliterate with the shipped data; a failure report becomes part of the result so
// that a comparison shows it.
QString Convert(const QString& text, const QString& language);

}  // namespace data_test
