#!/usr/bin/env python3
"""A stand-in for the register web service, for tests and demonstrations.

Serves the search page, the search form and invented result and entry pages over
plain HTTP/1.1 on 127.0.0.1, and works as a plain HTTP forward proxy for any host
(a request in absolute form is served as if it had come in origin form). See
README.md beside this file for the designated searches and the firm data.

    python3 standin.py --port 0 --port-file FILE [--log FILE] [--slow SECONDS]
                       [--delay SECONDS] [--daily-limit N] [--log-headers]
"""

import argparse
import gzip
import os
import secrets
import socket
import sys
import threading
import time
import urllib.parse
import zlib
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import firms  # noqa: E402
import hostile  # noqa: E402
import pages  # noqa: E402

MAX_BODY = 1 << 20  # the largest form body read; larger ones are refused

# Designated name searches, tried in this order; the first part of the name that
# matches decides. Transport variants come first so that they combine with a name.
NAME_SEARCHES = [
    ("Медленно", "slow"),
    ("Сжатие", "gzip"),
    ("Дефлейт", "deflate"),
    ("Переход", "redirect"),
] + hostile.PAGE3_SEARCHES + [
    ("Стоп", "stop"),
    ("Обрыв", "obryv"),
    ("Лютик", "lyutik"),
    ("Ромашка", "romashka"),
]
MESSAGE_SEARCHES = [
    ("Лимит", lambda: pages.message(pages.LIMIT_TEXT)),
    ("Пусто", lambda: pages.message(pages.NOTHING_TEXT)),
    ("Ноль", pages.zero_found),
    ("Сбой", lambda: pages.message(pages.ERROR_TEXT + " неверный запрос")),
    ("Выписка", pages.table_with_entry_link),
    ("Прямо", lambda: pages.romashka_page(1)),
    ("Тишина", lambda: pages.message("Сервис временно недоступен, повторите запрос позже")),
]
PAGE_COUNT = {"lyutik": 1}


def decode_form(body):
    """name=value pairs of a form body: '+' is a blank, %XX a byte, any other byte
    itself; the values are Windows-1251."""
    fields = {}
    for part in body.split(b"&"):
        key, _, value = part.partition(b"=")
        raw = urllib.parse.unquote_to_bytes(value.replace(b"+", b" "))
        fields[key.decode("latin-1")] = raw.decode("cp1251", errors="replace")
    return fields


class Standin:
    def __init__(self, log_path, slow, log_headers=False, delay=0.0, daily_limit=None):
        self.log_path = log_path
        self.log_headers = log_headers
        self.slow = slow
        self.delay = delay
        self.daily_limit = daily_limit
        self.searches = 0
        self.sessions = set()
        self.lock = threading.Lock()

    def limit_reached(self):
        """Counts one search; True once more than the day's allowance were made."""
        with self.lock:
            self.searches += 1
            return self.daily_limit is not None and self.searches > self.daily_limit

    def new_session(self):
        sid = secrets.token_hex(8)
        with self.lock:
            self.sessions.add(sid)
        return sid

    def known_session(self, cookie_header):
        for item in cookie_header.split(";"):
            key, _, value = item.strip().partition("=")
            if key == "sid":
                with self.lock:
                    if value in self.sessions:
                        return True
        return False

    def log(self, line):
        if not self.log_path:
            return
        with self.lock:
            with open(self.log_path, "a", encoding="latin-1", newline="\n") as f:
                f.write(line + "\n")


