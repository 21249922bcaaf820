"""Hostile answers of the stand-in register: servers that stall, drip, reset, loop,
send broken or enormous bodies, odd cookies, or a result table of 100,000 rows.

Each hostile name search answers like Ромашка (three result pages); pages 1 and 2 are
ordinary, so a client has delivered six firms before page 3 misbehaves.
"""

import gzip
import random
import re
import socket
import struct
import time

import pages

# Designated name searches whose page 3 misbehaves (word in the name -> kind).
PAGE3_SEARCHES = [
    ("Молчание", "silence"),     # page 3 is read and never answered
    ("Заминка", "headstall"),    # page 3 sends its headers, then stalls
    ("Капель", "drip"),          # page 3 drips its body one byte a second
    ("Разрыв", "reset"),         # page 3 sends part of its first row, then resets the connection
    ("Петля", "loop"),           # page 3 redirects to itself for ever
    ("Пропажа", "missing"),      # page 3 answers 404
    ("Огрызок", "cutgzip"),      # page 3 is a gzip stream cut in half
    ("Подделка", "fakegzip"),    # page 3 claims gzip but is plain text
    ("Громада", "huge"),         # page 3 is 100 MB (generated as it is sent)
    ("Мусор", "garbage"),        # page 3 is 1 MiB of random bytes
    ("Вывеска", "notice"),       # page 3 is a service notice without a table
    ("Чужбина", "foreign"),      # page 3 redirects to another host name's page
    ("Матрёшка", "nested"),      # page 3 is 2,000,000 nested "<tr><td>" and no cell
    ("Обрез", "headcut"),        # page 3's header block ends without its blank line
    ("Недолив", "shortbody"),    # page 3 sends half its Content-Length, then closes
]
# Searches whose pages are all ordinary but whose answer differs otherwise.
OTHER_SEARCHES = [
    ("Печенье", "cookies"),      # the search answer sets cookies with odd attributes
    ("Лавина", "avalanche"),     # one result page of 100,000 rows (or the number given)
]
KINDS = {kind for _, kind in PAGE3_SEARCHES}

HUGE_BYTES = 100 * 1000 * 1000
LONG_STALL = 600  # seconds; the server is killed long before

# The odd cookies of "Печенье", set with its search answer. Which of them a client
# must send back with the result pages is the point of the test.
ODD_COOKIES = [
    "nopath=1",                                        # no Path: the request's folder
    "gone=1; Path=/; Max-Age=0",                       # deleted at once
    "badexp=1; Path=/; Expires=not a date at all",     # unreadable expiry: a session cookie
    "huge=" + "h" * 9000 + "; Path=/",                 # larger than any client keeps
    "foreign=1; Path=/; Domain=other.example",         # another host's cookie
    "past=1; Path=/; Expires=Thu, 01 Jan 1970 00:00:00 GMT",  # already expired
]

DEFAULT_ROWS = 100000


def avalanche_rows(name):
    """The row count of an avalanche search: the digits after the word, or 100,000."""
    match = re.search(r"Лавина(\d+)", name)
    return max(1, min(int(match.group(1)), 1000000)) if match else DEFAULT_ROWS


def avalanche_page(rows):
    """One result page of `rows` compact rows (nine cells each); firm N is named
    "ООО Лавина-N" and has the number N in its first cell."""
    head = ("<html><head><title>Результат поиска</title></head><body>\n<table class=\"res\">"
            "<tr><th>№</th><th>Наименование</th><th>Адрес</th><th>ОГРН</th><th>ГРН</th>"
            "<th>ИНН</th><th>КПП</th><th>Дата записи</th><th>Регион</th></tr>\n")
    body = "".join(
        f"<tr><td>{n}</td><td>ООО Лавина-{n}</td><td>г. Москва</td><td>{1000000000000 + n}</td>"
        f"<td>&nbsp;</td><td>{7700000000 + n}</td><td>&nbsp;</td><td>01.01.2020</td>"
        "<td>г. Москва</td></tr>\n" for n in range(1, rows + 1))
    return head + body.rstrip("\n") + "</table>\n</body></html>\n"


