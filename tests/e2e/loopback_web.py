"""A loopback HTTP proxy that plays the central bank's rates page and the
maker's update file, so the program never reaches the internet."""

import http.server
import threading
from dataclasses import dataclass
from urllib.parse import urlsplit


@dataclass
class Request:
    version: str  # "HTTP/1.0"
    url: str  # the absolute URI the client asked the proxy for


class LoopbackWeb:
    RATES_PATH = "/currency_base/daily.aspx"
    UPDATE_PATH = "/kesta/lastversion.txt"

    def __init__(self, euro_rate_text: str, update_file: bytes):
        # The euro row comes after another currency, as on the real page, so
        # that a reader taking the first rate cell is caught.
        self.rates_page = (
            "<html><head><meta charset=\"utf-8\"></head><body><table>\r\n"
            "<tr><th>Цифр. код</th><th>Букв. код</th><th>Единиц</th><th>Валюта</th>"
            "<th>Курс</th></tr>\r\n"
            "<tr><td>840</td><td>USD</td><td>1</td><td>Доллар США</td><td>78,5012</td></tr>\r\n"
            f"<tr><td>978</td><td>EUR</td><td>1</td><td>Евро</td><td>{euro_rate_text}</td></tr>\r\n"
            "</table></body></html>\r\n"
        ).encode("utf-8")
        self.update_file = update_file
        # False: the rates page answers with a server error, as when the bank
        # cannot be reached, and the program must ask for the rate.
        self.rates_reachable = True
        self.requests = []
        self._lock = threading.Lock()
        self._server = None
        self._thread = None

    def start(self) -> int:
        """Starts serving on an ephemeral port of 127.0.0.1; returns the port."""
        web = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                with web._lock:
                    web.requests.append(Request(self.request_version, self.path))
                path = urlsplit(self.path).path
                if path == LoopbackWeb.RATES_PATH and not web.rates_reachable:
                    self.send_error(503)
                elif path == LoopbackWeb.RATES_PATH:
                    self._answer(web.rates_page, "text/html; charset=utf-8")
                elif path == LoopbackWeb.UPDATE_PATH:
                    self._answer(web.update_file, "text/plain")
                else:
                    self.send_error(404)

            def _answer(self, body: bytes, content_type: str):
                self.send_response(200)
                self.send_header("Content-Type", content_type)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        self._server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self._server.daemon_threads = True
        self._thread = threading.Thread(target=self._server.serve_forever, daemon=True)
        self._thread.start()
        return self._server.server_address[1]

    def seen(self) -> list:
        with self._lock:
            return list(self.requests)

    def stop(self):
        if self._server:
            self._server.shutdown()
            self._server.server_close()
            self._server = None
