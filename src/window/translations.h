// The window in the user's language: the program's own translation and Qt's one for
// its standard dialogs, chosen by a locale. Texts written to files never go through it.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace window {

// The folders searched for "vendrake_<lang>.qm", in order: "translations" beside the
// program (the build tree), then "../share/vendrake/translations" from it (installed).
QStringList TranslationFolders();

// Installs into app the program's translation for locale's UI languages, the first
// found in folders, and Qt's own ("qtbase_<lang>.qm" from Qt's translations folder,
// loaded even where the program has no translation);
// the translators are children of app. Returns the file name of the program's
// translation loaded, or an empty text when none matches (the C locale, or a language
// without one): the source texts show.
QString InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system(),
                            const QStringList& folders = TranslationFolders());

}  // namespace window
