#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the seed corpus of every fuzz target into tests/fuzz/corpus/<target>/.

Each seed is a small script in the byte form its target reads (see FuzzInput in fuzz_input.h and
the Step functions of the targets): one byte picks an operation, numbers are little-endian, a
text is a length byte and then its bytes. Run it again after changing a target's script form.
"""
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parent / "corpus"


def text(s):
    b = s.encode("latin-1") if isinstance(s, str) else s
    assert len(b) < 256
    return bytes([len(b)]) + b


def long_text(s):
    b = s.encode("latin-1") if isinstance(s, str) else s
    return struct.pack("<H", len(b)) + b


def n16(v):
    return struct.pack("<H", v & 0xFFFF)


def n32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


def frame(command, data):
    return (command + "\x02" + data + "\x01").encode("latin-1")


def write(target, name, data):
    folder = ROOT / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


# --- server_core -----------------------------------------------------------------------------
# Operations: 0 connect, 1 join, 2 raw bytes, 3 command, 4 burst, 5 start game, 6 guess, 7 time,
# 8 failing sends, 9 slow reader, 10 peer closes, 11 operator, 12 random, 13 drawing.
# Commands are indices into RoomServer::RoutedCommands(), which is sorted by name.
ROUTED = sorted(["SCRAWLBOX_CL13NT", "USER", "PASS", "DISAGREE", "NICK", "ISALIVE", "PONG", "SAY",
                 "NEWINFO", "NICKCHG", "USERACTION", "AWAY", "PART", "ULISTREQ", "ADMIN",
                 "USERINFO", "KICK", "GETWORDLISTS", "NOP", "STARTGAME", "SKIPWORD",
                 "WARNARTIST", "GIVEHINT", "CU", "FH", "ER", "SP", "LI", "CI", "BO", "FL", "UN",
                 "CL", "FT", "DW", "PA", "CC"])


def join(address=0, own_nickname=True):
    # Own nickname "P<slot>", the current version, not away, "<none>" as password.
    assert own_nickname
    return bytes([1, address, 1, 1, 0, 1])


def slot(i):
    return bytes([i])


def command(index_slot, cmd, data):
    return bytes([3]) + slot(index_slot) + bytes([ROUTED.index(cmd), 1]) + text(data)


def start_game(index_slot, rounds, round_s, found_s, lists_choice, repeat=None):
    numbers = b"".join(bytes([0, v]) for v in (rounds, round_s, found_s))
    lists = bytes([1, lists_choice]) + (bytes([0]) + n16(repeat) if repeat else bytes([1]))
    return bytes([5]) + slot(index_slot) + lists + numbers


def advance(steps, scale):
    return bytes([7, steps, scale])


server = {
    # Two players join; one chats, the other answers a ping and leaves.
    "join_chat_part": bytes([0]) + join(0) + join(1) + command(0, "SAY", "hello there")
    + command(1, "PONG", "-") + command(1, "PART", "bye") + advance(30, 2),
    # A game on the one-word list: the guesser finds "cat", rounds run out by the clock.
    "game_found": bytes([1]) + join(0) + join(1) + start_game(0, 2, 10, 5, 0)
    + bytes([6, 1, 0]) + advance(200, 2) + advance(200, 2) + bytes([6, 0, 0]) + advance(100, 3),
    # A game with hints, a skip and the artist drawing, then the artist's sends fail.
    "game_hints_skip": bytes([1]) + join(0) + join(1) + join(0) + start_game(0, 3, 20, 5, 1)
    + command(0, "GIVEHINT", "-") + command(1, "GIVEHINT", "-")
    + bytes([13, 0, 1]) + n16(10) + n16(20) + n16(300) + n16(200)
    + command(0, "SKIPWORD", "-") + bytes([8, 0]) + command(1, "SAY", "dog") + advance(50, 3),
    # Floods under the small limits: chat lines and drawing bursts until the server closes.
    "floods": bytes([2]) + join(0) + join(1) + bytes([4, 0, ROUTED.index("SAY")]) + text("spam")
    + bytes([40]) + bytes([4, 1, ROUTED.index("FH")]) + text("1\x032\x033\x034") + bytes([200])
    + advance(5, 3),
    # Connections that never log in, a half message, a slow reader and the login deadline.
    "no_login": bytes([2, 0, 0, 0, 0, 0, 0, 0, 1]) + bytes([2, 0]) + long_text("SCRAWLBOX_CL")
    + bytes([9, 1, 1]) + n32(2 << 20) + bytes([9, 0, 2]) + advance(10, 3) + bytes([10, 0, 1]),
    # A game set up with 20000 list names in one message (the lists "animals" and "test",
    # 10000 times each), then played for a while.
    "big_startgame": bytes([1]) + join(0) + join(1) + start_game(0, 2, 10, 5, 1, 10000)
    + advance(30, 2),
    # The operator kicks and bans; a banned address tries again.
    "operator": bytes([1]) + join(0) + join(2) + bytes([11, 1, 0]) + text("Be nice")
    + bytes([11, 0, 1]) + text("Go away") + join(2) + bytes([11, 0, 7]) + text("users")
    + bytes([11, 0, 5, 1]),
}
for name, data in server.items():
    write("server_core", name, data)

# --- client_session --------------------------------------------------------------------------
# Operations: 0 connect, 1 whole login, 2 raw bytes, 3 server message, 4 drawing, 5 chat line,
# 6 slash command, 7 time, 8 player action (15: the password asked for, 16: leaving).
CLIENT_COMMANDS = ["SCRAWLBOX_S3RV3R", "OLDVERSION", "BANNED", "USEROK", "PASSOK", "JOIN", "ULIST",
                   "ULISTEND", "GAMERUNNING", "ADMIN", "PING", "ISALIVE", "SAY", "USERACTION",
                   "AWAY", "NICKCHG", "INFOCHG", "USERINFO", "KICKINFO", "PART", "SERVERQUIT",
                   "NOP", "NOTICE", "SERVERMSG", "KICKOP", "NOOP", "NOWORDLISTS", "WORDLIST",
                   "WORDLISTEND", "GAMEISBEINGSETUP", "SETGAMETIMER", "TOTALROUNDS", "START_GAME",
                   "NEWROUND", "NEWARTIST", "NEWWORD", "STARTGAMETIMER", "STOPGAMETIMER",
                   "ENDOFROUND", "WORDFOUND", "WORDCLOSE", "POINTSCHG", "HINT", "NOMOREHINTS",
                   "WORDSKIPPED", "WINNER", "RESETSCORES", "BADPASS"]


def receive(cmd, data):
    return bytes([3, CLIENT_COMMANDS.index(cmd), 1]) + text(data)


client = {
    # A login by raw bytes as the server sends them, then chat both ways.
    "login_raw": bytes([0]) + text("room.example") + bytes([2]) + long_text(
        frame("SCRAWLBOX_S3RV3R", "100") + frame("USEROK", "100005\x03")
        + frame("PASSOK", "MOTD\x03Room\x03-\x031\x0310")
        + frame("ULIST", "100005\x03Zed\x030\x030") + frame("ULISTEND", ""))
    + receive("SAY", "100000\x03hi Zed") + bytes([5, 9]) + text("hello")
    + bytes([5, 1]) + text("waves"),
    # A game seen from a guesser: artist, hints, the word found, the end of the game.
    "game": bytes([1]) + text("Cy") + receive("START_GAME", "\x04test")
    + receive("TOTALROUNDS", "3") + receive("SETGAMETIMER", "60000") + receive("NEWROUND", "1")
    + receive("NEWARTIST", "100000") + receive("HINT", "c\x03The word starts with c")
    + bytes([4, 1, 1]) + text("100000\x0310\x0310\x0350\x0350") + bytes([7, 30, 2])
    + receive("WORDFOUND", "2\x03100002") + receive("POINTSCHG", "100002\x0350")
    + receive("ENDOFROUND", "cat") + receive("WINNER", "100002") + bytes([7, 10, 3]),
    # This player draws: the new word, a hint given, a skip, drawing sent.
    "artist": bytes([1]) + text("Cy") + receive("NEWARTIST", "100005")
    + receive("NEWWORD", "big cat,lion") + bytes([8, 1, 8, 0, 8, 10, 1]) + text("1\x032\x033\x034")
    + receive("STARTGAMETIMER", "30000") + bytes([7, 40, 2]),
    # Being kicked, then the server quitting, then an error.
    "kicked": bytes([1]) + text("Cy") + receive("KICKINFO", "100000\x03100005\x03rude")
    + receive("KICKOP", "Bye") + receive("SERVERQUIT", "The server has been shutdown.")
    + bytes([8, 14, 0, 61]) + text("Connection refused"),
    # Slash commands and a nickname change answered by the server.
    "commands": bytes([1]) + text("Cy") + bytes([6]) + text("nick Newname")
    + receive("NICKCHG", "100005\x03Newname") + bytes([6]) + text("debug") + bytes([6])
    + text("help") + bytes([8, 11]) + text("System"),
    # A room with a password: refused, the player gives one (kept), taken; then leaving.
    "password": bytes([0]) + text("room.example") + bytes([2]) + long_text(
        frame("SCRAWLBOX_S3RV3R", "100") + frame("USEROK", "100005\x03"))
    + receive("BADPASS", "-") + bytes([8, 15]) + text("secret") + bytes([1, 0])
    + text("room.example") + bytes([2]) + long_text(
        frame("SCRAWLBOX_S3RV3R", "100") + frame("USEROK", "100005\x03")
        + frame("PASSOK", "MOTD\x03Room\x03-\x031\x0310")) + bytes([8, 16]) + text("Bye all"),
}
for name, data in client.items():
    write("client_session", name, data)

# --- drawing_replay --------------------------------------------------------------------------
# Operations 0-2: a relayed code (index into the DrawCode table), 3 tool, 4 brush/colour,
# 5 mouse drag, 6 time, 7 reset. Codes: CU FH ER SP LI CI BO FL UN CL FT DW PA CC.
CODES = ["CU", "FH", "ER", "SP", "LI", "CI", "BO", "FL", "UN", "CL", "FT", "DW", "PA", "CC"]


def relayed(code, fields):
    # The structured form: user id, then each field as a 16-bit number (field kind 0).
    out = bytes([0, CODES.index(code), 1])
    for v in fields:
        out += bytes([0]) + n16(v)
    return out


def relayed_text(code, data):
    return bytes([0, CODES.index(code), 0]) + text(data)


drawing = {
    # The strokes of a small picture: colour, width, lines, a box, an ellipse, a fill, undo.
    "picture": relayed("PA", [12]) + relayed("DW", [3, 8]) + relayed("FH", [10, 10, 100, 80])
    + relayed("LI", [0, 321, 510, 0]) + relayed("FT", [0]) + relayed("BO", [50, 50, 200, 150])
    + relayed("CU", []) + relayed("CI", [300, 40, 450, 200]) + relayed("FL", [5, 300])
    + relayed("UN", []) + relayed("CC", [255, 128, 0]) + relayed("SP", [250, 160]),
    # Coordinates far off the pad and numbers no client sends.
    "far_off": relayed("FH", [0x8000, 0x7FFF, 0x8000, 0x7FFF]) + relayed_text("CI", "1\x031e308")
    + relayed_text("FL", "1\x03nan\x03nan") + relayed_text("DW", "1\x031\x031e9")
    + relayed("ER", [0xFFF6, 5]) + relayed_text("CL", "-"),
    # The artist's own tools: line, box, circle and flood by mouse, the two-step clear.
    "tools": bytes([3, 3, 5, 1]) + b"\x01" + n16(10) + n16(10) + b"\x01" + n16(100) + n16(90)
    + bytes([3, 4, 5, 0, 1]) + n16(20) + n16(20) + b"\x01" + n16(200) + n16(100)
    + bytes([3, 5, 5, 0, 1]) + n16(300) + n16(30) + b"\x01" + n16(480) + n16(300)
    + bytes([3, 6, 5, 0, 1]) + n16(400) + n16(200) + b"\x01" + n16(400) + n16(200)
    + bytes([3, 0, 3, 0, 6, 200]),
}
for name, data in drawing.items():
    write("drawing_replay", name, data)

# --- ini -------------------------------------------------------------------------------------
# The file text, then operations: a section and a key (name or text), then 0 read, 1 write,
# 2 replace section, 3 delete section, 4 write several, 5 numbers.
SERVER_INI = ("; Server.ini\r\n[Server Details]\r\nName=Fun room\r\nPort = 2020 \r\n"
              "MOTD=\"Welcome!\"\r\n\r\n[Banned IPs]\r\nTotal=1\r\n"
              "Banned IP[1]=IP=10.0.0.*\xacREASON=spam\xac" "CONNECTIONATTEMPTS=3\r\n"
              "[Statistics]\r\nTotal Games=12\r\n")


def name(index):
    return bytes([1, index])


ini = {
    "server_ini": long_text(SERVER_INI) + name(0) + name(4) + bytes([0]) + name(1) + b"\x00"
    + text("Port") + bytes([1, 1]) + text("2021") + name(2) + name(4) + bytes([3]),
    "bare_cr": long_text("[A]\rk=v\r[B]\rx=1\r") + name(12) + b"\x00" + text("k")
    + bytes([1, 1]) + text("w") + b"\x00" + text("C") + name(12) + bytes([2, 2]) + name(12)
    + text("1") + name(4) + text("2") + b"\x00" + text("B"),
    "odd_lines": long_text("  [ Server Details ] junk\n=novalue\n;k=comment\n[\nkey only\n"
                           "Name='quoted'\n[server details]\nName=second\n")
    + name(0) + b"\x00" + text("Name") + bytes([0]) + name(7) + name(6) + bytes([4]) + text("x")
    + name(8) + text("y"),
}
for name_, data in ini.items():
    write("ini", name_, data)

# --- word_lists ------------------------------------------------------------------------------
# Files (count, then a name and a long text each), then picks: lists, random numbers, choice.
def file_named(index, content):
    return bytes([1, index]) + long_text(content)


words = {
    "lists": bytes([2]) + file_named(0, "cat\r\ndog,doggy\r\n# a comment\r\n")
    + file_named(1, "big cat;lion\nkangaroo\n  \n#\tnot a word\n,,,\nemu|") 
    + bytes([2, 1, 0, 1, 1, 1, 2, 200, 1, 1]),
    "edges": bytes([3]) + file_named(3, "in readme") + file_named(4, "nameless")
    + file_named(6, "a\rb\r\rc" + "x" * 210 + "\r\x01\x02\x7f\xe9t\xe9")
    + bytes([1, 0]) + text("\x04../test\x04test\x04") + bytes([0]) + n16(20000)
    + bytes([0, 1]),
}
for name_, data in words.items():
    write("word_lists", name_, data)

# --- ban_patterns ----------------------------------------------------------------------------
# Pattern checks (count, address, pattern), the ban section, then list edits.
bans = {
    "patterns": bytes([3, 1, 0, 1, 0, 1, 1, 1, 1, 0, 1, 4, 0]) + text("10.0.0.5")
    + bytes([0]) + text("*.*.[0-9]##") + bytes([0]),
    "section": bytes([0, 1, 0, 3, 0, 3, 1, 0, 0]) + text("first") + text("2")
    + bytes([0, 5, 1, 2]) + text("spam") + bytes([1]) + text("IP=1.2.3.4")
    + bytes([0, 0, 0, 1, 0]) + bytes([0, 1, 1, 5]) + text("flood") + bytes([1, 3]) + text("later")
    + bytes([0, 4]),
}
for name_, data in bans.items():
    write("ban_patterns", name_, data)

# --- tracker_requests ------------------------------------------------------------------------
# Operations (after a source): 0 raw query, 1 time, 2 probe, 3-4 structured query.
ADD = ("ACTION=ADD&KEY=HOST:0&SERVERVERSION=1%2E00%2E0001&SERVERNAME=Room&DESC=Fun"
       "&IP=198.51.100.7&PORT=2020&ADMINNAME=Ann&ADMINEMAIL=a%40b%2Ec&ISPUBLIC=False"
       "&TOTALCONNECTIONS=5&TOTALGAMES=2&TOTALROUNDS=9&TOTALWORDS=300&TOTALWORDLISTS=3")
tracker = {
    "add_view_remove": bytes([0, 0]) + long_text(ADD) + bytes([0, 0]) + long_text("ACTION=VIEW")
    + bytes([1, 1]) + n16(6000) + bytes([0, 0]) + long_text("ACTION=REMOVE&KEY=HOST:0"),
    "probes": bytes([0, 0]) + long_text(ADD) + bytes([0, 2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0])
    + bytes([1, 0]) + long_text("ACTION=VIEW&ACTION=ADD"),
    # Rooms with player counts and a password, listed fullest first, and a short VIEW.
    "players": bytes([0, 0]) + long_text(ADD + "&PLAYERS=3&LOCKED=True") + bytes([1, 0])
    + long_text(ADD.replace("HOST:0", "HOST:1") + "&PLAYERS=7") + bytes([0, 0])
    + long_text("ACTION=VIEW&MAX=1") + bytes([2, 0]) + long_text("ACTION=VIEW&MAX=-4"),
    "odd_queries": bytes([0, 0]) + long_text("ACTION=ADD&KEY=a%7CPORT=1%0D%0AX&SERVERNAME=%zz%")
    + bytes([2, 0]) + long_text("=&&=%&ACTION") + bytes([0, 3, 0, 5, 1, 0, 1, 2, 0, 1, 0]),
}
for name_, data in tracker.items():
    write("tracker_requests", name_, data)

# --- http_heads ------------------------------------------------------------------------------
# Flag 0: piece sizes (each byte * 64 + 1), a filler line, its repeat count, then the head's
# first bytes (the filler follows them). Flag 1: peer limits, then steps (address, operation).
heads = {
    "scrape": bytes([0]) + text("") + text("") + n16(0)
    + b"GET /metrics HTTP/1.1\r\nHost: x\r\nAccept: */*\r\n\r\n",
    "view_in_pieces": bytes([0]) + text(bytes([0, 0, 0, 1])) + text("") + n16(0)
    + b"GET /misc/scrawlbox/tracker.php?ACTION=VIEW HTTP/1.1\r\nHost: h\r\n\r\nbody",
    "endless_header": bytes([0]) + text(bytes([2] * 20)) + text("X-Fill: aaaaaaaaaaaa\r\n")
    + n16(600) + b"GET / HTTP/1.1\r\n",
    "forwarded": bytes([0]) + text(bytes([0, 1])) + text("") + n16(0)
    + b"GET / HTTP/1.1\r\nX-Forwarded-For: 6.6.6.6\r\nx-forwarded-for:\r\n ::ffff:10.1.2.3\r\n"
    + b"\r\n",
    "no_request": bytes([0]) + text("") + text("") + n16(0) + b"\x16\x03\x01\x02\x00 hello\n",
    "peers": bytes([1, 3, 2]) + bytes([0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 4, 1, 5, 0, 9, 0, 0, 1]),
}
for name_, data in heads.items():
    write("http_heads", name_, data)
