#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""What hostile peers cost a room, measured against a real scrawlbox-server on loopback.

  hostile_room.py SERVER flood    a peer closed for a protocol error keeps sending: the room's
                                  CPU in the 5 s after the close
  hostile_room.py SERVER storm    3000 connects in about 0.1 s: a bystander's chat round trip
  hostile_room.py SERVER joiners [--never-read]
                                  200 players join a room with a ~3.7 MiB picture while a
                                  bystander watches strokes at 200 a second: the longest gap in
                                  the strokes, and the room's resident memory

Each run starts its own room in a temporary Data folder and prints one line of figures.
"""
import argparse
import os
import resource
import selectors
import socket
import subprocess
import tempfile
import threading
import time

END, SEP, FIELD = b"\x01", b"\x02", b"\x03"


def frame(command, data="-"):
    data = data.encode("latin-1") if isinstance(data, str) else data
    return command.encode() + SEP + data + END


def login(nickname):
    profile = FIELD.join(x.encode() for x in (nickname, "0", "23", "-", "-", "-", "-"))
    return (frame("SCRAWLBOX_CL13NT", "100001") + frame("USER", profile) +
            frame("PASS", "<none>") + frame("ULISTREQ"))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Room:
    def __init__(self, binary, details):
        self.folder = tempfile.TemporaryDirectory()
        self.port = free_port()
        with open(os.path.join(self.folder.name, "Server.ini"), "w") as ini:
            ini.write("[Server Details]\nPort=%d\nPing=60\nPing Timeout=30\n%s" % (self.port, details))
        self.process = subprocess.Popen(
            [binary, "--headless", "--data-dir", self.folder.name], stdin=subprocess.PIPE,
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        for line in self.process.stdout:
            if b"Master socket ready" in line:
                break
        threading.Thread(target=lambda: [None for _ in self.process.stdout], daemon=True).start()

    def cpu_seconds(self):
        with open("/proc/%d/stat" % self.process.pid) as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def rss_mb(self):
        with open("/proc/%d/status" % self.process.pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
        return 0.0

    def close(self):
        self.process.kill()
        self.process.wait()


class Player:
    """A logged-in player on a blocking socket, reading messages."""

    def __init__(self, port, nickname):
        self.sock = socket.create_connection(("127.0.0.1", port))
        self.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.buffer = b""
        self.sock.sendall(login(nickname))
        while self.next()[0] != b"ULISTEND":
            pass

    def next(self):
        """The next message; a PING is answered on the way."""
        while END not in self.buffer:
            data = self.sock.recv(65536)
            if not data:
                raise EOFError
            self.buffer += data
        message, self.buffer = self.buffer.split(END, 1)
        command, _, data = message.partition(SEP)
        if command == b"PING":
            self.sock.sendall(frame("PONG"))
        return command, data


def flood(binary):
    room = Room(binary, "")
    sock = socket.create_connection(("127.0.0.1", room.port))
    sock.sendall(frame("PASS", "<none>"))  # out of turn: a protocol error closes it
    blast = b"x" * (1 << 20)
    before = room.cpu_seconds()
    start = time.monotonic()
    sent = 0
    try:
        while time.monotonic() - start < 5:
            sent += sock.send(blast)
    except OSError:
        pass
    cost = room.cpu_seconds() - before
    print("flood: %.0f MB sent after the close; the room's CPU over 5 s: %.2f s (%.0f %% of a core)"
          % (sent / 1e6, cost, cost / 5 * 100))
    room.close()


def storm(binary):
    room = Room(binary, "Flood Burst=0\n")
    bystander = Player(room.port, "bystander")
    delays = []
    stop = threading.Event()

    def round_trips():
        while not stop.is_set():
            sent = time.monotonic()
            bystander.sock.sendall(frame("SAY", "ping"))
            while bystander.next()[0] != b"SAY":
                pass
            delays.append(time.monotonic() - sent)
            time.sleep(0.005)

    thread = threading.Thread(target=round_trips)
    thread.start()
    time.sleep(0.5)
    quiet = len(delays)
    sockets = []
    start = time.monotonic()
    for _ in range(3000):
        s = socket.socket()
        s.setblocking(False)
        s.connect_ex(("127.0.0.1", room.port))
        sockets.append(s)
    took = time.monotonic() - start
    time.sleep(2)
    stop.set()
    thread.join()
    for s in sockets:
        s.close()
    print("storm: 3000 connects in %.2f s; bystander round trip before %.1f ms max, during %.1f ms max"
          % (took, max(delays[:quiet]) * 1e3, max(delays[quiet:]) * 1e3))
    room.close()


def joiners(binary, never_read, count=200):
    # Joiners that never read are closed by the room when they do not answer its pings.
    room = Room(binary, "Drawing Burst=0\nMax Connections Per Address=0\nFlood Burst=0\n" +
                ("Ping=2\nPing Timeout=2\n" if never_read else ""))
    artist = Player(room.port, "artist")
    viewer = Player(room.port, "viewer")
    wide = "1" + FIELD.decode() + "9" * 200
    picture = frame("LI", wide) * 18500  # ~3.7 MiB once relayed with the artist's id
    artist.sock.sendall(picture)
    got = 0
    while got < 18500:
        if viewer.next()[0] == b"LI":
            got += 1
    time.sleep(0.5)
    rss_before = room.rss_mb()

    arrivals = []
    stop = threading.Event()

    def draw():
        while not stop.is_set():
            artist.sock.sendall(frame("FH", "1\x032\x033\x034"))
            time.sleep(0.005)

    def watch():
        while not stop.is_set():
            try:
                if viewer.next()[0] == b"FH":
                    arrivals.append(time.monotonic())
            except (EOFError, OSError):
                return

    def answer_pings():
        while not stop.is_set():
            try:
                artist.next()
            except (EOFError, OSError):
                return

    threads = [threading.Thread(target=f) for f in (draw, watch, answer_pings)]
    for t in threads:
        t.start()
    time.sleep(1)
    rush_start = time.monotonic()
    peers = []
    for i in range(count):
        s = socket.create_connection(("127.0.0.1", room.port))
        s.sendall(login("j%d" % i))
        peers.append(s)
    peak = room.rss_mb()
    remaining = {s: 0 for s in peers}
    sel = selectors.DefaultSelector()
    if not never_read:
        for s in peers:
            s.setblocking(False)
            sel.register(s, selectors.EVENT_READ)
    # Never reading, they are closed after about 4 s and let go after the 5 s close grace.
    deadline = time.monotonic() + (12 if never_read else 60)
    done = 0
    while time.monotonic() < deadline and (never_read or done < count):
        if never_read:
            time.sleep(0.05)
        else:
            for key, _ in sel.select(0.05):
                try:
                    data = key.fileobj.recv(1 << 20)
                except BlockingIOError:
                    continue
                remaining[key.fileobj] += len(data)
                if remaining[key.fileobj] >= len(picture) or not data:
                    sel.unregister(key.fileobj)
                    done += 1
        peak = max(peak, room.rss_mb())
    took = time.monotonic() - rush_start
    for s in peers:
        s.close()
    time.sleep(2)
    rss_after = room.rss_mb()
    stop.set()
    artist.sock.shutdown(socket.SHUT_RDWR)
    viewer.sock.shutdown(socket.SHUT_RDWR)
    for t in threads:
        t.join()
    quiet = [b - a for a, b in zip(arrivals, arrivals[1:]) if b < rush_start]
    during = [b - a for a, b in zip(arrivals, arrivals[1:]) if b >= rush_start]
    print("joiners (%s): %d of %d had the picture in %.1f s; stroke gap before %.0f ms max, "
          "during %.0f ms max; RSS %.0f MB before, %.0f MB peak, %.0f MB after they were gone"
          % ("never reading" if never_read else "reading", done, count, took,
             max(quiet) * 1e3, max(during) * 1e3, rss_before, peak, rss_after))
    room.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("server")
    parser.add_argument("scenario", choices=["flood", "storm", "joiners"])
    parser.add_argument("--never-read", action="store_true")
    args = parser.parse_args()
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    resource.setrlimit(resource.RLIMIT_NOFILE, (min(hard, 8192), hard))
    if args.scenario == "flood":
        flood(args.server)
    elif args.scenario == "storm":
        storm(args.server)
    else:
        joiners(args.server, args.never_read)


if __name__ == "__main__":
    main()
