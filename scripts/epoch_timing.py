#!/usr/bin/env python3
"""When does each epoch reach the line? For the CLI at 1 Hz on a pseudo-terminal, the delay from
every whole second of the system clock to the first byte of that second's epoch at the master
side, beside the same for a minimal Python loop that sleeps to the boundary and writes the same
text. Prints the median and the 99th percentile (nearest rank) of each.

Usage: scripts/epoch_timing.py [--cli build/bin/norvgpssim] [--epochs 60] [--baud 115200]

The reader is this script, so its own wake-up after the bytes arrive is in both figures alike.
"""
import argparse
import math
import os
import select
import statistics
import subprocess
import sys
import time
import tty

# Bytes that arrive within this long of the previous ones belong to the same epoch.
EPOCH_GAP_NS = 200_000_000

PYTHON_LOOP = r"""
import os, sys, time
fd = os.open(sys.argv[1], os.O_WRONLY | os.O_NOCTTY)
text = open(sys.argv[2], "rb").read()
for _ in range(int(sys.argv[3])):
    time.sleep(math.floor(time.time()) + 1 - time.time())
    os.write(fd, text)
"""


def open_pty():
    master, slave = os.openpty()
    tty.setraw(slave)
    return master, slave, os.ttyname(slave)


def first_byte_delays(master, epochs, proc):
    """Delay in ms from the whole second before each epoch's first byte to that byte."""
    delays, last = [], 0
    while len(delays) < epochs:
        ready, _, _ = select.select([master], [], [], 5.0)
        if not ready:
            if proc.poll() is not None:
                break
            continue
        now = time.time_ns()
        if not os.read(master, 65536):
            break
        if now - last > EPOCH_GAP_NS:
            delays.append((now % 1_000_000_000) / 1e6)
        last = now
    return delays


def measure(command, master, epochs):
    proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        delays = first_byte_delays(master, epochs, proc)
    finally:
        proc.wait(timeout=30)
    if len(delays) < epochs:
        sys.exit(f"{command[0]}: {len(delays)} epochs of {epochs}: {proc.stderr.read().decode()}")
    return delays


def summary(delays):
    ordered = sorted(delays)
    p99 = ordered[math.ceil(0.99 * len(ordered)) - 1]
    return statistics.median(ordered), p99, ordered[0], ordered[-1]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", default=os.path.join(here, "..", "build", "bin", "norvgpssim"))
    parser.add_argument("--epochs", type=int, default=60)
    parser.add_argument("--baud", type=int, default=115200)
    args = parser.parse_args()

    text = subprocess.run([args.cli, "--deterministic", "--count", "1", "--no-status"],
                          check=True, capture_output=True).stdout
    text_file = os.path.join(os.environ.get("TMPDIR", "/tmp"), f"epoch_timing_{os.getpid()}.nmea")
    with open(text_file, "wb") as f:
        f.write(text)

    results = {}
    try:
        master, slave, path = open_pty()
        results["norvgpssim"] = measure(
            [args.cli, "--port", path, "--baud", str(args.baud), "--count", str(args.epochs),
             "--no-status"], master, args.epochs)
        os.close(master)
        os.close(slave)
        master, slave, path = open_pty()
        results["python loop"] = measure(
            [sys.executable, "-c", "import math\n" + PYTHON_LOOP, path, text_file,
             str(args.epochs)], master, args.epochs)
        os.close(master)
        os.close(slave)
    finally:
        os.remove(text_file)

    print(f"{args.epochs} epochs at 1 Hz, {len(text)} bytes each, first byte after the second")
    print(f"{'writer':<14}{'median ms':>10}{'p99 ms':>10}{'min ms':>10}{'max ms':>10}")
    for name, delays in results.items():
        median, p99, low, high = summary(delays)
        print(f"{name:<14}{median:>10.3f}{p99:>10.3f}{low:>10.3f}{high:>10.3f}")


if __name__ == "__main__":
    main()
