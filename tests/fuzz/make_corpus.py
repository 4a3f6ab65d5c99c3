#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the seed corpus of every fuzz target into tests/fuzz/corpus/<target>/.
#
# Each seed is a small script in the byte form its target reads (see FuzzInput in fuzz_input.h and
# the operation tables of the targets): one byte picks an operation, numbers are little-endian, a
# text is a length byte and then its bytes. A seed below is a list of parts: an int is one byte, a
# str is a text, a list is its parts, bytes are taken as they are. Run it again after changing a
# target's script form.
import pathlib, re, struct

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE / "corpus"

def enc(p):
    if isinstance(p, int):
        return bytes([p])
    if isinstance(p, str):
        assert len(p) < 256
        return bytes([len(p)]) + p.encode("latin-1")
    return b"".join(map(enc, p)) if isinstance(p, (list, tuple)) else p

def n16(v): return struct.pack("<H", v & 0xFFFF)

UPGRADE = (b"GET /play HTTP/1.1\r\nHost: room:2081\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
           b"Sec-WebSocket-Version: 13\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n")

def masked(first, payload):
    """A client's frame, masked with a fixed key."""
    key = b"\x12\x34\x56\x78"
    n = len(payload)
    length = bytes([0x80 | n]) if n < 126 else bytes([0xfe]) + struct.pack(">H", n)
    return bytes([first]) + length + key + bytes(c ^ key[i % 4] for i, c in enumerate(payload))
def long_text(s): return n16(len(s)) + s.encode("latin-1")

# server_core operations: 0 connect, 1 join, 2 raw bytes, 3 command, 4 burst, 5 start game,
# 6 guess, 7 time, 8 failing sends, 9 slow reader, 10 peer closes, 11 operator, 12 random,
# 13 drawing. Commands are indices into RoomServer::RoutedCommands(), which is sorted by name.
ROUTED = sorted(
    "SCRAWLBOX_CL13NT USER PASS DISAGREE NICK ISALIVE PONG SAY NEWINFO NICKCHG USERACTION AWAY "
    "PART ULISTREQ ADMIN USERINFO KICK GETWORDLISTS NOP STARTGAME SKIPWORD WARNARTIST GIVEHINT "
    "CU FH ER SP LI CI BO FL UN CL FT DW PA CC".split())

# own nickname "P<slot>", the current version, not away, "<none>" password
def join(address): return [1, address, 1, 1, 0, 1]

def command(slot, cmd, data): return [3, slot, ROUTED.index(cmd), 1, data]

def start_game(slot, rounds, round_s, found_s, lists_choice, repeat=None):
    lists = [1, lists_choice] + ([0, n16(repeat)] if repeat else [1])
    return [5, slot, lists] + [[0, v] for v in (rounds, round_s, found_s)]

def advance(steps, scale): return [7, steps, scale]

# client_session operations: 0 connect, 1 whole login, 2 raw bytes, 3 server message,
# 4 drawing, 5 chat line, 6 slash command, 7 time, 8 player action (15: the password asked for,
# 16: leaving). Server messages are indices into the target's table of words, read from it.
CLIENT_COMMANDS = "".join(re.findall(r'"([A-Z_0-9 ]+)"', re.search(
    r"SplitFields\((.*?)' '\)", (HERE / "client_session_fuzz.cpp").read_text(), re.S)[1])).split()

def receive(cmd, data): return [3, CLIENT_COMMANDS.index(cmd), 1, data]

def raw(*frames): return [2, long_text("".join(c + "\x02" + d + "\x01" for c, d in frames))]


HELLO = [("SCRAWLBOX_S3RV3R", "100"), ("USEROK", "100005\x03")]
PASSOK = ("PASSOK", "MOTD\x03Room\x03-\x031\x0310")

# drawing_replay operations: 0-2 a relayed code (index into the DrawCode table), 3 tool,
# 4 brush/colour, 5 mouse drag, 6 time, 7 reset.
CODES = "CU FH ER SP LI CI BO FL UN CL FT DW PA CC".split()

# the sender's id, then each field as a 16-bit number
def relayed(code, fields): return [0, CODES.index(code), 1] + [[0, n16(v)] for v in fields]

def relayed_text(code, data): return [0, CODES.index(code), 0, data]

# a tool, then the mouse: pressed at start, then end's bytes
def drag(tool, button, start, end):
    return [3, tool, 5, button] + [[1, n16(x), n16(y)] for x, y in (start, end)]

# ini: a name from the target's table
def name(index): return [1, index]

