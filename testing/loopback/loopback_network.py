#!/usr/bin/env python3
"""A loopback test network for download tests (Python standard library only).

Servers, each on a free port of 127.0.0.1:
  http, https   file servers (https with a self-signed certificate made with
                openssl at start)
  http_proxy    HTTP proxy: absolute-form requests and CONNECT
  socks4        SOCKS4 and SOCKS4A proxy
  socks5        SOCKS5 proxy (no authentication)

The proxies reach only 127.0.0.1, whatever host name they are asked for, so a
test may use names such as "files.test" that only a proxy can "resolve".

Once every server listens, one line goes to standard output:
  ready http=P https=P http_proxy=P socks4=P socks5=P
Every server appends one line per request it was asked to
<workdir>/requests.log: "<server>\t<what it was asked>"; the file servers
also append one line per connection they accept to <workdir>/connections.log:
"<server>\t<client port>". The work folder is made, with its parents, when
it is missing.

The network stops when its lifetime ends (--lifetime seconds, by default
fifteen times the patience), on Ctrl-C or SIGTERM, and, when its standard
input is a pipe or a socket, as soon as that closes: the program that
started it (a test) is gone. Any other standard input (a terminal, /dev/null,
a file, none) is not read, so that a network started by hand, also in the
background, runs for its lifetime; it says so on standard error. A proxy
gives up a connection that has been idle for --patience seconds (the test's
patience, which grows with a slow build).

File server paths (query parameters in brackets):
  /files/<name>   [size=N (1024), seed=S (0)] body of N bytes: byte i is byte
                  i % 4 of the big-endian 32-bit word i // 4 + S.
                  Range requests get 206 or 416 ("bytes */N"). Also:
                  [chunked=1] chunked reply without length; [cut=K] announces
                  the length but closes after K bytes; [stall=SEC,
                  stall_after=K] stalls SEC seconds after K body bytes;
                  [stall_before=SEC] stalls before answering; [trickle=MS,
                  trickle_bytes=B] sends B bytes every MS ms; [ignore_range=1]
                  answers a range request with 200; [force416=1] answers a
                  range request with 416; [range_start=K] answers a range
                  request with 206 from byte K, whatever start was asked;
                  [overrun=N] announces the length but sends N bytes more,
                  once the client sends its next request on the kept-alive
                  connection; [hold=NAME, hold_after=K] holds the body after
                  K bytes until /release?hold=NAME (or for the patience);
                  [hold_head=NAME] holds the whole answer likewise;
                  [status=CODE, body=0|1] answers with that status and
                  optionally a short body; [date=rfc1123 | rfc850 | asctime |
                  lower | nogmt | garbage | none, date_at=EPOCH] chooses the
                  Date header.
  /release        [hold=NAME] lets every body held under NAME go on, also
                  those held later
  /redirect       [to=PATH] 302 to PATH
  /loop           302 to itself, for ever
"""

import argparse
import array
import email.utils
import http.server
import os
import math
import select
import signal
import socket
import socketserver
import ssl
import stat
import subprocess
import sys
import threading
import time
import urllib.parse

LOG_LOCK = threading.Lock()
LOG_FILE = None
CONNECTION_LOG_FILE = None
CHUNK = 64 * 1024


def log(server, text, to=None):
    with LOG_LOCK:
        target = to or LOG_FILE
        target.write(f"{server}\t{text}\n")
        target.flush()


def content(start, end, seed):
    """Bytes [start, end) of the file with the given seed."""
    if end <= start:
        return b""
    first, last = start // 4, (end - 1) // 4
    words = array.array("I", ((w + seed) & 0xFFFFFFFF for w in range(first, last + 1)))
    if sys.byteorder == "little":
        words.byteswap()
    data = words.tobytes()
    offset = start - first * 4
    return data[offset:offset + (end - start)]


HOLDS_LOCK = threading.Lock()
HOLDS = {}


def hold_gate(name):
    """The gate of [hold=NAME]: closed until /release?hold=NAME opens it."""
    with HOLDS_LOCK:
        return HOLDS.setdefault(name, threading.Event())


def date_header(style, at):
    if style == "none":
        return None
    stamp = time.gmtime(at)
    if style == "rfc850":
        return ("Date", time.strftime("%A, %d-%b-%y %H:%M:%S GMT", stamp))
    if style == "asctime":
        return ("Date", time.asctime(stamp))
    if style == "nogmt":
        return ("Date", time.strftime("%a, %d %b %Y %H:%M:%S", stamp))
    if style == "garbage":
        return ("Date", "sometime around noon GMT")
    name = "date" if style == "lower" else "Date"
    return (name, email.utils.formatdate(at, usegmt=True))


