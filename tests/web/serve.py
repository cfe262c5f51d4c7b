#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1 and keeps what a page POSTs: POST /upload/NAME writes OUT_DIR/NAME.

    serve.py SITE_DIR OUT_DIR PORT_FILE
The port it listens on (chosen by the system) is written to PORT_FILE once it is ready."""
import functools
import http.server
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_POST(self):
        name = os.path.basename(self.path)
        if not self.path.startswith("/upload/") or not name:
            self.send_error(404)
            return
        body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        with open(os.path.join(sys.argv[2], name), "wb") as out:
            out.write(body)
        self.send_response(204)
        self.end_headers()

    def log_message(self, *args):
        pass


def main():
    handler = functools.partial(Handler, directory=sys.argv[1])
    handler.extensions_map = {**Handler.extensions_map, ".wasm": "application/wasm"}
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    with open(sys.argv[3], "w") as port_file:
        port_file.write(str(server.server_address[1]))
    server.serve_forever()


main()