def _send_head(handler, status, length, headers=()):
    handler.send_response(status)
    handler.send_header("Content-Type", "text/html; charset=windows-1251")
    handler.send_header("Content-Length", str(length))
    for name, value in headers:
        handler.send_header(name, value)
    handler.end_headers()
    handler.wfile.flush()


def _sleep_until_gone(handler, seconds):
    """Sleeps, but ends early once the client has closed the connection."""
    handler.pause(seconds)
    handler.close_connection = True


def page3(handler, kind, n):
    """Answers result page n of a hostile kind; False when the page is ordinary."""
    if n != 3 or kind not in KINDS:
        return False
    data = pages.romashka_page(3).encode("cp1251")
    try:
        if kind == "silence":
            _sleep_until_gone(handler, LONG_STALL)
        elif kind == "headstall":
            _send_head(handler, 200, len(data))
            _sleep_until_gone(handler, LONG_STALL)
        elif kind == "drip":
            _send_head(handler, 200, len(data))
            for i in range(len(data)):
                handler.wfile.write(data[i:i + 1])
                handler.wfile.flush()
                time.sleep(1)
        elif kind == "reset":
            _send_head(handler, 200, len(data))
            # Cut inside the first firm row, so that no row of the page arrives whole.
            handler.wfile.write(data[: data.index(b"<tr><td>") + 20])
            handler.wfile.flush()
            # SO_LINGER with a zero time: close() sends RST instead of FIN.
            handler.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER,
                                          struct.pack("ii", 1, 0))
            handler.connection.close()
            handler.close_connection = True
        elif kind == "loop":
            target = handler.path  # itself, for ever
            handler.reply(302, pages.redirect_body(target), headers=[("Location", target)])
        elif kind == "missing":
            handler.reply(404, pages.message("Страница не найдена"))
        elif kind == "cutgzip":
            packed = gzip.compress(data)
            cut = packed[: len(packed) // 2]
            _send_head(handler, 200, len(cut), [("Content-Encoding", "gzip")])
            handler.wfile.write(cut)
        elif kind == "fakegzip":
            _send_head(handler, 200, len(data), [("Content-Encoding", "gzip")])
            handler.wfile.write(data)
        elif kind == "garbage":
            noise = random.Random(23).randbytes(1 << 20)
            _send_head(handler, 200, len(noise))
            handler.wfile.write(noise)
        elif kind == "notice":
            handler.reply(200, pages.message("Сервис временно недоступен, повторите запрос позже"))
        elif kind == "foreign":
            port = handler.server.server_address[1]
            target = f"http://localhost:{port}/"
            handler.reply(302, pages.redirect_body(target), headers=[("Location", target)])
        elif kind == "nested":
            nested = b"<tr><td>" * 2000000 + b"</tr></table>"
            _send_head(handler, 200, len(nested))
            handler.wfile.write(nested)
        elif kind == "headcut":
            handler.wfile.write(b"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n")
            handler.wfile.flush()
            handler.close_connection = True
        elif kind == "shortbody":
            _send_head(handler, 200, len(data))
            handler.wfile.write(data[: len(data) // 2])
            handler.wfile.flush()
            handler.close_connection = True
        elif kind == "huge":
            _send_head(handler, 200, HUGE_BYTES)
            chunk = (b"<p>" + b"x" * 1017 + b"</p>\n") * 64  # 64 KiB of a harmless page
            sent = 0
            while sent < HUGE_BYTES:
                part = chunk[: min(len(chunk), HUGE_BYTES - sent)]
                handler.wfile.write(part)
                sent += len(part)
    except (BrokenPipeError, ConnectionResetError, OSError):
        handler.close_connection = True  # the client gave up, as it should
    return True
