#!/usr/bin/env python3
"""A local time-stamping authority for the archive's tests: answers each POSTed
RFC 3161 request with `openssl ts -reply` run on the configuration in FOLDER/tsa.cnf,
on a free loopback port that it prints, then serves until it is stopped. Every
request's path is written to FOLDER/requests.log; a path ending in /hold is never
answered."""
import http.server
import os
import subprocess
import sys
import tempfile
import threading

FOLDER = sys.argv[1]


class Authority(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        with open(os.path.join(FOLDER, "requests.log"), "a") as log:
            log.write(self.path + "\n")
        if self.path.endswith("/hold"):
            # Never answers: the client is to be stopped while it waits.
            threading.Event().wait()
        with tempfile.TemporaryDirectory(dir=FOLDER) as work:
            query = os.path.join(work, "query.tsq")
            reply = os.path.join(work, "reply.tsr")
            with open(query, "wb") as out:
                out.write(body)
            made = subprocess.run(
                ["openssl", "ts", "-reply", "-config", os.path.join(FOLDER, "tsa.cnf"),
                 "-queryfile", query, "-out", reply],
                cwd=FOLDER, capture_output=True)
            if made.returncode != 0:
                self.send_response(500)
                self.end_headers()
                self.wfile.write(made.stderr)
                return
            with open(reply, "rb") as answer:
                data = answer.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Authority)
print(server.server_address[1], flush=True)
server.serve_forever()
