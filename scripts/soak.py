#!/usr/bin/env python3
"""Soak rig for norvgpssim: runs the CLI at a high epoch rate with every sentence kind, a route
and every output at once, and checks what each reader gets.

Outputs and readers:
  stdout         read through a pipe
  --port         a pseudo-terminal made here; its master is read
  --pty LINK     the CLI's own pseudo-terminal, read by gpsd; gpspipe -w reports gpsd's fixes
  --tcp PORT     one client for the whole run, and clients that come and go (some reset the
                 connection with unread data, some never read)

Checks: every checksum is right; at each reader the epochs (GPZDA times) follow one another
with no gap and no repeat; gpsd reports a fix for every epoch from its first; the CLI's resident
memory after the first minute grows by less than 1 %; the CLI is alive at the end and exits 0
on SIGTERM. Prints the figures as JSON; exit status 1 when a check fails.
"""
import argparse
import datetime
import json
import os
import random
import re
import select
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time
import tty

ZDA = re.compile(rb"^\$GPZDA,(\d\d)(\d\d)(\d\d)\.(\d+),(\d\d),(\d\d),(\d{4}),")
EPOCH_START = datetime.datetime(1970, 1, 1)
ALL_KINDS = {"ZDA", "GGA", "GLL", "VTG", "RMC", "GSA", "GSV", "WPL", "RTE", "AAM"}


def checksum_ok(line):
    """line: b'$....*HH' without CR LF."""
    star = line.rfind(b"*")
    if not line.startswith(b"$") or star < 0 or len(line) != star + 3:
        return False
    value = 0
    for byte in line[1:star]:
        value ^= byte
    return line[star + 1:] == b"%02X" % value


def zda_ms(line):
    m = ZDA.match(line)
    if not m:
        return None
    hh, mi, ss, fraction, dd, mo, yyyy = m.groups()
    ms = int(fraction.ljust(3, b"0")[:3])
    day = datetime.datetime(int(yyyy), int(mo), int(dd)) - EPOCH_START
    return (day.days * 86400 + int(hh) * 3600 + int(mi) * 60 + int(ss)) * 1000 + ms


class EpochStream:
    """Splits a byte stream into sentences and follows the epochs by their GPZDA time."""

    def __init__(self, name, step_ms):
        self.name, self.step = name, step_ms
        self.pending = b""
        self.lines = self.bad = self.epochs = self.missed = self.repeated = self.backwards = 0
        self.last = None
        self.first_bad = None
        self.kinds = {}
        self.lock = threading.Lock()

    def feed(self, data):
        with self.lock:
            self.pending += data
            *complete, self.pending = self.pending.split(b"\r\n")
            for line in complete:
                self.line(line)

    def line(self, line):
        self.lines += 1
        if not checksum_ok(line):
            self.bad += 1
            self.first_bad = self.first_bad or line[:120].decode("latin-1")
            return
        kind = line[3:6].decode("latin-1")
        self.kinds[kind] = self.kinds.get(kind, 0) + 1
        t = zda_ms(line)
        if t is None:
            return
        self.epochs += 1
        if self.last is not None:
            d = t - self.last
            if d == 0:
                self.repeated += 1
            elif d < 0:
                self.backwards += 1
            elif d > self.step:
                self.missed += d // self.step - 1
        self.last = t

    def ok(self):
        return self.bad == self.missed == self.repeated == self.backwards == 0 and self.epochs > 0

    def figures(self):
        return {"epochs": self.epochs, "sentences": self.lines, "bad_checksums": self.bad,
                "missed": self.missed, "repeated": self.repeated, "backwards": self.backwards,
                "kinds": dict(sorted(self.kinds.items())),
                **({"first_bad": self.first_bad} if self.first_bad else {})}


def read_fd_until(fd, stream, stop):
    while not stop.is_set():
        ready, _, _ = select.select([fd], [], [], 0.2)
        if not ready:
            continue
        try:
            data = os.read(fd, 65536)
        except OSError:
            data = b""
        if not data:
            if stop.wait(0.05):
                break
            continue
        stream.feed(data)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(predicate, seconds, what):
    deadline = time.monotonic() + seconds
    while not predicate():
        if time.monotonic() > deadline:
            raise RuntimeError("timed out waiting for " + what)
        time.sleep(0.05)


def connect(port):
    s = socket.create_connection(("127.0.0.1", port), timeout=5)
    s.settimeout(None)
    return s


