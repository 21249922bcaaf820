// Reads an .xlsx file back the way a spreadsheet program does, for tests: its parts
// unpacked by `unzip`, its sheets' cells read as XML.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <map>

#include "support/child_process.h"

namespace xlsxtest {

// One part of the package ("xl/worksheets/sheet1.xml"); empty when it is not there.
inline QByteArray Part(const QString& path, const QString& part) {
    const testsupport::ProgramResult unzip =
        testsupport::RunProgram(QStringLiteral("unzip"), {QStringLiteral("-p"), path, part});
    return unzip.exitCode == 0 ? unzip.out : QByteArray();
}

struct Cell {
    QString type;   // the t attribute: "inlineStr" or "s" for text, "" or "n" for a number
    QString style;  // the s attribute
    QString text;   // an inline string's or a value's text
};

// The cells of a sheet by reference ("A1"); shared strings are looked up in strings.
inline std::map<QString, Cell> Cells(const QByteArray& sheet, const QStringList& strings = {}) {
    std::map<QString, Cell> cells;
    QXmlStreamReader xml(sheet);
    QString ref;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("c")) {
            ref = xml.attributes().value(QLatin1String("r")).toString();
            cells[ref].type = xml.attributes().value(QLatin1String("t")).toString();
            cells[ref].style = xml.attributes().value(QLatin1String("s")).toString();
        } else if (xml.name() == QLatin1String("t") || xml.name() == QLatin1String("v")) {
            const QString text = xml.readElementText();
            Cell& cell = cells[ref];
            cell.text += cell.type == QLatin1String("s") ? strings.value(text.toInt()) : text;
        }
    }
    return cells;
}

// The shared strings of the package, in order.
inline QStringList SharedStrings(const QString& path) {
    QStringList strings;
    QXmlStreamReader xml(Part(path, QStringLiteral("xl/sharedStrings.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
            QString text;
            while (!(xml.isEndElement() && xml.name() == QLatin1String("si")) && !xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == QLatin1String("t")) {
                    text += xml.readElementText();
                }
            }
            strings << text;
        }
    }
    return strings;
}

// Whether the bytes are well-formed XML.
inline bool WellFormed(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
    }
    return !reader.hasError();
}

}  // namespace xlsxtest