def _escape_line(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r").replace("\n", "\\n")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "Standin/1.0"
    standin = None  # set by main
    # TCP_NODELAY: with Nagle's algorithm a small answer waits for the client's delayed
    # acknowledgement, about 40 ms a request, and the figures would measure that.
    disable_nagle_algorithm = True

    def log_message(self, fmt, *args):  # no access log on stderr
        pass

    # -- request plumbing ------------------------------------------------------
    def origin_target(self):
        """The request target in origin form, also for an absolute-form request."""
        target = self.path
        if target.lower().startswith("http://"):
            parts = urllib.parse.urlsplit(target)
            target = (parts.path or "/") + (("?" + parts.query) if parts.query else "")
        return target

    def record(self, body=None):
        fields = [f"{self.command} {self.path}",
                  "Referer=" + self.headers.get("Referer", ""),
                  "Cookie=" + self.headers.get("Cookie", "")]
        if body is not None:
            fields.append("Body=" + body.decode("latin-1"))
        if self.standin.log_headers:
            fields.append("Headers=" + " | ".join(f"{k}: {v}" for k, v in self.headers.items()))
        fields.append(f"Time={time.time():.6f}")
        self.standin.log("\t".join(_escape_line(f) for f in fields))

    def pause(self, seconds):
        """Waits, but ends early once the client has closed the connection; False then."""
        deadline = time.monotonic() + seconds
        sock = self.connection
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                return True
            time.sleep(min(left, 0.05))
            try:
                sock.setblocking(False)
                try:
                    if sock.recv(1, socket.MSG_PEEK) == b"":
                        break
                except BlockingIOError:
                    pass
                finally:
                    sock.setblocking(True)
            except OSError:
                break
        self.close_connection = True
        return False

    def send_whole(self, status, data, headers):
        """Status line, headers and body in one write."""
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(data)))
        self._headers_buffer.append(b"\r\n")
        self._headers_buffer.append(data)
        self.flush_headers()

    def reply(self, status, text, encoding=None, headers=(), delay=0):
        if delay > 0 and not self.pause(delay):
            return
        data = text.encode("cp1251", errors="replace")
        if encoding == "gzip":
            data = gzip.compress(data)
        elif encoding == "deflate":
            data = zlib.compress(data)
        head = [("Content-Type", "text/html; charset=windows-1251")]
        if encoding:
            head.append(("Content-Encoding", encoding))
        self.send_whole(status, data, head + list(headers))

    def not_found(self):
        self.reply(404, pages.message("Страница не найдена"))

    # -- methods ---------------------------------------------------------------
    def exchange_delay(self, path):
        """The --delay pause before every answer of the search pages; False when the
        client went away meanwhile."""
        if self.standin.delay > 0 and (path == "/fns" or path.startswith("/fns/")):
            return self.pause(self.standin.delay)
        return True

    def do_GET(self):
        self.record()
        target = self.origin_target()
        path, _, query = target.partition("?")
        if not self.exchange_delay(path):
            return
        params = urllib.parse.parse_qs(query, keep_blank_values=True)
        if path == "/":
            self.reply(200, pages.probe_page())
        elif path == "/fns/" or path == "/fns":
            sid = self.standin.new_session()
            self.reply(200, pages.search_form(), headers=[("Set-Cookie", f"sid={sid}; path=/")])
        elif path == "/fns/g.php" and "q" in params:
            self.result_page(params["q"][0])
        elif path == "/fns/g.php" and "o" in params:
            index = firms.find_by_number(params["o"][0])
            if index is None:
                self.not_found()
            else:
                self.reply(200, pages.entry_page(index))
        elif path.startswith("/test/"):
            self.test_page(path, params)
        else:
            self.not_found()

    def test_page(self, path, params):
        """Hostile answers for the client's limits: huge, endless, broken, stalled."""
        def number(key, default):
            try:
                return int(params.get(key, [default])[0])
            except ValueError:
                return int(default)

        if path == "/test/big":
            data = b"a" * number("bytes", 1024)
            self.raw_reply(200, data)
        elif path == "/test/bomb":
            data = gzip.compress(b"\0" * (number("mb", 64) << 20), compresslevel=1)
            self.raw_reply(200, data, [("Content-Encoding", "gzip")])
        elif path == "/test/badgzip":
            self.raw_reply(200, b"this is not a gzip stream at all", [("Content-Encoding", "gzip")])
        elif path == "/test/loop":
            self.raw_reply(302, b"again", [("Location", "/test/loop")])
        elif path == "/test/status":
            self.raw_reply(number("code", 500), b"status page")
        elif path == "/test/stall":
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.wfile.write(b"x" * 10)
            self.wfile.flush()
            time.sleep(number("seconds", 30))
            self.close_connection = True
        elif path == "/test/headcut":
            # The header block ends without its blank line; then the connection closes.
            self.wfile.write(b"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n")
            self.wfile.flush()
            self.close_connection = True
        elif path == "/test/redirect":
            # 302 (or ?code=N) to ?to=URL; the session cookie "sid" is set on the way.
            code = number("code", 302)
            target = params.get("to", ["/"])[0]
            self.raw_reply(code, b"moved", [("Location", target), ("Set-Cookie", "moved=1; path=/")])
        elif path == "/test/cookies":
            # ?n=N cookies in one answer.
            self.send_response(200)
            for i in range(number("n", 3000)):
                self.send_header("Set-Cookie", f"c{i}={i}; path=/")
            self.send_header("Content-Length", "2")
            self.end_headers()
            self.wfile.write(b"ok")
        elif path == "/test/bighead":
            # One header of ?kb=N KiB, or ?lines=N headers of 1 KiB each.
            self.send_response(200)
            lines = number("lines", 0)
            if lines > 0:
                for i in range(lines):
                    self.send_header(f"X-Filler-{i}", "f" * 1024)
            else:
                self.send_header("X-Filler", "f" * (number("kb", 10240) << 10))
            self.send_header("Content-Length", "2")
            self.end_headers()
            self.wfile.write(b"ok")
            self.close_connection = True
        else:
            self.not_found()

    def raw_reply(self, status, data, headers=()):
        self.send_whole(status, data, [("Content-Type", "application/octet-stream")] + list(headers))

    def do_POST(self):
        try:
            length = int(self.headers.get("Content-Length", "0"))
        except ValueError:
            length = -1
        if length < 0 or length > MAX_BODY:
            self.record(b"")
            self.close_connection = True
            self.reply(413, pages.message(pages.ERROR_TEXT + " слишком большой запрос"))
            return
        body = self.rfile.read(length)
        self.record(body)
        path = self.origin_target().partition("?")[0]
        if path == "/test/form":
            # The fields as this server reads them, one "name=value" a line.
            fields = decode_form(body)
            self.reply(200, "".join(f"{k}={v}\n" for k, v in fields.items()))
            return
        if not self.exchange_delay(path):
            return
        if path != "/fns/g.php":
            self.not_found()
            return
        if not self.standin.known_session(self.headers.get("Cookie", "")):
            self.reply(200, pages.message(pages.ERROR_TEXT + " сеанс не найден, откройте страницу поиска заново"))
            return
        self.search(decode_form(body))

    # -- the register ----------------------------------------------------------
    def search(self, form):
        if self.standin.limit_reached():
            self.reply(200, pages.message(pages.LIMIT_TEXT))
            return
        number = form.get("num", "")
        name = form.get("name", "")
        if number:
            # "0" before a firm's number (no OGRN or INN starts with it) asks for the
            # answer that holds the entry itself.
            inline = number.startswith("0")
            index = firms.find_by_number(number[1:] if inline else number)
            if index is None:
                self.reply(200, pages.message(pages.NOTHING_TEXT))
            elif inline:
                self.reply(200, pages.inline_entry(index))
            else:
                self.reply(200, pages.entry_link(index))
            return
        if name:
            if "Печенье" in name:
                cookies = [("Set-Cookie", c) for c in hostile.ODD_COOKIES]
                self.reply(200, pages.result_links("romashka", 3), headers=cookies)
                return
            if "Лавина" in name:
                kind = f"lavina.{hostile.avalanche_rows(name)}"
                self.reply(200, pages.result_links(kind, 1))
                return
            for word, kind in NAME_SEARCHES:
                if word in name:
                    self.reply(200, pages.result_links(kind, PAGE_COUNT.get(kind, 3)),
                               encoding=self.encoding_of(kind), delay=self.delay_of(kind))
                    return
            for word, make in MESSAGE_SEARCHES:
                if word in name:
                    self.reply(200, make())
                    return
        self.reply(200, pages.message(pages.NOTHING_TEXT))

    def encoding_of(self, kind):
        return kind if kind in ("gzip", "deflate") else None

    def delay_of(self, kind):
        return self.standin.slow if kind == "slow" else 0

    def result_page(self, q):
        kind, _, number = q.rpartition("-")
        try:
            n = int(number)
        except ValueError:
            self.not_found()
            return
        if kind.startswith("lavina."):
            rows = int(kind.partition(".")[2]) if kind.partition(".")[2].isdigit() else 0
            if n == 1 and 0 < rows <= 1000000:
                self.reply(200, hostile.avalanche_page(rows))
            else:
                self.not_found()
        elif n < 1 or n > PAGE_COUNT.get(kind, 3):
            self.not_found()
        elif hostile.page3(self, kind, n):
            pass
        elif kind == "lyutik":
            self.reply(200, pages.lyutik_page())
        elif kind == "redirect":
            target = f"/fns/g.php?q=moved-{n}"
            self.reply(302, pages.redirect_body(target), headers=[("Location", target)])
        elif kind == "stop":
            self.reply(200, pages.romashka_page(n, pages.STOP_TEXT if n == 2 else ""))
        elif kind == "obryv" and n == 3:
            self.reply(500, pages.message("Internal Server Error"))
        elif kind in ("romashka", "slow", "gzip", "deflate", "moved", "obryv") or kind in hostile.KINDS:
            self.reply(200, pages.romashka_page(n), encoding=self.encoding_of(kind),
                       delay=self.delay_of(kind))
        else:
            self.not_found()


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser(description="Stand-in register web service")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--log")
    parser.add_argument("--slow", type=float, default=3.0)
    parser.add_argument("--log-headers", action="store_true",
                        help="add every request header to the log line")
    parser.add_argument("--delay", type=float, default=0.0,
                        help="delay every answer under /fns/ by SECONDS")
    parser.add_argument("--daily-limit", type=int, default=None,
                        help="after N searches every search answers with the limit message")
    args = parser.parse_args()

    Handler.standin = Standin(args.log, args.slow, args.log_headers, args.delay, args.daily_limit)
    server = Server(("127.0.0.1", args.port), Handler)
    port = server.server_address[1]
    if args.port_file:
        temp = args.port_file + ".tmp"
        with open(temp, "w") as f:
            f.write(f"{port}\n")
        os.replace(temp, args.port_file)
    else:
        print(port, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