class TcpChurn:
    """Clients that connect, read for a while (or not at all) and leave, some by a reset."""

    def __init__(self, port, step_ms, seed):
        self.port, self.step = port, step_ms
        self.random = random.Random(seed)
        self.sessions = self.resets = self.silent = 0
        self.streams = []
        self.errors = []
        self.stopping = threading.Event()

    def run(self, stop):
        while not stop.is_set() and not self.stopping.is_set():
            try:
                self.session(stop)
            except OSError as e:
                self.errors.append(str(e))
            stop.wait(self.random.uniform(0.05, 0.5))

    def session(self, stop):
        s = connect(self.port)
        self.sessions += 1
        kind = self.random.random()
        length = self.random.uniform(0.1, 3.0)
        if kind < 0.2:  # connects and never reads
            self.silent += 1
            stop.wait(length)
        else:
            stream = EpochStream("tcp-session", self.step)
            self.streams.append(stream)
            deadline = time.monotonic() + length
            while time.monotonic() < deadline and not stop.is_set():
                ready, _, _ = select.select([s], [], [], 0.1)
                if ready:
                    data = s.recv(65536)
                    if not data:
                        break
                    stream.feed(data)
        if kind > 0.6:  # leave with a reset, unread data and all
            s.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            self.resets += 1
        s.close()

    def figures(self):
        total = EpochStream("tcp-sessions", self.step)
        for s in self.streams:
            for key in ("epochs", "lines", "bad", "missed", "repeated", "backwards"):
                setattr(total, key, getattr(total, key) + getattr(s, key))
            total.first_bad = total.first_bad or s.first_bad
        return total, {"sessions": self.sessions, "reset": self.resets, "never_read": self.silent,
                       "errors": self.errors[:5], **total.figures()}


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def write_scenario(root, directory):
    """The harbour route, repeated, at 40 knots, starting 0.08 nmi from its first waypoint so
    that the arrival alarm comes at once and then with every lap."""
    examples = os.path.join(root, "examples")
    text = open(os.path.join(examples, "harbour-route.ini")).read()
    text = text.replace("RouteEnd=stop", "RouteEnd=repeat").replace("Speed=8", "Speed=40")
    for key, value in (("Latitude_Minute", "45"), ("Latitude_Second", "50"),
                       ("Longitude_Minute", "5"), ("Longitude_Second", "50")):
        text = re.sub(r"(?m)^%s=.*$" % key, "%s=%s" % (key, value), text, count=1)
    for name in ("harbour-satellites.ini", "harbour-waypoints.ini", "harbour-route-outbound.ini"):
        text = text.replace("=" + name, "=" + os.path.join(examples, name))
    path = os.path.join(directory, "soak.ini")
    with open(path, "w") as f:
        f.write(text)
    return path


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--seconds", type=float, default=600)
    parser.add_argument("--rate", type=float, default=20)
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    args = parser.parse_args()
    step = int(round(1000 / args.rate))
    seed = random.randrange(1 << 32)
    work = tempfile.mkdtemp(prefix="norv-soak-")
    stop = threading.Event()
    procs, threads, result = [], [], {"seconds": args.seconds, "rate_hz": args.rate, "seed": seed}
    try:
        scenario = write_scenario(args.root, work)
        serial_master, serial_slave = os.openpty()
        tty.setraw(serial_slave)
        serial_path = os.ttyname(serial_slave)
        link = os.path.join(work, "gps0")
        tcp_port, gpsd_port = free_port(), free_port()

        cli = subprocess.Popen(
            [args.cli, "--scenario", scenario, "--rate", str(args.rate), "--stdout",
             "--port", serial_path, "--baud", "115200", "--pty", link, "--tcp", str(tcp_port),
             "--no-status"],
            stdout=subprocess.PIPE, stderr=open(os.path.join(work, "cli.log"), "w"))
        procs.append(cli)
        started = time.monotonic()
        streams = {"stdout": EpochStream("stdout", step), "serial": EpochStream("serial", step),
                   "tcp": EpochStream("tcp", step)}
        for fd, name in ((cli.stdout.fileno(), "stdout"), (serial_master, "serial")):
            threads.append(threading.Thread(target=read_fd_until, args=(fd, streams[name], stop)))
        wait_for(lambda: os.path.exists(link), 10, "the CLI's pseudo-terminal " + link)
        wait_for(lambda: cli.poll() is None and try_connect(tcp_port), 10, "the CLI's TCP port")

        gpsd_bin = shutil.which("gpsd") or "/usr/sbin/gpsd"
        gpsd = subprocess.Popen([gpsd_bin, "-N", "-n", "-b", "-S", str(gpsd_port),
                                 os.path.realpath(link)],
                                stdout=subprocess.DEVNULL,
                                stderr=open(os.path.join(work, "gpsd.log"), "w"))
        procs.append(gpsd)
        wait_for(lambda: try_connect(gpsd_port), 10, "gpsd")
        gpspipe = subprocess.Popen(["gpspipe", "-w", "localhost:%d" % gpsd_port],
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        procs.append(gpspipe)
        tpv_times = []
        threads.append(threading.Thread(target=read_gpsd, args=(gpspipe, tpv_times, stop)))

        tcp = connect(tcp_port)
        threads.append(threading.Thread(target=read_fd_until, args=(tcp.fileno(), streams["tcp"], stop)))
        churn = TcpChurn(tcp_port, step, seed)
        threads.append(threading.Thread(target=churn.run, args=(stop,)))
        for t in threads:
            t.start()

        rss = []
        while time.monotonic() - started < args.seconds and cli.poll() is None:
            time.sleep(1)
            rss.append((round(time.monotonic() - started), rss_kib(cli.pid)))

        alive = cli.poll() is None
        churn.stopping.set()  # no new clients while the CLI shuts down
        if alive:
            cli.send_signal(signal.SIGTERM)
        try:
            exit_code = cli.wait(timeout=15)
        except subprocess.TimeoutExpired:
            cli.kill()
            exit_code = "hung on SIGTERM"
        time.sleep(0.5)
        stop.set()
        for t in threads:
            t.join(timeout=10)
        tcp.close()

        result["cli_alive_at_end"] = alive
        result["cli_exit"] = exit_code
        for name, s in streams.items():
            result[name] = s.figures()
        churn_total, result["tcp_sessions"] = churn.figures()
        result["gpsd"] = gpsd_figures(tpv_times, step)
        result["rss_kib"] = rss_figures(rss)
        checks = {
            "cli ran to the end and exited 0": alive and exit_code == 0,
            "every reader: all epochs, none repeated, checksums right":
                all(s.ok() for s in streams.values()) and churn_total.bad == churn_total.missed
                == churn_total.repeated == churn_total.backwards == 0,
            "every sentence kind at the readers": all(
                set(s.kinds) >= ALL_KINDS for s in streams.values()),
            "epochs at the reader match the run": streams["stdout"].epochs
                >= int(args.seconds * args.rate) - 2 * args.rate,
            "gpsd reported every epoch": result["gpsd"]["missing"] == 0
                and result["gpsd"]["epochs"] > 0,
            "resident memory flat after the first minute": result["rss_kib"]["growth_percent"] is not None
                and result["rss_kib"]["growth_percent"] < 1.0,
        }
        result["checks"] = checks
        print(json.dumps(result, indent=2))
        if not all(checks.values()):
            print("soak: FAILED: " + ", ".join(k for k, v in checks.items() if not v), file=sys.stderr)
            print("soak: logs in " + work, file=sys.stderr)
            return 1
        shutil.rmtree(work, ignore_errors=True)
        return 0
    finally:
        stop.set()
        for p in reversed(procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()


def try_connect(port):
    try:
        socket.create_connection(("127.0.0.1", port), timeout=1).close()
        return True
    except OSError:
        return False


def read_gpsd(proc, times, stop):
    for raw in proc.stdout:
        if stop.is_set():
            break
        try:
            report = json.loads(raw)
        except ValueError:
            continue
        if report.get("class") == "TPV" and "time" in report:
            times.append(report["time"])


def gpsd_figures(times, step):
    def ms(text):
        stamp = datetime.datetime.strptime(text[:23], "%Y-%m-%dT%H:%M:%S.%f")
        return round((stamp - EPOCH_START).total_seconds() * 1000)

    seen = sorted({ms(t) for t in times})
    if not seen:
        return {"epochs": 0, "missing": None, "reports": 0}
    expected = (seen[-1] - seen[0]) // step + 1
    return {"epochs": len(seen), "missing": expected - len(seen), "reports": len(times),
            "first": times[0], "last": times[-1]}


def rss_figures(samples):
    after = [kib for t, kib in samples if t >= 60]
    if not after:
        return {"samples": len(samples), "growth_percent": None}
    base = after[0]
    return {"at_60s": base, "max_after_60s": max(after), "last": after[-1],
            "growth_percent": round((max(after) - base) * 100.0 / base, 3)}


if __name__ == "__main__":
    sys.exit(main())
