"""HTTPS (or plain HTTP) server on 127.0.0.1 for the update tests.

Prints its port on the first line of its output, then serves until killed.
Every request is appended to the log file as one JSON line. The first path
segment picks the answer:
  /echo/...            200, the request itself as JSON
  /answer/B64/...      200, the bytes of the URL-safe base64 text B64
  /status500/...       500 with a body that would be a valid answer
  /silent/...          never answers
  /big/...             200 with a body of 150000 bytes
"""
import argparse
import base64
import json
import ssl
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

BIG_BODY_BYTES = 150000
SILENT_SECONDS = 60


class Handler(BaseHTTPRequestHandler):
    log_lock = threading.Lock()
    log_path = None

    def log_message(self, format, *args):
        pass

    def handle_any(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length > 0 else b""
        entry = {
            "method": self.command,
            "path": self.path,
            "headers": [[name, value] for name, value in self.headers.items()],
            "body": body.decode("latin-1"),
        }
        with Handler.log_lock, open(Handler.log_path, "a", encoding="utf-8") as log:
            log.write(json.dumps(entry) + "\n")
        segments = self.path.split("/")
        kind = segments[1] if len(segments) > 1 else ""
        if kind == "silent":
            time.sleep(SILENT_SECONDS)
            return
        status, answer = 200, b""
        if kind == "echo":
            answer = json.dumps(entry).encode("utf-8")
        elif kind == "answer" and len(segments) > 2:
            answer = base64.urlsafe_b64decode(segments[2] + "=" * (-len(segments[2]) % 4))
        elif kind == "status500":
            status = 500
            answer = b'{"version":"9999","name":"MS","path":"p","version_name":"V9","device_id":1}'
        elif kind == "big":
            answer = b"x" * BIG_BODY_BYTES
        else:
            status = 404
        self.send_response(status)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(answer)))
        self.end_headers()
        self.wfile.write(answer)

    do_GET = handle_any
    do_POST = handle_any


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # clients that hang up early are part of the tests


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    arguments = parser.parse_args()
    Handler.log_path = arguments.log
    server = Server(("127.0.0.1", 0), Handler)
    if arguments.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(arguments.cert, arguments.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
