#include "window/detail_copy.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QTreeWidget>
#include <QTreeWidgetItem>

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

std::optional<QString> SelectedValueText(const QTreeWidget& list) {
    const QTreeWidgetItem* row = SelectedRow(list);
    if (!row) {
        return std::nullopt;
    }
    return ValueLines(row->text(1));
}

QString AllRowsText(const QTreeWidget& list) {
    QString text;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list.topLevelItem(i);
        text += row->text(0);
        text += QStringLiteral(": ");
        const QString lines = ValueLines(row->text(1));
        text += lines.isEmpty() ? QStringLiteral("\r\n") : lines;
    }
    return text;
}

void CopyToBuffer(const QString& text) {
    // Without a GUI application there is no clipboard to open: nothing is copied.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        return;
    }
    // Plain text ends at its first NUL: programs that paste it read it as a C string.
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    clipboard->setText(nul < 0 ? text : text.left(nul), QClipboard::Clipboard);
}

}  // namespace window