def parse_range(header, size):
    """(start, end) inclusive for "bytes=a-b" / "bytes=a-"; None if unusable."""
    if not header or not header.startswith("bytes="):
        return None
    first, _, last = header[6:].split(",")[0].partition("-")
    try:
        start = int(first)
        end = int(last) if last else size - 1
    except ValueError:
        return None
    return start, min(end, size - 1)


class FileHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_name = "http"

    def log_message(self, *args):
        pass

    def do_HEAD(self):
        self.answer(with_body=False)

    def do_GET(self):
        self.answer(with_body=True)

    def answer(self, with_body):
        url = urllib.parse.urlsplit(self.path)
        query = {k: v[-1] for k, v in urllib.parse.parse_qs(url.query).items()}
        range_header = self.headers.get("Range")
        log(self.server_name, f"{self.command} {self.path}" + (f"\tRange: {range_header}" if range_header else ""))
        try:
            if url.path == "/loop":
                return self.redirect("/loop")
            if url.path == "/redirect":
                return self.redirect(query.get("to", "/"))
            if url.path == "/release":
                hold_gate(query.get("hold", "")).set()
                return self.plain(200, b"released\n", with_body)
            if url.path.startswith("/files/"):
                return self.send_file(query, range_header, with_body)
            return self.plain(404, b"not found\n", with_body)
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            self.close_connection = True

    def start(self, status, headers, query):
        self.send_response_only(status)
        date = date_header(query.get("date", "rfc1123"), float(query.get("date_at", time.time())))
        if date:
            self.send_header(*date)
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()

    def redirect(self, target):
        self.start(302, [("Location", target), ("Content-Length", "0")], {})

    def plain(self, status, body, with_body, query=None):
        self.start(status, [("Content-Type", "text/plain"), ("Content-Length", str(len(body)))], query or {})
        if with_body:
            self.wfile.write(body)

    def send_file(self, query, range_header, with_body):
        size = int(query.get("size", 1024))
        seed = int(query.get("seed", 0))
        time.sleep(float(query.get("stall_before", 0)))
        if "hold_head" in query:
            hold_gate(query["hold_head"]).wait(PATIENCE)
        if "status" in query:
            body = b"an error page\n" if query.get("body", "1") == "1" else b""
            return self.plain(int(query["status"]), body, with_body, query)
        wanted = None if query.get("ignore_range") == "1" else parse_range(range_header, size)
        if range_header and (query.get("force416") == "1" or (wanted and wanted[0] >= size)):
            return self.start(416, [("Content-Range", f"bytes */{size}"), ("Content-Length", "0")], query)
        if wanted and "range_start" in query:
            wanted = (int(query["range_start"]), wanted[1])
        start, end = wanted if wanted else (0, size - 1)
        status = 206 if wanted else 200
        headers = [("Content-Type", "application/octet-stream"), ("Accept-Ranges", "bytes")]
        if wanted:
            headers.append(("Content-Range", f"bytes {start}-{end}/{size}"))
        chunked = query.get("chunked") == "1"
        headers.append(("Transfer-Encoding", "chunked") if chunked else ("Content-Length", str(end - start + 1)))
        self.start(status, headers, query)
        if with_body:
            self.send_body(start, end + 1, seed, query, chunked)
            if "overrun" in query and not chunked:
                self.send_overrun(end + 1, int(query["overrun"]), seed)

    def send_body(self, start, stop, seed, query, chunked):
        cut = int(query.get("cut", -1))
        stall = float(query.get("stall", 0))
        stall_after = int(query.get("stall_after", 0))
        hold = query.get("hold")
        hold_after = int(query.get("hold_after", 0))
        trickle = float(query.get("trickle", 0)) / 1000.0
        step = int(query.get("trickle_bytes", 1)) if trickle else CHUNK
        sent = 0
        position = start
        while position < stop:
            if stall and sent >= stall_after:
                self.wfile.flush()
                time.sleep(stall)
                stall = 0
            if hold is not None and sent >= hold_after:
                self.wfile.flush()
                hold_gate(hold).wait(PATIENCE)
                hold = None
            count = min(step, stop - position)
            if stall:
                count = min(count, stall_after - sent)
            if hold is not None:
                count = min(count, hold_after - sent)
            if cut >= 0 and sent + count >= cut:
                count = cut - sent
                self.write(content(position, position + count, seed), chunked)
                self.wfile.flush()
                self.close_connection = True
                self.connection.shutdown(socket.SHUT_RDWR)
                return
            self.write(content(position, position + count, seed), chunked)
            sent += count
            position += count
            if trickle:
                self.wfile.flush()
                time.sleep(trickle)
        if chunked:
            self.wfile.write(b"0\r\n\r\n")

    def send_overrun(self, position, count, seed):
        """Bytes beyond the announced length, sent when the client speaks
        again on this connection, so they reach it as the start of the next
        answer."""
        self.wfile.flush()
        readable, _, _ = select.select([self.connection], [], [], PATIENCE)
        if readable:
            self.wfile.write(content(position, position + count, seed))

    def write(self, data, chunked):
        if not data:
            return
        if chunked:
            self.wfile.write(b"%x\r\n" % len(data) + data + b"\r\n")
        else:
            self.wfile.write(data)


class FileServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = False

    def __init__(self, name, tls_context=None):
        handler = type(f"{name}Handler", (FileHandler,), {"server_name": name})
        super().__init__(("127.0.0.1", 0), handler)
        self.name = name
        self.tls_context = tls_context

    def finish_request(self, request, client_address):
        log(self.name, str(client_address[1]), to=CONNECTION_LOG_FILE)
        if self.tls_context:
            try:
                request = self.tls_context.wrap_socket(request, server_side=True)
            except (ssl.SSLError, OSError):
                return
        super().finish_request(request, client_address)


# Seconds a proxy waits on an idle connection (set from --patience).
PATIENCE = 60.0


def relay(a, b):
    """Copies bytes both ways until one side closes."""
    sockets = [a, b]
    try:
        while True:
            readable, _, _ = select.select(sockets, [], [], PATIENCE)
            if not readable:
                return
            for s in readable:
                data = s.recv(CHUNK)
                if not data:
                    return
                (b if s is a else a).sendall(data)
    except OSError:
        return


def upstream(port):
    return socket.create_connection(("127.0.0.1", port), timeout=PATIENCE)


def tunnel(client, port, reply):
    """Connects to 127.0.0.1:port, answers the client, then relays."""
    with upstream(port) as server:
        client.sendall(reply)
        relay(client, server)


def recv_exact(sock, count):
    data = b""
    while len(data) < count:
        more = sock.recv(count - len(data))
        if not more:
            raise ConnectionError("short read")
        data += more
    return data


def recv_until(sock, marker, limit=65536):
    data = b""
    while marker not in data:
        more = sock.recv(1)
        if not more or len(data) > limit:
            raise ConnectionError("short read")
        data += more
    return data


class ProxyServer(socketserver.ThreadingTCPServer):
    daemon_threads = True

    def __init__(self, handler):
        super().__init__(("127.0.0.1", 0), handler)


class HttpProxyHandler(socketserver.BaseRequestHandler):
    def handle(self):
        try:
            self.serve()
        except (ConnectionError, OSError, ValueError):
            pass

    def serve(self):
        head = recv_until(self.request, b"\r\n\r\n").decode("latin-1")
        request_line, _, rest = head.partition("\r\n")
        method, target, version = request_line.split(" ")
        log("http_proxy", request_line)
        if method == "CONNECT":
            tunnel(self.request, int(target.rpartition(":")[2]), b"HTTP/1.1 200 Connection established\r\n\r\n")
            return
        url = urllib.parse.urlsplit(target)
        path = url.path + ("?" + url.query if url.query else "")
        headers = [line for line in rest.split("\r\n") if line and
                   not line.lower().startswith(("connection:", "proxy-connection:"))]
        forwarded = f"{method} {path} {version}\r\n" + "\r\n".join(headers + ["Connection: close"]) + "\r\n\r\n"
        with upstream(url.port or 80) as server:
            server.sendall(forwarded.encode("latin-1"))
            while True:
                data = server.recv(CHUNK)
                if not data:
                    break
                self.request.sendall(data)


