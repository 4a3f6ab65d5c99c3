#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Plays a short real game for the README's screenshots and takes them.

Runs inside an X display (tools/screenshots/make-readme-shots starts one with Xvfb): it starts a
headless room and a client, lets three scripted players (plain protocol clients) join, play and
draw a picture a round, has the client's player type guesses through xdotool, and saves the
client's window during a round and the gallery after the game.

Usage: readme_scene.py BIN_DIR OUT_DIR
"""

import math
import os
import random
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

ROUND_SECONDS = 40
GRACE_SECONDS = 8
WORDS = ["house", "fish", "tree"]


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for_port(port, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            socket.create_connection(("127.0.0.1", port), timeout=0.5).close()
            return
        except OSError:
            time.sleep(0.1)
    raise RuntimeError(f"nothing listens on port {port}")


# --- Pictures ----------------------------------------------------------------------------------
# Each is a list of drawing codes with their fields, in pad pixels (511 x 322), drawn in order.

def stroke(points):
    """A freehand stroke through the points, as a mouse would send it."""
    codes = [("CU", [])]
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        codes.append(("FH", [round(x1), round(y1), round(x2), round(y2)]))
    return codes


def curve(fx, fy, steps):
    return [(fx(t / steps), fy(t / steps)) for t in range(steps + 1)]


def house():
    c = [("DW", [2, 2]), ("FT", [0]), ("PA", [23]), ("FL", [5, 5])]
    c += [("PA", [19]), ("BO", [0, 250, 510, 321])]
    c += [("PA", [17]), ("CI", [405, 22, 470, 87])]
    c += [("PA", [14]), ("BO", [150, 140, 340, 262])]
    c += [("PA", [12]), ("LI", [138, 146, 245, 62]), ("LI", [245, 62, 352, 146]),
          ("LI", [138, 146, 352, 146]), ("FL", [245, 120])]
    c += [("PA", [4]), ("BO", [226, 196, 266, 262])]
    c += [("PA", [23]), ("BO", [172, 166, 210, 200]), ("BO", [282, 166, 320, 200])]
    c += [("PA", [0]), ("FT", [1]), ("DW", [3, 4]), ("BO", [150, 140, 340, 262]),
          ("BO", [172, 166, 210, 200]), ("BO", [282, 166, 320, 200])]
    c += [("PA", [1]), ("DW", [2, 2])]
    c += stroke(curve(lambda t: 300 + 30 * t + 8 * math.sin(t * 12),
                      lambda t: 95 - 70 * t, 30))
    return c


def fish():
    c = [("DW", [2, 2]), ("FT", [0]), ("PA", [22]), ("FL", [5, 5])]
    c += [("PA", [15]), ("CI", [130, 95, 340, 225])]
    c += [("LI", [330, 160, 430, 95]), ("LI", [430, 95, 430, 225]), ("LI", [430, 225, 330, 160]),
          ("FL", [410, 160])]
    c += [("PA", [2]), ("CI", [168, 128, 196, 156]), ("PA", [0]), ("CI", [176, 136, 190, 150])]
    c += [("PA", [12]), ("DW", [3, 4])]
    for x in (230, 265, 300):
        c += stroke(curve(lambda t, x=x: x + 6 * math.sin(t * 6), lambda t: 112 + 96 * t, 14))
    c += [("PA", [18]), ("DW", [4, 8])]
    for x in (40, 90, 470):
        c += stroke(curve(lambda t, x=x: x + 12 * math.sin(t * 9), lambda t: 321 - 140 * t, 20))
    c += [("PA", [2]), ("FT", [1]), ("DW", [2, 2])]
    for x, y, r in ((110, 80, 9), (92, 50, 6), (120, 24, 4)):
        c.append(("CI", [x - r, y - r, x + r, y + r]))
    return c


def tree():
    c = [("DW", [2, 2]), ("FT", [0]), ("PA", [23]), ("FL", [5, 5])]
    c += [("PA", [20]), ("BO", [0, 262, 510, 321])]
    c += [("PA", [4]), ("BO", [232, 170, 272, 270])]
    c += [("PA", [19]), ("CI", [150, 30, 360, 200]), ("CI", [120, 90, 250, 210]),
          ("CI", [260, 90, 390, 210])]
    c += [("PA", [12])]
    for x, y in ((190, 110), (255, 70), (310, 140), (215, 170), (330, 100)):
        c.append(("CI", [x - 9, y - 9, x + 9, y + 9]))
    c += [("PA", [17]), ("CI", [20, 20, 80, 80])]
    c += [("PA", [13]), ("DW", [2, 2])]
    for _ in range(8):
        c.append(("SP", [random.randint(60, 460), random.randint(280, 315)]))
    return c


PICTURES = {"house": house, "fish": fish, "tree": tree}


# --- Players -----------------------------------------------------------------------------------

class Player(threading.Thread):
    """A scripted player on the room's own protocol: joins, guesses and draws when it is the
    artist."""

    def __init__(self, name, port, scene, reports):
        super().__init__(daemon=True)
        self.name = name
        self.port = port
        self.scene = scene
        # One player tells the scene what everyone hears; the artist tells its word.
        self.reports = reports
        self.id = None
        self.word = None
        self.sock = socket.create_connection(("127.0.0.1", port))
        self.lock = threading.Lock()

    def send(self, command, data="-"):
        with self.lock:
            self.sock.sendall(command.encode("latin-1") + b"\x02" + data.encode("latin-1") +
                              b"\x01")

    def say(self, text):
        self.send("SAY", text)

    def run(self):
        self.send("SCRAWLBOX_CL13NT", "100001")
        buffer = b""
        while True:
            try:
                chunk = self.sock.recv(65536)
            except OSError:
                return
            if not chunk:
                return
            buffer += chunk
            while b"\x01" in buffer:
                message, buffer = buffer.split(b"\x01", 1)
                command, _, data = message.partition(b"\x02")
                self.handle(command.decode("latin-1"), data.decode("latin-1"))

    def handle(self, command, data):
        fields = data.split("\x03")
        if command == "SCRAWLBOX_S3RV3R":
            self.send("USER", "\x03".join([self.name, "0", "30", "Not given", "-", "-", "-"]))
        elif command == "USEROK":
            self.id = fields[0]
            self.send("PASS", "<none>")
        elif command == "PASSOK":
            self.send("ULISTREQ")
            if self.reports:
                # The first one in claims the room's admin role, as the client does when alone.
                self.send("ADMIN", self.name)
        elif command == "PING":
            self.send("PONG")
        elif command == "JOIN" and self.reports:
            self.scene.joined(fields[1])
        elif command == "NEWWORD":
            self.word = data.split(",")[0]
            self.scene.word_is(self.id, self.word)
            threading.Thread(target=self.draw, args=(self.word,), daemon=True).start()
        elif command in ("ENDOFROUND", "WORDSKIPPED", "STOPGAMETIMER") and self.reports:
            self.scene.round_over()
        elif command == "WINNER" and self.reports:
            self.scene.game_over()

    def draw(self, word):
        codes = PICTURES.get(word, house)()
        pause = 5.0 / len(codes)
        for command, values in codes:
            self.send(command, "\x03".join(str(v) for v in values) if values else "-")
            time.sleep(pause)
        self.scene.drawn()


class Scene:
    """What the players know of the game, and when it is time for what."""

    def __init__(self, word_list):
        self.cond = threading.Condition()
        # The room reads its list at every pick: holding only the next round's word, it gives
        # each round its own picture.
        self.word_list = word_list
        self.set_next_word(0)
        self.names = set()
        # (artist id, word) of every round so far: only the artist hears the word, once a round.
        self.words = []
        self.rounds_over = 0
        self.pictures_drawn = 0
        self.over = False

    def _set(self, **changes):
        with self.cond:
            for key, value in changes.items():
                setattr(self, key, value)
            self.cond.notify_all()

    def joined(self, name):
        with self.cond:
            self.names.add(name)
            self.cond.notify_all()

    def set_next_word(self, index):
        with open(self.word_list, "w") as words:
            words.write(WORDS[index % len(WORDS)] + "\n")

    def word_is(self, artist, word):
        with self.cond:
            self.words.append((artist, word))
            self.set_next_word(len(self.words))
            self.cond.notify_all()

    def drawn(self):
        with self.cond:
            self.pictures_drawn += 1
            self.cond.notify_all()

    def round_over(self):
        with self.cond:
            self.rounds_over += 1
            self.cond.notify_all()

    def game_over(self):
        self._set(over=True)

    def wait(self, test, seconds=60):
        with self.cond:
            if not self.cond.wait_for(test, timeout=seconds):
                raise RuntimeError("the game did not get where it should")


# --- The client --------------------------------------------------------------------------------

def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True,
                          text=True).stdout.strip()


def window_id(title):
    deadline = time.time() + 20
    while time.time() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.2)
    raise RuntimeError(f"no window called {title}")


def type_in(window, text):
    xdotool("windowfocus", "--sync", window)
    xdotool("type", "--delay", "40", text)
    xdotool("key", "Return")


def snapshot(window, path):
    subprocess.run(["import", "-window", window, path], check=True)


def main():
    bin_dir, out_dir = sys.argv[1], sys.argv[2]
    random.seed(7)
    work = tempfile.mkdtemp(prefix="scrawlbox-shots-")
    processes = []
    try:
        port = free_port()
        room = os.path.join(work, "room")
        os.makedirs(os.path.join(room, "Wordlists"))
        with open(os.path.join(room, "Server.ini"), "w", newline="\r\n") as ini:
            ini.write(f"[Server Details]\nName=Doodle Den\nDescription=Draw badly, guess well\n"
                      f"Port={port}\nMOTD=Welcome to the Doodle Den!\n")
        scene = Scene(os.path.join(room, "Wordlists", "sketches.txt"))
        processes.append(subprocess.Popen(
            [os.path.join(bin_dir, "scrawlbox-server"), "--headless", "--data-dir", room],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL))
        wait_for_port(port)

        players = {}
        for name in ("Ada", "Bea", "Cid"):
            players[name] = Player(name, port, scene, reports=name == "Ada")
            players[name].start()
            time.sleep(0.3)

        client = os.path.join(work, "client")
        os.makedirs(client)
        twips = 15
        with open(os.path.join(client, "Client.ini"), "w", newline="\r\n") as ini:
            ini.write("[Player Information]\nNickname=Sam\nAge=0\nGender=Not given\n"
                      "Location=-\nHomepage=-\nQuote=-\n"
                      f"[Window Metrics]\nMain Width={1400 * twips}\nMain Height={860 * twips}\n"
                      f"Main Top={30 * twips}\nMain Left={60 * twips}\n")
        processes.append(subprocess.Popen(
            [os.path.join(bin_dir, "scrawlbox-client"), "--data-dir", client, "--connect",
             f"127.0.0.1:{port}"], stdout=subprocess.DEVNULL))
        scene.wait(lambda: "Sam" in scene.names)
        main_window = window_id("^Scrawlbox - Client")
        time.sleep(1)

        ada, bea, cid = players["Ada"], players["Bea"], players["Cid"]
        ada.say("hi Sam! three quick rounds?")
        time.sleep(0.8)
        type_in(main_window, "sure, go ahead")
        ada.send("STARTGAME", "\x03".join(["Doodle Den", "Draw badly, guess well", "0", "3",
                                           str(ROUND_SECONDS * 1000), str(GRACE_SECONDS * 1000),
                                           "\x04sketches"]))
        guessers = {"Ada": ada, "Bea": bea, "Cid": cid}
        for round_number in range(1, 4):
            scene.wait(lambda: len(scene.words) >= round_number)
            artist_id, word = scene.words[round_number - 1]
            artist = next(p for p in players.values() if p.id == artist_id)
            others = [p for name, p in guessers.items() if p is not artist]
            time.sleep(1.5)
            others[0].say("a boat?" if word != "boat" else "a ship?")
            type_in(main_window, "is it a " + ("hat" if word == "house" else "cloud"))
            scene.wait(lambda: scene.pictures_drawn >= round_number)
            others[0].say(word)
            time.sleep(1.2)
            if round_number == 2:
                snapshot(main_window, os.path.join(out_dir, "game.png"))
            type_in(main_window, word)
            time.sleep(0.5)
            others[1].say(word)
            scene.wait(lambda: scene.rounds_over >= round_number)
        scene.wait(lambda: scene.over)
        time.sleep(1.5)
        xdotool("windowfocus", "--sync", main_window)
        xdotool("key", "ctrl+g")
        gallery = window_id("^Gallery$")
        time.sleep(1)
        snapshot(gallery, os.path.join(out_dir, "gallery.png"))
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
