"""The HTML pages of the stand-in register, as Python text (sent as Windows-1251)."""

import html

import firms

STOP_TEXT = "It is recommended to specify a search query, indicating more accurate"
LIMIT_TEXT = "На сегодняшний день Ваш лимит запросов исчерпан"
NOTHING_TEXT = "Записей не найдено"
ERROR_TEXT = "Ошибка:"
ZERO_TEXT = "Найдено:0"
EXTRACT_TEXT = "Подробная выписка"


def _page(title, body):
    return (
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
        f"<title>{title}</title></head>\n<body>\n{body}\n</body></html>\n"
    )


def _quot(text):
    return text.replace('"', "&quot;")


def _cell(value):
    return f"<td>{value}</td>" if value else "<td>&nbsp;</td>"


def search_form():
    return _page("Поиск сведений в реестре", (
        "<form action=\"/fns/g.php\" method=\"post\">\n"
        "<input name=\"name\"><input name=\"adr\"><input name=\"region\"><input name=\"date\">"
        "<input name=\"num\"><input type=\"submit\" name=\"action\" value=\"Искать\">\n</form>"))


def probe_page():
    return _page("Stand-in", "<p>The stand-in register service is running.</p>")


def message(text, extra=""):
    return _page("Результат поиска", f"<div class=\"msg\">{text}</div>{extra}")


def zero_found():
    return message(ZERO_TEXT, "\n<ul><li>abc.</li><li>def.</li></ul>")


def result_links(kind, pages):
    """The answer to a name search: links to the result pages, the first one three
    times, ended by the "Link1" marker."""
    first = f"<a href=\"/fns/g.php?q={kind}-1\">1</a>"
    links = [first, first, first] + [
        f"<a href=\"/fns/g.php?q={kind}-{n}\">{n}</a>" for n in range(2, pages + 1)
    ]
    return _page("Результат поиска", (
        "<p>Результаты поиска по запросу</p>\n"
        "<div class=\"pages\">Страницы: " + " ".join(links) +
        " <a href=\"/fns/\" class=\"Link1\">Новый поиск</a></div>"))


def result_table(rows, extra="", after=""):
    """One result page: a header row, then one row of nine cells per firm; extra
    stands before the table, after behind it."""
    lines = ["<table class=\"res\">",
             "<tr><th>№</th><th>Наименование</th><th>Адрес</th><th>ОГРН</th><th>ГРН</th>"
             "<th>ИНН</th><th>КПП</th><th>Дата записи</th><th>Регион</th></tr>"]
    for number, firm in rows:
        lines.append(
            "<tr>" + _cell(str(number)) +
            f"<td><a href=\"/fns/g.php?o={firm['OGRN']}\" class=\"Link0\">{_quot(firm['Name'])}</a></td>" +
            _cell(_quot(firm["Adress"])) +
            f"<td><a href=\"/fns/g.php?o={firm['OGRN']}\">{firm['OGRN']}</a></td>" +
            _cell(firm["GRN"]) + _cell(firm["INN"]) + _cell(firm["KPP"]) +
            _cell(firm["DateGRN"]) + _cell(_quot(firm["Region"])) + "</tr>")
    lines[-1] += "</table>"
    return _page("Результат поиска", extra + "\n".join(lines) + after)


def romashka_page(n, extra="", after=""):
    rows = [(3 * (n - 1) + i + 1, firms.ROMASHKA[3 * (n - 1) + i]) for i in range(3)]
    return result_table(rows, extra, after)


def lyutik_page():
    return result_table([(1, firms.LYUTIK[0]), (2, firms.LYUTIK[1])])


def entry_link(index):
    firm = firms.ALL_FIRMS[index]
    return _page("Результат поиска", (
        "<p>Найдена запись о юридическом лице:</p>\n"
        f"<p><a href=\"g.php?o={firm['OGRN']}\">{_quot(firm['Name'])}</a></p>"))


def table_with_entry_link():
    """A name search's answer that holds Ромашка's first result page as its own table
    and, behind it, a link to the entry page of the first Лютик, a firm not in it."""
    link = firms.LYUTIK[0]["OGRN"]
    return romashka_page(1, after=f"\n<p><a href=\"g.php?o={link}\">{EXTRACT_TEXT}</a></p>")


def _entry(index, linked):
    """One heading, then a table row of eleven cells; with linked the OGRN cell is a
    link to the entry page."""
    firm = firms.ALL_FIRMS[index]
    ogrn = firm["OGRN"]
    if linked:
        ogrn = f"<a href=\"/fns/g.php?o={ogrn}\">{ogrn}</a>"
    cells = [str(index + 1), _quot(firm["Name"]), _quot(firm["Adress"]), ogrn,
             firm["GRN"], firm["INN"], firm["KPP"], firm["DateGRN"], _quot(firm["Organ"]),
             _quot(firm["AdressOrgan"]), _quot(firm["Region"])]
    return (f"<h3>{firms.heading_of(index)}</h3>\n<table class=\"entry\">"
            "<tr>" + "".join(_cell(c) for c in cells) + "</tr></table>")


def entry_page(index):
    """A register entry: one heading, then a table row of eleven cells."""
    return _page("Запись реестра", _entry(index, False))


def inline_entry(index):
    """The answer to a number search that holds the entry itself instead of a link to
    it: the entry page's heading and row, the OGRN cell linked."""
    return _page("Результат поиска",
                 "<p>Найдена запись о юридическом лице:</p>\n" + _entry(index, True))


def redirect_body(target):
    """The body of a redirect answer: a whole table of its own, so that any of it
    leaking into a client's page shows up as an extra firm."""
    return _page("Moved", (
        f"<p>The page has moved to <a href=\"{html.escape(target)}\">here</a>.</p>\n"
        "<table><tr><th>x</th></tr>\n<tr><td>0</td><td>ООО &quot;Переадресация&quot;</td>"
        "<td>redirect</td><td>0</td><td>0</td><td>0</td><td>0</td><td>0</td><td>0</td>"
        "</tr></table>"))