class Socks4Handler(socketserver.BaseRequestHandler):
    def handle(self):
        try:
            version, command = recv_exact(self.request, 2)
            port = int.from_bytes(recv_exact(self.request, 2), "big")
            address = recv_exact(self.request, 4)
            recv_until(self.request, b"\0")  # user id
            if address[:3] == b"\0\0\0" and address[3] != 0:
                host, kind = recv_until(self.request, b"\0")[:-1].decode("latin-1"), "socks4a"
            else:
                host, kind = socket.inet_ntoa(address), "socks4"
            log("socks4", f"{kind} CONNECT {host}:{port}")
            if version != 4 or command != 1:
                self.request.sendall(b"\0\x5b" + b"\0" * 6)
                return
            tunnel(self.request, port, b"\0\x5a" + b"\0" * 6)
        except (ConnectionError, OSError):
            pass


class Socks5Handler(socketserver.BaseRequestHandler):
    def handle(self):
        try:
            _, count = recv_exact(self.request, 2)
            recv_exact(self.request, count)
            self.request.sendall(b"\x05\x00")
            _, command, _, kind = recv_exact(self.request, 4)
            if kind == 1:
                host = socket.inet_ntoa(recv_exact(self.request, 4))
            elif kind == 3:
                host = recv_exact(self.request, recv_exact(self.request, 1)[0]).decode("latin-1")
            else:
                host = socket.inet_ntop(socket.AF_INET6, recv_exact(self.request, 16))
            port = int.from_bytes(recv_exact(self.request, 2), "big")
            log("socks5", f"CONNECT {host}:{port}")
            if command != 1:
                self.request.sendall(b"\x05\x07\x00\x01" + b"\0" * 6)
                return
            tunnel(self.request, port, b"\x05\x00\x00\x01" + b"\0" * 6)
        except (ConnectionError, OSError):
            pass


def make_tls_context(workdir):
    key, cert = os.path.join(workdir, "key.pem"), os.path.join(workdir, "cert.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                    "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
                    "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def input_is_starter():
    """True when standard input is a pipe or socket, which closes when the
    program that holds its other end (the starter) is gone."""
    try:
        mode = os.fstat(0).st_mode
    except OSError:
        return False
    return stat.S_ISFIFO(mode) or stat.S_ISSOCK(mode)


def stop_when_starter_gone():
    """Ends the process once standard input closes."""
    def watch_stdin():
        while sys.stdin.buffer.read(4096):
            pass
        os._exit(0)
    threading.Thread(target=watch_stdin, daemon=True).start()


def seconds(text):
    value = float(text)
    if not (value > 0 and math.isfinite(value)):
        raise argparse.ArgumentTypeError(f"not a positive number of seconds: {text}")
    return value


def make_workdir(parser, workdir):
    try:
        os.makedirs(workdir, exist_ok=True)
    except OSError as error:
        parser.error(f"cannot make the work folder {workdir}: {error.strerror}")


def start_servers(workdir):
    """Starts every server; their ports as "name=port" words."""
    servers = {
        "http": FileServer("http"),
        "https": FileServer("https", make_tls_context(workdir)),
        "http_proxy": ProxyServer(HttpProxyHandler),
        "socks4": ProxyServer(Socks4Handler),
        "socks5": ProxyServer(Socks5Handler),
    }
    for server in servers.values():
        threading.Thread(target=server.serve_forever, daemon=True).start()
    return " ".join(f"{name}={server.server_address[1]}" for name, server in servers.items())


def main():
    global LOG_FILE, CONNECTION_LOG_FILE, PATIENCE
    # Ctrl-C ends the process at once: a handler of Python's own would wait
    # for the servers' threads.
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--workdir", required=True)
    parser.add_argument("--patience", type=seconds, default=PATIENCE)
    parser.add_argument("--lifetime", type=seconds)
    args = parser.parse_args()
    PATIENCE = args.patience
    lifetime = args.lifetime or 15 * PATIENCE
    make_workdir(parser, args.workdir)
    LOG_FILE = open(os.path.join(args.workdir, "requests.log"), "a", encoding="utf-8")
    CONNECTION_LOG_FILE = open(os.path.join(args.workdir, "connections.log"), "a", encoding="utf-8")
    if input_is_starter():
        stop_when_starter_gone()
    else:
        print(f"loopback network: standard input is no pipe to watch; running for {lifetime:g} seconds "
              "(--lifetime), or until Ctrl-C or SIGTERM", file=sys.stderr, flush=True)
    threading.Timer(lifetime, lambda: os._exit(0)).start()
    print(f"ready {start_servers(args.workdir)}", flush=True)
    threading.Event().wait()


if __name__ == "__main__":
    main()
