#!/usr/bin/env python3
"""What long stitches cost the X11 saver with its picture on the X server (drawn through tiles
read back from a pixmap) against the picture in memory, side by side: the same design, seed and
ticks on a private 1920x1080 Xvfb of depth 24 (the picture on the server) and of depth 16 (in
memory). The design is a zig-zag of STITCHES diagonal stitches of the longest step (127 units),
drawn at 500 % (635 pixels each way) as fast as the saver goes (DrawSpeed 1, DrawStep 3). Reports
the CPU time of the saver and of the X server from the saver's start until it has drawn them.

usage: bench/x11_tile_bench.py [STITCHES [SAVER [FLAG...]]]
       (400; build/native/drivers/x11/saver/vireluna-saver; flags such as --look thread go to the saver)
Figures only: it never fails on timing."""
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time

WIDTH, HEIGHT = 1920, 1080
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LONGEST_STEP = 127
STITCHES_PER_TICK = 5  # DrawStep 3
IDLE_SECONDS = 1.5  # the saver's CPU time unchanged this long: its ticks are over
DEADLINE_SECONDS = 300


def write_zigzag(path, stitches):
    """A design file: the header, one thread, the stitch pairs and the end code."""
    colour_list = 116
    header = bytearray(colour_list)
    struct.pack_into("<i", header, 0, colour_list + 4)  # where the stitches begin
    struct.pack_into("<i", header, 24, 1)  # colours
    struct.pack_into("<i", header, 28, stitches)
    pairs = bytearray()
    for i in range(stitches):
        # Out and back along the diagonal, drifting to and fro by 2 units a pair.
        drift = 2 if (i // 2) % 20 < 10 else 0
        if i % 2 == 0:
            dx, dy = LONGEST_STEP, LONGEST_STEP - 2 + drift
        else:
            dx, dy = -LONGEST_STEP, -LONGEST_STEP + drift
        pairs += bytes((dx & 0xFF, dy & 0xFF))
    with open(path, "wb") as design:
        design.write(header + struct.pack("<i", 1) + pairs + bytes((0x80, 0x10)))


def process_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def start_xvfb(depth):
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{WIDTH}x{HEIGHT}x{depth}",
         "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    return server, ":" + number


def measure(saver, flags, design, stitches, depth):
    """(saver CPU s, server CPU s, wall s) for drawing the design on a screen of this depth."""
    server, display = start_xvfb(depth)
    try:
        profile = tempfile.mkdtemp(prefix="vireluna-bench-")
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=profile, XSCREENSAVER_WINDOW="")
        ticks = -(-stitches // STITCHES_PER_TICK) + 2  # the notice and emblem come first
        server_before = process_seconds(server.pid)
        started = time.monotonic()
        process = subprocess.Popen(
            [saver, "--root", "--seed", "1", "--ticks", str(ticks), "--reduction", "500",
             "--draw-speed", "1", "--draw-step", "3", *flags, design], env=env,
            stderr=subprocess.DEVNULL)
        last, last_change = -1.0, time.monotonic()
        while time.monotonic() - started < DEADLINE_SECONDS:
            time.sleep(0.1)
            now = process_seconds(process.pid)
            if now != last:
                last, last_change = now, time.monotonic()
            elif time.monotonic() - last_change > IDLE_SECONDS:
                break
        wall = last_change - started
        saver_cpu = process_seconds(process.pid)
        server_cpu = process_seconds(server.pid) - server_before
        process.send_signal(signal.SIGTERM)
        process.wait(timeout=10)
    finally:
        server.terminate()
        server.wait()
    return saver_cpu, server_cpu, wall


def main():
    stitches = int(sys.argv[1]) if len(sys.argv) > 1 else 400
    saver = sys.argv[2] if len(sys.argv) > 2 else f"{ROOT}/build/native/drivers/x11/saver/vireluna-saver"
    flags = sys.argv[3:]
    with tempfile.TemporaryDirectory(prefix="vireluna-tiles-") as folder:
        design = os.path.join(folder, "zigzag.pxs")
        write_zigzag(design, stitches)
        results = {depth: measure(saver, flags, design, stitches, depth) for depth in (16, 24)}
    print(f"{stitches} diagonal stitches of 635 x 635 pixels, {WIDTH}x{HEIGHT}, "
          f"DrawSpeed 1, DrawStep 3 {' '.join(flags)} ({saver})")
    print(f"  {'picture':<28}{'saver CPU':>10}{'server CPU':>12}{'together':>10}{'wall':>8}")
    for depth, name in ((16, "in memory (depth 16)"), (24, "on the server (depth 24)")):
        saver_cpu, server_cpu, wall = results[depth]
        print(f"  {name:<28}{saver_cpu:>9.2f}s{server_cpu:>11.2f}s"
              f"{saver_cpu + server_cpu:>9.2f}s{wall:>7.1f}s")
    memory = sum(results[16][:2])
    if memory > 0:
        print(f"  on the server / in memory: {sum(results[24][:2]) / memory:.2f}")


main()