# word_lists: a file with a name from the target's table
def file_named(index, content): return [1, index, long_text(content)]


SERVER_INI = ("; Server.ini\r\n[Server Details]\r\nName=Fun room\r\nPort = 2020 \r\n"
              "MOTD=\"Welcome!\"\r\n\r\n[Banned IPs]\r\nTotal=1\r\n"
              "Banned IP[1]=IP=10.0.0.*\xacREASON=spam\xac" "CONNECTIONATTEMPTS=3\r\n"
              "[Statistics]\r\nTotal Games=12\r\n")
ADD = ("ACTION=ADD&KEY=HOST:0&SERVERVERSION=1%2E00%2E0001&SERVERNAME=Room&DESC=Fun"
       "&IP=198.51.100.7&PORT=2020&ADMINNAME=Ann&ADMINEMAIL=a%40b%2Ec&ISPUBLIC=False"
       "&TOTALCONNECTIONS=5&TOTALGAMES=2&TOTALROUNDS=9&TOTALWORDS=300&TOTALWORDLISTS=3")

SEEDS = {"server_core": {
    # Two players join; one chats, the other answers a ping and leaves.
    "join_chat_part": [0, join(0), join(1), command(0, "SAY", "hello there"),
                       command(1, "PONG", "-"), command(1, "PART", "bye"), advance(30, 2)],
    # A game on the one-word list: the guesser finds "cat", rounds run out by the clock.
    "game_found": [1, join(0), join(1), start_game(0, 2, 10, 5, 0), 6, 1, 0, advance(200, 2),
                   advance(200, 2), 6, 0, 0, advance(100, 3)],
    # A game with hints, a skip and the artist drawing, then the artist's sends fail.
    "game_hints_skip": [1, join(0), join(1), join(0), start_game(0, 3, 20, 5, 1),
                        command(0, "GIVEHINT", "-"), command(1, "GIVEHINT", "-"), 13, 0, 1,
                        [n16(v) for v in (10, 20, 300, 200)], command(0, "SKIPWORD", "-"), 8, 0,
                        command(1, "SAY", "dog"), advance(50, 3)],
    # Floods under the small limits: chat lines and drawing bursts until the server closes.
    "floods": [2, join(0), join(1), 4, 0, ROUTED.index("SAY"), "spam", 40, 4, 1,
               ROUTED.index("FH"), "1\x032\x033\x034", 200, advance(5, 3)],
    # Connections that never log in, a half message, a slow reader and the login deadline.
    "no_login": [2, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, long_text("SCRAWLBOX_CL"), 9, 1, 1,
                 struct.pack("<I", 2 << 20), 9, 0, 2, advance(10, 3), 10, 0, 1],
    # A game set up with 20000 list names in one message (the lists "animals" and "test",
    # 10000 times each), then played for a while.
    "big_startgame": [1, join(0), join(1), start_game(0, 2, 10, 5, 1, 10000), advance(30, 2)],
    # The operator kicks and bans; a banned address tries again.
    "operator": [1, join(0), join(2), 11, 1, 0, "Be nice", 11, 0, 1, "Go away", join(2), 11, 0,
                 7, "users", 11, 0, 5, 1],
}, "client_session": {
    # A login by raw bytes as the server sends them, then chat both ways.
    "login_raw": [0, "room.example", raw(*HELLO, PASSOK, ("ULIST", "100005\x03Zed\x030\x030"),
                                         ("ULISTEND", "")),
                  receive("SAY", "100000\x03hi Zed"), 5, 9, "hello", 5, 1, "waves"],
    # A game seen from a guesser: artist, hints, the word found, the end of the game.
    "game": [1, "Cy", receive("START_GAME", "\x04test"), receive("TOTALROUNDS", "3"),
             receive("SETGAMETIMER", "60000"), receive("NEWROUND", "1"),
             receive("NEWARTIST", "100000"), receive("HINT", "c\x03The word starts with c"),
             4, 1, 1, "100000\x0310\x0310\x0350\x0350", 7, 30, 2,
             receive("WORDFOUND", "2\x03100002"), receive("POINTSCHG", "100002\x0350"),
             receive("ENDOFROUND", "cat"), receive("WINNER", "100002"), 7, 10, 3],
    # This player draws: the new word, a hint given, a skip, drawing sent.
    "artist": [1, "Cy", receive("NEWARTIST", "100005"), receive("NEWWORD", "big cat,lion"),
               8, 1, 8, 0, 8, 10, 1, "1\x032\x033\x034", receive("STARTGAMETIMER", "30000"), 7,
               40, 2],
    # Being kicked, then the server quitting, then an error.
    "kicked": [1, "Cy", receive("KICKINFO", "100000\x03100005\x03rude"), receive("KICKOP", "Bye"),
               receive("SERVERQUIT", "The server has been shutdown."), 8, 14, 0, 61,
               "Connection refused"],
    # Slash commands and a nickname change answered by the server.
    "commands": [1, "Cy", 6, "nick Newname", receive("NICKCHG", "100005\x03Newname"), 6, "debug",
                 6, "help", 8, 11, "System"],
    # A room with a password: refused, the player gives one (kept), taken; then leaving.
    "password": [0, "room.example", raw(*HELLO), receive("BADPASS", "-"), 8, 15, "secret", 1, 0,
                 "room.example", raw(*HELLO, PASSOK), 8, 16, "Bye all"],
}, "drawing_replay": {
    # The strokes of a small picture: colour, width, lines, a box, an ellipse, a fill, undo.
    "picture": [relayed("PA", [12]), relayed("DW", [3, 8]), relayed("FH", [10, 10, 100, 80]),
                relayed("LI", [0, 321, 510, 0]), relayed("FT", [0]),
                relayed("BO", [50, 50, 200, 150]), relayed("CU", []),
                relayed("CI", [300, 40, 450, 200]), relayed("FL", [5, 300]), relayed("UN", []),
                relayed("CC", [255, 128, 0]), relayed("SP", [250, 160])],
    # Coordinates far off the pad and numbers no client sends.
    "far_off": [relayed("FH", [0x8000, 0x7FFF, 0x8000, 0x7FFF]), relayed_text("CI", "1\x031e308"),
                relayed_text("FL", "1\x03nan\x03nan"), relayed_text("DW", "1\x031\x031e9"),
                relayed("ER", [0xFFF6, 5]), relayed_text("CL", "-")],
    # The artist's own tools: line, box, circle and flood by mouse, the two-step clear.
    "tools": [drag(3, 1, (10, 10), (100, 90)), drag(4, 0, (20, 20), (200, 100)),
              drag(5, 0, (300, 30), (480, 300)), drag(6, 0, (400, 200), (400, 200)),
              3, 0, 3, 0, 6, 200],
}, "ini": {
    # The file text, then steps: a section and a key (a name from the table or a text), then
    # 0 read, 1 write, 2 replace section, 3 delete section, 4 write several, 5 numbers.
    "server_ini": [long_text(SERVER_INI), name(0), name(4), 0, name(1), 0, "Port", 1, 1, "2021",
                   name(2), name(4), 3],
    "bare_cr": [long_text("[A]\rk=v\r[B]\rx=1\r"), name(12), 0, "k", 1, 1, "w", 0, "C", name(12),
                2, 2, name(12), "1", name(4), "2", 0, "B"],
    "odd_lines": [long_text("  [ Server Details ] junk\n=novalue\n;k=comment\n[\nkey only\n"
                            "Name='quoted'\n[server details]\nName=second\n"),
                  name(0), 0, "Name", 0, name(7), name(6), 4, "x", name(8), "y"],
}, "word_lists": {
    # Files (count, then a name and a long text each), then picks: lists, random numbers, choice.
    "lists": [2, file_named(0, "cat\r\ndog,doggy\r\n# a comment\r\n"),
              file_named(1, "big cat;lion\nkangaroo\n  \n#\tnot a word\n,,,\nemu|"),
              2, 1, 0, 1, 1, 1, 2, 200, 1, 1],
    "edges": [3, file_named(3, "in readme"), file_named(4, "nameless"),
              file_named(6, "a\rb\r\rc" + "x" * 210 + "\r\x01\x02\x7f\xe9t\xe9"), 1, 0,
              "\x04../test\x04test\x04", 0, n16(20000), 0, 1],
}, "ban_patterns": {
    # Pattern checks (count, address, pattern), the ban section, then list edits.
    "patterns": [3, 1, 0, 1, 0, 1, 1, 1, 1, 0, 1, 4, 0, "10.0.0.5", 0, "*.*.[0-9]##", 0],
    "section": [0, 1, 0, 3, 0, 3, 1, 0, 0, "first", "2", 0, 5, 1, 2, "spam", 1, "IP=1.2.3.4",
                0, 0, 0, 1, 0, 0, 1, 1, 5, "flood", 1, 3, "later", 0, 4],
}, "tracker_requests": {
    # Steps (after a source): 0 raw query, 1 time, 2 probe, 3-4 structured query.
    "add_view_remove": [0, 0, long_text(ADD), 0, 0, long_text("ACTION=VIEW"), 1, 1, n16(6000),
                        0, 0, long_text("ACTION=REMOVE&KEY=HOST:0")],
    "probes": [0, 0, long_text(ADD), 0, 2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 1, 0,
               long_text("ACTION=VIEW&ACTION=ADD")],
    # Rooms with player counts and a password, listed fullest first, and a short VIEW.
    "players": [0, 0, long_text(ADD + "&PLAYERS=3&LOCKED=True"), 1, 0,
                long_text(ADD.replace("HOST:0", "HOST:1") + "&PLAYERS=7"), 0, 0,
                long_text("ACTION=VIEW&MAX=1"), 2, 0, long_text("ACTION=VIEW&MAX=-4")],
    "odd_queries": [0, 0, long_text("ACTION=ADD&KEY=a%7CPORT=1%0D%0AX&SERVERNAME=%zz%"), 2, 0,
                    long_text("=&&=%&ACTION"), 0, 3, 0, 5, 1, 0, 1, 2, 0, 1, 0],
}, "http_heads": {
    # Flag 0: piece sizes (each byte * 64 + 1), a filler line, its repeat count, then the head's
    # first bytes (the filler follows them). Flag 1: peer limits, then steps.
    "scrape": [0, "", "", n16(0), b"GET /metrics HTTP/1.1\r\nHost: x\r\nAccept: */*\r\n\r\n"],
    "view_in_pieces": [0, "\0\0\0\1", "", n16(0),
                       b"GET /misc/scrawlbox/tracker.php?ACTION=VIEW HTTP/1.1\r\nHost: h\r\n\r\n"
                       b"body"],
    "endless_header": [0, "\2" * 20, "X-Fill: aaaaaaaaaaaa\r\n", n16(600), b"GET / HTTP/1.1\r\n"],
    "forwarded": [0, "\0\1", "", n16(0), b"GET / HTTP/1.1\r\nX-Forwarded-For: 6.6.6.6\r\n"
                  b"x-forwarded-for:\r\n ::ffff:10.1.2.3\r\n\r\n"],
    "no_request": [0, "", "", n16(0), b"\x16\x03\x01\x02\x00 hello\n"],
    "peers": [1, 3, 2, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 4, 1, 5, 0, 9, 0, 0, 1],
}, "web_entry": {
    # Allowed origins, piece sizes (each byte % 16 + 1), then a request head and the peer's frames.
    "login": ["", "\3\0\7", UPGRADE + b"Origin: http://room:2081\r\n\r\n"
              + masked(0x82, b"SCRAWLBOX_CL13NT\x02100001\x01") + masked(0x89, b"p")
              + masked(0x88, b"\x03\xe8bye")],
    "fragments": ["*", "", UPGRADE + b"\r\n" + masked(0x02, b"SA") + masked(0x89, b"")
                  + masked(0x80, b"Y\x02hi\x01") + masked(0x80, b"x")],
    "refused": ["http://a http://b", "\1", UPGRADE + b"Origin: http://c\r\n\r\n"
                + masked(0x81, b"text") + bytes([0x82, 0x7e, 0xff, 0xff])],
    "long_frame": ["", "\15" * 8, UPGRADE + b"\r\n" + masked(0x82, b"L" * 2000)],
}, "host_entry": {
    # Settings, then operations: 0 connect, 1 ROOM message, 2 raw bytes, 3 login, 4 peer closes,
    # 5 make a room (chance, name, password, public, address), 6 close a room, 7 time, 8 console.
    "made_and_joined": [0, 5, 9, "Friends", "", 0, 0, 0, 0, 1, 1, 0, 3, 0, 0, 0, 1, 2, 3, 0,
                        4, 0, 7, 200, 3],
    "unknown_and_none": [1, 0, 0, 1, 0, 0, "nosuchroom", 0, 1, 2, 0, "SCRAWLBOX", 3, 0, 7, 50, 2],
    "limits": [1, 5, 1, "a", "", 1, 0, 5, 1, "b", "", 0, 0, 5, 2, "c", "", 0, 1, 0, 0, 0, 1, 0,
               0, 2, 8, "rooms", 6, 0, "zz", 8, "quit"],
}}

for target, seeds in SEEDS.items():
    (ROOT / target).mkdir(parents=True, exist_ok=True)
    for seed, parts in seeds.items(): (ROOT / target / seed).write_bytes(enc(parts))
