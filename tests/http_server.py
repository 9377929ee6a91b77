#!/usr/bin/env python3
"""Web server for the fetch tests: http_server.py ROOT USER PASSWORD.

Listens on 127.0.0.1 and prints its port as the first line. Serves the files under ROOT
behind basic authentication (UTF-8 credentials; 401 otherwise). Paths starting with these
prefixes misbehave on purpose: _404 (404), _stallbody (headers of a 100-byte body, then
nothing), _stall (never answers), _drop (promises 1000 bytes, sends 7 and closes), _empty
(a 0-byte file).
"""
import base64
import os
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import unquote_to_bytes

ROOT = os.path.realpath(os.fsencode(sys.argv[1]))
EXPECTED_AUTH = "Basic " + base64.b64encode(
    os.fsencode(sys.argv[2]) + b":" + os.fsencode(sys.argv[3])).decode("ascii")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, status, body=b"", length=None, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()

    def do_GET(self):
        if self.headers.get("Authorization") != EXPECTED_AUTH:
            self.reply(401, b"login", headers=[("WWW-Authenticate", 'Basic realm="zunk"')])
            return
        path = unquote_to_bytes(self.path.split("?", 1)[0]).lstrip(b"/")
        if path.startswith(b"_404"):
            self.reply(404, b"missing")
        elif path.startswith(b"_stallbody"):
            self.send_response(200)
            self.send_header("Content-Length", "100")
            self.end_headers()
            self.wfile.flush()
            time.sleep(600)
        elif path.startswith(b"_stall"):
            time.sleep(600)
        elif path.startswith(b"_drop"):
            self.reply(200, b"partial", length=1000)
            self.close_connection = True
        elif path.startswith(b"_empty"):
            self.reply(200)
        else:
            full = os.path.realpath(os.path.join(ROOT, path))
            if not full.startswith(ROOT + b"/") or not os.path.isfile(full):
                self.reply(404, b"missing")
                return
            with open(full, "rb") as f:
                self.reply(200, f.read())


def exit_with_parent(parent):
    while os.getppid() == parent:  # a crashed test run leaves no server behind
        time.sleep(0.5)
    os._exit(0)


def main():
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=exit_with_parent, args=(os.getppid(),), daemon=True).start()
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
