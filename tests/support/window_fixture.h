// Shared ground of the main-window tests: an isolated settings and language sandbox,
// small test languages, captured message boxes and access to controls by name.
#pragma once

#include <QModelIndex>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>

#include "window/main_window.h"

class QTreeView;

namespace lookup {
struct FirmRecord;
}

namespace wintest {

// A firm row with its name and OGRN (Windows-1251 bytes as given) and nothing else.
lookup::FirmRecord NamedFirm(const std::string& name, const std::string& ogrn);

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

// The ground of a test that searches: a sandbox with the standard languages,
// message boxes captured, and "Russian" and "Latin" chosen as the dictionaries.
std::unique_ptr<Sandbox> SearchingSandbox();

// UTF-16LE, every line ended by CR LF.
void WriteRuleFile(const QString& path, const QStringList& lines);

// Stores "Russian" and "Latin" as the program's two dictionary choices, as the
// window tests that search expect.
void ChooseTestDictionaries();
// Writes lines to path as a list file: Windows-1251, lines separated by CR LF.
QString WriteCp1251List(const QString& path, const QStringList& lines);
// A main window on the register service at root, probing probeUrl, shown and exposed.
// proxyConfig, when given, is the config.ini of a proxy dialog the window takes;
// options are those the window is made with.
std::unique_ptr<window::MainWindow> NewWindow(const std::string& root, const std::string& probeUrl,
                                              const QString& proxyConfig = QString(),
                                              window::MainWindow::Options options = {});
// The options of a window whose service runs one query at a time.
window::MainWindow::Options OneQueryAtATime();
// Waits until no query of the window's run is left and its status line reads status;
// false when that does not happen within timeoutMs.
bool WaitForStatus(const window::MainWindow& mainWindow, const QString& status, int timeoutMs);
// The same for a status line that starts with status.
bool WaitForStatusPrefix(const window::MainWindow& mainWindow, const QString& status,
                         int timeoutMs);
// Triggers the action of mainWindow named name, as its menu entry does; false when
// there is none.
bool Trigger(const QWidget* mainWindow, const char* name);
// Answers the next file dialog that opens: name typed into its name box and accepted.
// startFolder, when given, is set to the folder the dialog started in.
void AnswerFileDialog(QObject* context, const QString& name, QString* startFolder = nullptr);
// Types name into the name field and clicks "Find".
void FindName(window::MainWindow* mainWindow, const QString& name);

// The bytes of the file at path; empty when it cannot be read.
QByteArray ReadAll(const QString& path);

// Message boxes and error reports go to Messages() instead of the screen.
void CaptureMessages();
QStringList& Messages();

// Types text key by key (also characters outside Latin-1, which QTest::keyClicks
// does not take).
void TypeText(QWidget* widget, const QString& text);

// The tree view of window named name ("resultsTree" or "translatedTree").
QTreeView* Tree(const QWidget* window, const char* name = "resultsTree");
// The query row `query` of tree, or its row `child` under it.
QModelIndex Row(const QTreeView* tree, int query, int child = -1);
QString TextOf(const QModelIndex& index);
int ImageOf(const QModelIndex& index);
// Clicks a row as a user's pointer does, opening its query row first; double too.
void ClickRow(QTreeView* tree, const QModelIndex& index, bool twice = false);
// The value (column 1) of row `row` of a detail list.
QString DetailValue(const QWidget* window, const char* list, int row);
QString DetailCaption(const QWidget* window, const char* list, int row);
// A row of a results tree, read the way a tree item is.
class Node {
  public:
    explicit Node(QModelIndex index) : index_(index) {}
    QString text(int = 0) const;
    QString toolTip(int = 0) const;
    int childCount() const;
    Node child(int row) const;
    QModelIndex index() const { return index_; }

  private:
    QModelIndex index_;
};
Node TopNode(const QTreeView* tree, int row);
int ImageOf(const Node& node);

// Adds a query row with a firm row of record under it and makes the firm row current,
// as a search that found it and a click on it would.
void ShowFirm(window::MainWindow& mainWindow, const lookup::FirmRecord& record);

template <typename T>
T* Control(const QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace wintest
