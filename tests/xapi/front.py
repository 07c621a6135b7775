"""A front for the test LRS: passes every request on, after a pause if asked,
over TLS with a certificate of its own if given, and keeps the Authorization
headers it saw."""

import http.client
import http.server
import ssl
import threading
import time

from lrsserver import free_port


class Front:
    def __init__(self, lrs_port, certificate=None, key=None, pause=0.0):
        self.lrs_port, self.pause, self.authorizations = lrs_port, pause, []
        self.port = free_port()
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", self.port), self._handler())
        self.scheme = "http"
        if certificate:
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(certificate, key)
            self.server.socket = context.wrap_socket(self.server.socket, server_side=True)
            self.scheme = "https"
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    @property
    def endpoint(self):
        return f"{self.scheme}://127.0.0.1:{self.port}/xAPI/"

    def close(self):
        self.server.shutdown()
        self.server.server_close()

    def _handler(self):
        front = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def log_message(self, *args):
                pass

            def do_GET(self):
                self.forward()

            def do_POST(self):
                self.forward()

            def forward(self):
                front.authorizations.append(self.headers.get("Authorization"))
                body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
                time.sleep(front.pause)
                lrs = http.client.HTTPConnection("127.0.0.1", front.lrs_port, timeout=30)
                headers = {k: v for k, v in self.headers.items() if k.lower() != "host"}
                lrs.request(self.command, self.path, body, headers)
                answer = lrs.getresponse()
                data = answer.read()
                self.send_response(answer.status)
                for name, value in answer.getheaders():
                    if name.lower() not in ("connection", "transfer-encoding", "content-length"):
                        self.send_header(name, value)
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)
                lrs.close()

        return Handler
