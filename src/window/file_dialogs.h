// The save dialogs of the window: they start in the folder used last (the user's
// documents folder before that, never the program's folder), and a name typed without
// an extension gets the one of the file type chosen.
#pragma once

#include <QString>

class QWidget;

namespace window {

// The user's documents folder, made when missing, with a trailing '/'.
QString DocumentsFolder();

// path with the first extension of filter ("Text file (*.txt)" gives ".txt") added when
// its file name has no extension of its own; path unchanged otherwise.
QString WithFilterExtension(const QString& path, const QString& filter);

// Asks where to write a file of type filter, starting at fileName in folder (empty:
// the documents folder). Returns the chosen path with the filter's extension, and sets
// folder to its folder; empty when the user cancels.
QString AskSaveFile(QWidget* parent, const QString& title, QString& folder, const QString& fileName,
                    const QString& filter);

}  // namespace window
