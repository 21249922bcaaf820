// LoadLanguageChoices: the language lists and the saved language choices.
#include <QCollator>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QSplitter>
#include <algorithm>
#include <stdexcept>

#include "platform/program_dir.h"
#include "platform/safe_file.h"
#include "translit/translit.h"
#include "window/file_dialogs.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/query_entry.h"

namespace window {
namespace {

const QString kOrganisation = QStringLiteral("Quillmarsh");
const QString kVendrake = QStringLiteral("Vendrake");
const QString kTessadrin = QStringLiteral("Tessadrin");
const QString kDictionaryKey = QStringLiteral("Dictionary");
const QString kGeometryKey = QStringLiteral("WindowGeometry");
const QString kSplitterGroup = QStringLiteral("Splitters/");
const QString kListFolderKey = QStringLiteral("ListFolder");
// The docked panels: which are open, where and how large.
const QString kWindowStateKey = QStringLiteral("WindowState");

[[noreturn]] void Fail(const QString& text) {
    throw std::runtime_error(text.toStdString());
}

// Opening a settings group creates it: the backing file is made when missing.
void CreateIfMissing(const QSettings& settings) {
    const QString path = settings.fileName();
    if (QFileInfo::exists(path)) {
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Append);  // failure: values read as empty
}

// A missing value reads as empty text; a value of another type stops start-up.
QString ReadString(const QSettings& settings, const QString& name) {
    const QVariant value = settings.value(name);
    if (!value.isValid()) {
        return QString();
    }
    if (value.typeId() != QMetaType::QString) {
        Fail(QCoreApplication::translate("window::MainWindow", "Invalid data type for '%1'")
                 .arg(name));
    }
    return value.toString();
}

QString ReadChoice(const QString& application, const QString& name) {
    QSettings settings(kOrganisation, application);
    CreateIfMissing(settings);
    return ReadString(settings, name);
}

// The list as every box shows it: sorted by the user's locale, ignoring case.
QStringList SortedForDisplay(QStringList names) {
    // The user's own order: the program's default locale is Russian for the dates.
    QCollator collator(QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    return names;
}

// No entry of that name leaves the box without a choice and without text.
void SelectIgnoringCase(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text, Qt::MatchFixedString));  // case-insensitive
}

}  // namespace

void MainWindow::LoadLanguageChoices() {
    // The boxes are filled programmatically: no change handler runs (they are
    // connected afterwards), so nothing is written back and no mirror recomputed.
    try {
        LoadLanguageChoicesOrThrow();
    } catch (const std::exception& e) {
        ShowErrorReport(this, QString::fromUtf8(e.what()));
    }
}

void MainWindow::LoadLanguageChoicesOrThrow() {
    openDialogDir_ = platform::ProgramDir();

    const QString langTransliteration =
        ReadChoice(kTessadrin, QStringLiteral("LangTransliteration"));
    const QString langDict = ReadChoice(kVendrake, QStringLiteral("LangDict"));
    const QString langDict2 = ReadChoice(kVendrake, QStringLiteral("LangDict2"));
    const QString dictionary = ReadChoice(kVendrake, kDictionaryKey);

    dictionaryBox->clear();

    const QString root = translit::GetTransliterationDir();
    if (!QFileInfo(root).isDir()) {
        ShowMessage(this, tr("No dictionary files"));
        return;
    }

    // Dictionaries and languages, sorted the same way in every box.
    dictionaryBox->addItems(SortedForDisplay(translit::ListDictionaryNames()));
    dictionaryBox->setCurrentIndex(-1);

    const QStringList languages = SortedForDisplay(translit::ListLanguageFolders());
    requestLanguageBox->addItems(languages);
    paneLanguageBox->addItems(languages);
    if (requestLanguageBox->count() > 0) {
        requestLanguageBox->setCurrentIndex(0);
        paneLanguageBox->setCurrentIndex(0);
    }

    // The first language's description must be readable (its content is not used).
    const QString description = (requestLanguageBox->count() > 0
                                     ? root + requestLanguageBox->currentText() + QLatin1Char('/')
                                     : root) +
                                QStringLiteral("description.dat");
    // Only a regular file is opened: a named pipe there would block start-up.
    const platform::FileBytes check =
        platform::ReadRegularFile(description, translit::kMaxRuleFileBytes);
    if (!check.ok()) {
        Fail(tr("Cannot open file \"%1\". %2").arg(description, check.reason));
    }

    RestoreSelections(dictionary.isEmpty() ? langTransliteration : dictionary, langDict, langDict2);
    ApplyFirstRunChoices(langDict, langDict2, dictionary);
}

// The dictionary box shows a dictionary or nothing: a stored name that is none is
// passed over.
void MainWindow::RestoreSelections(const QString& dictionary, const QString& langDict,
                                   const QString& langDict2) {
    SelectIgnoringCase(requestLanguageBox, langDict);
    SelectIgnoringCase(paneLanguageBox, langDict2);
    const int index = dictionaryBox->findText(dictionary, Qt::MatchFixedString);
    if (index >= 0) {
        dictionaryBox->setCurrentIndex(index);
    }
}

