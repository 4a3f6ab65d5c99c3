#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""What a room costs a host of many rooms, measured against a real scrawlbox-server --rooms.

  host_rooms.py SERVER [--rooms 1000] [--players 4] [--seconds 60]
  host_rooms.py SERVER --draw LOADTEST [--rooms 100] [--players 4] [--rate 200] [--seconds 10]

Starts the host in a temporary Data folder and makes the rooms with POST /rooms. Idle: logs the
players into them over TCP (each names its room with ROOM, and answers every ping), then lets
them sit. Prints the host's resident memory with no room, with the rooms empty and with the
players in them, and its CPU while they sit idle (their pings are all it has to do).
With --draw: one scrawlbox-loadtest a room, all at once, each an artist drawing --rate strokes
a second to the room's other players; prints the spread of their p99 latencies, what was lost
and the host's CPU while they drew.
"""
import argparse
import json
import os
import resource
import selectors
import socket
import subprocess
import tempfile
import time
import urllib.request

END, SEP, FIELD = b"\x01", b"\x02", b"\x03"


def frame(command, data="-"):
    return command.encode() + SEP + data.encode("latin-1") + END


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def draw(args, pid, port, codes):
    runs = []
    start_cpu, start = cpu_seconds(pid), time.time()
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    for n, code in enumerate(codes):
        runs.append(subprocess.Popen(
            [args.draw, f"127.0.0.1:{port}/{code}", "--players", str(args.players), "--rate",
             str(args.rate), "--seconds", str(args.seconds), "--drain", "5", "--json",
             "--login-timeout", "60"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True))
    reports = []
    for run in runs:
        out, _ = run.communicate(timeout=args.seconds + 180)
        try:
            reports.append(json.loads(out))
        except ValueError:
            pass
    seconds = time.time() - start
    cpu = cpu_seconds(pid) - start_cpu
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    load_cpu = after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime
    p99 = sorted(r["p99_us"] for r in reports)
    lost = sum(r["lost"] for r in reports)
    delivered = sum(r["delivered"] for r in reports)
    if not p99:
        print("no load run reported")
        return
    print(f"{len(reports)} of {len(codes)} rooms drew, {args.players} players each at "
          f"{args.rate:.0f} strokes/s for {args.seconds:.0f} s: p99 median "
          f"{p99[len(p99) // 2] / 1000:.2f} ms, worst {p99[-1] / 1000:.2f} ms; {delivered} "
          f"strokes delivered, {lost} lost; host CPU {100 * cpu / seconds:.1f} % of a core over "
          f"{seconds:.0f} s (logins and drain included), {1e6 * cpu / max(1, delivered):.1f} us "
          f"a delivered stroke; the load tools {100 * load_cpu / seconds:.0f} % of a core")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("server")
    parser.add_argument("--rooms", type=int, default=1000)
    parser.add_argument("--players", type=int, default=4)
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--draw", metavar="LOADTEST")
    parser.add_argument("--rate", type=float, default=200)
    args = parser.parse_args()
    total = args.rooms * args.players
    resource.setrlimit(resource.RLIMIT_NOFILE, (total + 256, resource.getrlimit(resource.RLIMIT_NOFILE)[1]))

    data = tempfile.mkdtemp(prefix="host-rooms-")
    port, web = free_port(), free_port()
    with open(os.path.join(data, "Server.ini"), "w") as ini:
        ini.write(f"[Server Details]\nPort={port}\nMax Connections={total + 100}\n"
                  f"Max Connections Per Address={total + 100}\nFlood Burst=0\n"
                  f"[Host]\nMax Rooms={args.rooms}\nCreations Per Hour={args.rooms}\n")
    server = subprocess.Popen([args.server, "--headless", "--rooms", "--data-dir", data,
                               "--web-port", str(web)], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    try:
        time.sleep(1.5)
        base = rss_kib(server.pid)
        codes = []
        for n in range(args.rooms):
            request = urllib.request.Request(f"http://127.0.0.1:{web}/rooms", method="POST",
                                             data=json.dumps({"name": f"Room {n}"}).encode(),
                                             headers={"Content-Type": "application/json"})
            with urllib.request.urlopen(request) as answer:
                codes.append(json.load(answer)["code"])
        time.sleep(1)
        empty = rss_kib(server.pid)
        if args.draw:
            draw(args, server.pid, port, codes)
            return

        selector = selectors.DefaultSelector()
        pending = {}
        for n in range(total):
            sock = socket.create_connection(("127.0.0.1", port))
            sock.setblocking(False)
            login = (frame("ROOM", codes[n % args.rooms]) + frame("SCRAWLBOX_CL13NT", "101000") +
                     frame("USER", FIELD.decode().join([f"p{n}", "0", "-", "-", "-", "-", "-"])) +
                     frame("PASS", "<none>") + frame("ULISTREQ"))
            sock.sendall(login)
            pending[sock] = b""
            selector.register(sock, selectors.EVENT_READ)
        in_room = 0
        deadline = time.time() + 120
        seen = set()
        # Log in, then sit idle answering pings for the measured seconds.
        start_cpu = start = None
        while True:
            now = time.time()
            if start is None and (in_room == total or now > deadline):
                start, start_cpu = now, cpu_seconds(server.pid)
            if start is not None and now - start >= args.seconds:
                break
            for key, _ in selector.select(timeout=0.5):
                sock = key.fileobj
                chunk = sock.recv(65536)
                if not chunk:
                    selector.unregister(sock)
                    continue
                buffer = pending[sock] + chunk
                *messages, pending[sock] = buffer.split(END)
                for message in messages:
                    if message.startswith(b"PING"):
                        sock.sendall(frame("PONG"))
                    elif message.startswith(b"ULISTEND") and sock not in seen:
                        seen.add(sock)
                        in_room += 1
        idle_cpu = cpu_seconds(server.pid) - start_cpu
        full = rss_kib(server.pid)
        print(f"{args.rooms} rooms, {in_room} of {total} players in: resident "
              f"{base / 1024:.1f} MiB with no room, {empty / 1024:.1f} MiB empty "
              f"({(empty - base) / args.rooms:.1f} KiB a room), {full / 1024:.1f} MiB with players "
              f"({(full - base) / args.rooms:.1f} KiB a room with its {args.players}); idle CPU "
              f"{100 * idle_cpu / args.seconds:.2f} % of a core over {args.seconds:.0f} s")
    finally:
        server.terminate()
        server.wait(timeout=30)


if __name__ == "__main__":
    main()
