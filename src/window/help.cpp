#include "window/help.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "window/main_window.h"
#include "window/results_pane.h"

namespace window {

QString UserGuideHtml() {
    const QStringList sections = {
        UserGuideDialog::tr(
            "<h3>Searching</h3><p>Type a name, an address, a region, a registration date "
            "(dd.mm.yyyy) or an OGRN or INN under \"Enter data\" and press <b>Find</b> or "
            "Enter. The fields on the right show what is sent to the register. The register "
            "answers only to Cyrillic: choose \"Русский\" as the language of transliteration "
            "for a name typed in Russian, or \"Latin to Russian\" for a name written in "
            "Latin letters.</p>"),
        UserGuideDialog::tr(
            "<h3>Results</h3><p>Each query is a row of the left tree, with the firms, the "
            "register's messages and failures under it. The right tree shows the same rows "
            "converted into the language chosen above it, with the dictionary chosen as "
            "\"Language of translation\". Click a firm to read its ten fields below both "
            "trees.</p>"),
        UserGuideDialog::tr(
            "<h3>Lists</h3><p>File &gt; \"Загрузить данные\" (Ctrl+O) checks a text file "
            "with one name or number per line. The status bar counts the lines checked; "
            "\"Stop\" (Escape) ends the run and keeps what was found.</p>"),
        // The menu items by the names the menu shows, in the same language.
        UserGuideDialog::tr(
            "<h3>Keeping results</h3><p>File &gt; \"%1\" (Ctrl+S) writes the firms to a text "
            "file, \"%2\" (Ctrl+E) writes every row as CSV and \"%3\" as an Excel workbook "
            "whose cells keep numbers and dates as they are. The menu of either tree copies "
            "a row or the whole tree, and the menu of a detail list copies its values.</p>")
            .arg(MainWindow::tr("Save..."), MainWindow::tr("Export..."),
                 MainWindow::tr("Export to Excel...")),
        UserGuideDialog::tr(
            "<h3>Archive</h3><p>Every query is kept in the archive on this computer. "
            "Archive &gt; \"History\" (Ctrl+H) lists past checks: open one to see what "
            "the register said then, without a request, or check it again. \"Search the "
            "archive...\" (Ctrl+Shift+F) finds every firm seen before by name, INN or "
            "OGRN. A firm that changed since the previous check of the same query is "
            "marked; its details mark the fields that changed and show, under them, their "
            "values at that check. \"Export report...\" writes the query shown as a PDF.</p>"),
        // The menu item, the details' section and the status note as the window shows them.
        UserGuideDialog::tr(
            "<h3>Screening</h3><p>File &gt; \"%1\" imports a sanctions or watch list you "
            "keep (FollowTheMoney JSON lines or its simple CSV) and shows the versions "
            "imported. Every firm found is then checked against the newest version of each "
            "list, by INN, OGRN and KPP and by name across scripts. A red square flag marks "
            "a firm matched by a number, an amber pointed flag one matched by name, in both "
            "trees; the query row counts the firms marked, and a firm's details show a "
            "\"%2\" section with the list, the entity, its topics, what matched and the "
            "score. The status bar names the list versions in use, or says \"%3\". Each "
            "check is recorded with the versions it was screened against and its matches; a "
            "check opened from History shows those, not a screening against today's "
            "lists.</p>")
            .arg(MainWindow::tr("Screening lists..."), ResultsPane::tr("Screening"),
                 MainWindow::tr("Screening: no list loaded")),
        UserGuideDialog::tr(
            "<h3>Connection</h3><p>\"Proxy...\" sets an HTTP proxy; \"Register "
            "service...\" sets the address of the register's mirror and tests it.</p>"),
    };
    return sections.join(QString());
}

QString AboutHtml(const QString& serviceRoot) {
    return UserGuideDialog::tr(
               "<b>Vendrake</b> %1<br><br>Looks up legal entities in the Russian state "
               "register and shows them in your language.<br><br>Register service in use: "
               "%2<br><br>Licence: proprietary; all rights reserved by Quillmarsh.")
        .arg(QStringLiteral(VENDRAKE_VERSION), serviceRoot.toHtmlEscaped());
}

UserGuideDialog::UserGuideDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("userGuideDialog"));
    setWindowTitle(tr("User guide"));
    auto* column = new QVBoxLayout(this);
    auto* text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("userGuideText"));
    text->setHtml(UserGuideHtml());
    column->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    column->addWidget(buttons);
    resize(560, 480);
}

}  // namespace window