namespace {

// The shipped language (and dictionary) named for the language of locale, or English.
QString LanguageForLocale(const QLocale& locale) {
    switch (locale.language()) {
        case QLocale::German:
            return QStringLiteral("Deutsch");
        case QLocale::French:
            return QStringLiteral("Français");
        case QLocale::Spanish:
            return QStringLiteral("Español");
        case QLocale::Italian:
            return QStringLiteral("Italiano");
        case QLocale::Polish:
            return QStringLiteral("Polski");
        case QLocale::Czech:
            return QStringLiteral("Čeština");
        default:
            return QStringLiteral("English");
    }
}

// Selects the entry named name, or "English" when there is none.
void SelectDefault(QComboBox* box, const QString& name) {
    int index = box->findText(name, Qt::MatchFixedString);
    if (index < 0) {
        index = box->findText(QStringLiteral("English"), Qt::MatchFixedString);
    }
    if (index >= 0) {
        box->setCurrentIndex(index);
    }
}

}  // namespace

// Without a usable stored choice a box would start empty and the first conversion
// fail: the request side then sends the query as typed ("Русский"), and the pane and
// the dictionary follow the language of the user's locale. A stored choice that is
// installed always wins; one that is no longer installed is named in the status line.
void MainWindow::ApplyFirstRunChoices(const QString& storedRequest, const QString& storedPane,
                                      const QString& storedDictionary) {
    const QString localeLanguage = LanguageForLocale(QLocale::system());
    if (requestLanguageBox->currentIndex() < 0) {
        const int index = requestLanguageBox->findText(QStringLiteral("Русский"));
        if (index >= 0) {
            requestLanguageBox->setCurrentIndex(index);
        }
    }
    if (paneLanguageBox->currentIndex() < 0) {
        SelectDefault(paneLanguageBox, localeLanguage);
    }
    if (dictionaryBox->currentIndex() < 0) {
        SelectDefault(dictionaryBox, localeLanguage);
    }

    QStringList notes;
    const auto noteIfGone = [this, &notes](const QString& stored, const QComboBox* box,
                                           const QString& caption) {
        if (stored.isEmpty() || box->findText(stored, Qt::MatchFixedString) >= 0) {
            return;
        }
        notes << (box->currentIndex() >= 0
                      ? tr("%1: \"%2\" is not installed any more; \"%3\" is used instead.")
                            .arg(caption, stored, box->currentText())
                      : tr("%1: \"%2\" is not installed any more.").arg(caption, stored));
    };
    noteIfGone(storedRequest, requestLanguageBox,
               QCoreApplication::translate("window::QueryEntry", "Language of transliteration"));
    noteIfGone(
        storedPane, paneLanguageBox,
        QCoreApplication::translate("window::ResultsPane", "Search results in your language"));
    noteIfGone(storedDictionary, dictionaryBox,
               QCoreApplication::translate("window::QueryEntry", "Language of translation"));
    if (!notes.isEmpty()) {
        SetStatus(notes.join(QLatin1Char(' ')));
    }
}

QString MainWindow::Setting(const QString& name) const {
    return QSettings(kOrganisation, kVendrake).value(name).toString();
}

void MainWindow::WriteChoice(const QString& name, const QString& value) {
    QSettings settings(kOrganisation, kVendrake);
    settings.setValue(name, value);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        Fail(tr("Failed to set data for '%1'").arg(name));
    }
}

void MainWindow::OnRequestLanguageChanged() {
    queryEntry_->ResetMirrorFailure();  // a new choice may fail again, and says so once
    WriteChoice(QStringLiteral("LangDict"), requestLanguageBox->currentText());
}

// Only a real dictionary is stored: an empty box is not a choice.
void MainWindow::OnDictionaryChanged() {
    const QString name = dictionaryBox->currentText();
    if (dictionaryBox->findText(name, Qt::MatchFixedString) >= 0) {
        WriteChoice(kDictionaryKey, name);
    }
    ApplyPaneLanguage();
}

// The window's size and place, its splitters and the folder lists were last loaded
// from, as the user left them.
void MainWindow::RestoreLayout() {
    QSettings settings(kOrganisation, kVendrake);
    if (restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
        centred_ = true;
    }
    restoreState(settings.value(kWindowStateKey).toByteArray());
    for (QSplitter* splitter : findChildren<QSplitter*>()) {
        splitter->restoreState(
            settings.value(kSplitterGroup + splitter->objectName()).toByteArray());
    }
    const QVariant folder = settings.value(kListFolderKey);
    if (folder.typeId() == QMetaType::QString && !folder.toString().isEmpty() &&
        QFileInfo(folder.toString()).isDir()) {
        openDialogDir_ = QDir(folder.toString()).absolutePath() + QLatin1Char('/');
    } else {
        openDialogDir_ = DocumentsFolder();  // never the program's folder
    }
}

// Best effort: a layout that cannot be stored costs the user nothing but its restoring.
void MainWindow::SaveLayout() {
    QSettings settings(kOrganisation, kVendrake);
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kWindowStateKey, saveState());
    for (const QSplitter* splitter : findChildren<QSplitter*>()) {
        settings.setValue(kSplitterGroup + splitter->objectName(), splitter->saveState());
    }
    settings.setValue(kListFolderKey, openDialogDir_);
}

void MainWindow::OnPaneLanguageChanged() {
    WriteChoice(QStringLiteral("LangDict2"), paneLanguageBox->currentText());
    ApplyPaneLanguage();
}

}  // namespace window
