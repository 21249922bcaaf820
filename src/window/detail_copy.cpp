#include "window/detail_copy.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "platform/cp1251.h"

namespace window {
namespace {

// The value's lines (split at CR LF, CR or LF; a final line end adds no empty line),
// each followed by CR LF. An empty value has no lines.
QString ValueLines(const QString& value) {
    QString out;
    int start = 0;
    int i = 0;
    while (i < value.size()) {
        const QChar c = value.at(i);
        if (c == u'\r' || c == u'\n') {
            out += value.mid(start, i - start);
            out += QStringLiteral("\r\n");
            i += (c == u'\r' && i + 1 < value.size() && value.at(i + 1) == u'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < value.size()) {
        out += value.mid(start);
        out += QStringLiteral("\r\n");
    }
    return out;
}

const QTreeWidgetItem* SelectedRow(const QTreeWidget& list) {
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list.topLevelItem(i);
        if (row->isSelected()) {
            return row;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> SelectedValueText(const QTreeWidget& list) {
    const QTreeWidgetItem* row = SelectedRow(list);
    if (!row) {
        return std::nullopt;
    }
    return platform::ToCp1251(ValueLines(row->text(1)));
}

std::string AllRowsText(const QTreeWidget& list) {
    QString text;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list.topLevelItem(i);
        text += row->text(0);
        text += QStringLiteral(": ");
        const QString lines = ValueLines(row->text(1));
        text += lines.isEmpty() ? QStringLiteral("\r\n") : lines;
    }
    return platform::ToCp1251(text);
}

void CopyToBuffer(const std::string& s) {
    // Without a GUI application there is no clipboard to open: nothing is copied.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        return;
    }
    // Plain text ends at its first NUL byte, as a C string handed to the clipboard does.
    const std::string_view bytes(s.c_str());
    clipboard->setText(platform::FromCp1251(bytes), QClipboard::Clipboard);
}

}  // namespace window
