#include "window/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/program_dir.h"

namespace window {

QStringList TranslationFolders() {
    const QString dir = platform::ProgramDir();
    return {dir + QStringLiteral("translations"),
            dir + QStringLiteral("../share/vendrake/translations")};
}

QString InstallTranslations(QCoreApplication& app, const QLocale& locale,
                            const QStringList& folders) {
    // The C locale asks for no language at all: the source texts show.
    if (locale.language() == QLocale::C) {
        return QString();
    }
    QString loaded;
    auto* own = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (own->load(locale, QStringLiteral("vendrake"), QStringLiteral("_"), folder)) {
            loaded = own->filePath();
            app.installTranslator(own);
            break;
        }
    }
    if (loaded.isEmpty()) {
        delete own;
    }
    // Qt's own texts (standard buttons, file dialogs) in the locale's language, also
    // where the program has no translation of its own; without them those dialogs
    // stay in English, which is still usable.
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(qt);
    } else {
        delete qt;
    }
    return loaded;
}

}  // namespace window
