#!/usr/bin/env python3
"""Web server for the fetch tests: http_server.py ROOT USER PASSWORD [LOG].

Prints "PORT PID", then serves the files under ROOT on 127.0.0.1 for at most a minute,
behind basic authentication (UTF-8 credentials). Names starting with _stallbody (headers of
a 100-byte body, then nothing), _stall (no answer) and _drop (1000 bytes promised, 7 sent)
misbehave; _slow sends a 200000-byte body 2000 bytes every 20 ms. With LOG, the path of every
authorised request is appended to that file, one a line, before it is answered.
"""
import base64, os, signal, sys, time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import unquote_to_bytes

ROOT = os.path.realpath(os.fsencode(sys.argv[1]))
LOG = sys.argv[4] if len(sys.argv) > 4 else None
AUTH = "Basic " + base64.b64encode(os.fsencode(sys.argv[2] + ":" + sys.argv[3])).decode()


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, status, body=b"", length=None):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = unquote_to_bytes(self.path.split("?", 1)[0]).lstrip(b"/")
        full = os.path.realpath(os.path.join(ROOT, path))
        if self.headers.get("Authorization") != AUTH:
            self.reply(401, b"login")
            return
        if LOG:
            with open(LOG, "ab") as log:
                log.write(path + b"\n")
        if path.startswith(b"_slow"):
            self.send_response(200)
            self.send_header("Content-Length", "200000")
            self.end_headers()
            try:
                for _ in range(100):
                    self.wfile.write(b"x" * 2000)
                    self.wfile.flush()
                    time.sleep(0.02)
            except (BrokenPipeError, ConnectionResetError):
                pass  # the client broke the transfer off
        elif path.startswith(b"_stallbody"):
            self.reply(200, length=100)
            time.sleep(600)
        elif path.startswith(b"_stall"):
            time.sleep(600)
        elif path.startswith(b"_drop"):
            self.reply(200, b"partial", length=1000)
        elif not (full.startswith(ROOT + b"/") and os.path.isfile(full)):
            self.reply(404, b"missing")
        else:
            with open(full, "rb") as f:
                self.reply(200, f.read())


signal.alarm(60)  # a crashed test run leaves no server behind for long
server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], os.getpid(), flush=True)
server.serve_forever()
