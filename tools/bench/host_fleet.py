#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Several hosts of many rooms behind one directory, on this machine.

  host_fleet.py SERVER TRACKER [--hosts 3] [--instances 1] [--rooms 100] [--creations 300]
                [--parallel 8] [--public 10] [--postgres]

Starts the tracker (--instances of it on one PostgreSQL database with --postgres, run under
pg_virtualenv, else one on SQLite) and --hosts hosts (scrawlbox-server --rooms), the i-th with
room for i × --rooms rooms, each listed with the tracker by its console's submit. Then
--creations visitors, --parallel at a time, each ask an instance's /create where to go and make
a room there with POST /rooms, as the directory's page and the host's page do; one in --public
is public. Prints how long a visitor took, how the rooms spread over the hosts, and how long the
public rooms took to be listed.
"""
import argparse
import concurrent.futures
import json
import os
import socket
import subprocess
import tempfile
import threading
import time
import urllib.error
import urllib.parse
import urllib.request

TRACKER_PATH = "/misc/scrawlbox/tracker.php"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class NoRedirect(urllib.request.HTTPRedirectHandler):
    def redirect_request(self, *args, **kwargs):
        return None


opener = urllib.request.build_opener(NoRedirect)


def wait_for(check, seconds, what):
    deadline = time.time() + seconds
    while not check():
        if time.time() > deadline:
            raise SystemExit(f"{what} never happened")
        time.sleep(0.2)


def view(tracker_port):
    with urllib.request.urlopen(f"http://127.0.0.1:{tracker_port}{TRACKER_PATH}?ACTION=VIEW") as answer:
        return answer.read().decode("latin-1")


def database_url():
    # pg_virtualenv names its throwaway cluster in the environment; its host is a socket folder.
    host = urllib.parse.quote(os.environ.get("PGHOST", "127.0.0.1"), safe="")
    return (f"postgresql://{os.environ['PGUSER']}:{os.environ.get('PGPASSWORD', '')}@{host}:"
            f"{os.environ.get('PGPORT', '5432')}/{os.environ.get('PGDATABASE', 'postgres')}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("server")
    parser.add_argument("tracker")
    parser.add_argument("--hosts", type=int, default=3)
    parser.add_argument("--instances", type=int, default=1)
    parser.add_argument("--rooms", type=int, default=100)
    parser.add_argument("--creations", type=int, default=300)
    parser.add_argument("--parallel", type=int, default=8)
    parser.add_argument("--public", type=int, default=10)
    parser.add_argument("--postgres", action="store_true")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="host-fleet-")
    processes = []
    try:
        trackers = []
        for i in range(args.instances):
            port = free_port()
            data = os.path.join(work, f"tracker{i}")
            os.makedirs(data)
            command = [args.tracker, "--data-dir", data, "--port", str(port), "--instance", f"t{i}"]
            if args.postgres:
                command += ["--database", database_url()]
            processes.append(subprocess.Popen(command, stdout=subprocess.DEVNULL,
                                              stderr=subprocess.DEVNULL))
            trackers.append(port)
        time.sleep(1.5)

        hosts = []
        for i in range(args.hosts):
            data = os.path.join(work, f"host{i}")
            os.makedirs(data)
            port, web = free_port(), free_port()
            tracker = trackers[i % len(trackers)]
            with open(os.path.join(data, "Server.ini"), "w") as ini:
                ini.write(f"[Server Details]\nName=Host {i}\nPort={port}\nPing=60\n"
                          f"[Directory]\nTracker URL=http://127.0.0.1:{tracker}{TRACKER_PATH}\n"
                          f"[Host]\nMax Rooms={(i + 1) * args.rooms}\n"
                          f"Creations Per Hour={args.creations * 2}\nEmpty Room Minutes=60\n")
            host = subprocess.Popen([args.server, "--headless", "--rooms", "--data-dir", data,
                                     "--web-port", str(web)], stdin=subprocess.PIPE,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, text=True)
            processes.append(host)
            hosts.append({"web": web, "port": port, "made": 0, "process": host})
        time.sleep(1.5)
        for host in hosts:
            host["process"].stdin.write("submit\n")
            host["process"].stdin.flush()
        try:
            wait_for(lambda: all(f"PORT={h['port']}|" in view(trackers[0]) for h in hosts), 30,
                     "the hosts' listings")
        except SystemExit:
            print(view(trackers[0]))
            raise
        by_web = {f"http://127.0.0.1:{h['web']}/": h for h in hosts}

        lock = threading.Lock()
        made_public = []

        def visit(n):
            start = time.perf_counter()
            tracker = trackers[n % len(trackers)]
            try:
                opener.open(f"http://127.0.0.1:{tracker}/create")
                return None
            except urllib.error.HTTPError as redirect:
                if redirect.code != 303:
                    return ("refused", redirect.code, time.perf_counter() - start)
                location = redirect.headers["Location"].split("#")[0]
            public = args.public > 0 and n % args.public == 0
            request = urllib.request.Request(
                location + "rooms", method="POST",
                data=json.dumps({"name": f"Room {n}", "public": public}).encode(),
                headers={"Content-Type": "application/json"})
            try:
                with urllib.request.urlopen(request) as answer:
                    code = json.load(answer)["code"]
            except urllib.error.HTTPError as error:
                return ("full", error.code, time.perf_counter() - start)
            with lock:
                by_web[location]["made"] += 1
                if public:
                    made_public.append((code, time.perf_counter()))
            return ("made", location, time.perf_counter() - start)

        start = time.perf_counter()
        with concurrent.futures.ThreadPoolExecutor(args.parallel) as pool:
            outcomes = list(pool.map(visit, range(args.creations)))
        elapsed = time.perf_counter() - start
        made = sorted(o[2] for o in outcomes if o and o[0] == "made")
        refused = [o for o in outcomes if not o or o[0] != "made"]
        listed_at = time.perf_counter()
        wanted = {code for code, _ in made_public}
        wait_for(lambda: all(f"CODE={c}" in view(trackers[-1]) for c in wanted), 60,
                 "the public rooms' listings")
        listed = time.perf_counter() - listed_at

        def ms(q):
            return 1000 * made[min(len(made) - 1, int(q * len(made)))] if made else 0

        store = "PostgreSQL" if args.postgres else "SQLite"
        print(f"{args.hosts} hosts (room for {', '.join(str((i + 1) * args.rooms) for i in range(args.hosts))}), "
              f"{args.instances} tracker instance(s) on {store}: {len(made)} of {args.creations} "
              f"rooms made in {elapsed:.1f} s ({len(made) / elapsed:.0f} a second, {args.parallel} "
              f"at a time); a visitor's /create and POST /rooms took p50 {ms(0.5):.1f} ms, p99 "
              f"{ms(0.99):.1f} ms; {len(refused)} refused")
        print("rooms made per host: " + ", ".join(f"host {i} {h['made']}" for i, h in enumerate(hosts)))
        print(f"{len(wanted)} public rooms all listed by the last instance {listed:.1f} s after the "
              f"last was made")
    finally:
        for process in processes:
            process.terminate()
        for process in processes:
            try:
                process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                process.kill()


if __name__ == "__main__":
    main()
