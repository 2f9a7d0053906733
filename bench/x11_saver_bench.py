#!/usr/bin/env python3
"""How much the X11 saver costs: runs `vireluna-saver --root` with the default settings on a
private 1920x1080 Xvfb and reports CPU (per cent of one core), peak resident memory, the time
from start to the first stitch on screen and the tick rate against the period.

usage: bench/x11_saver_bench.py [SECONDS] [SAVER [FLAG...]]
       (60 s; build/native/drivers/x11/saver/vireluna-saver; flags such as --look thread go to the saver)
Figures only: it never fails on timing."""
import ctypes
import os
import signal
import subprocess
import sys
import tempfile
import time

WIDTH, HEIGHT = 1920, 1080
NOTICE_TOP = 30  # the notice line, drawn with the first stitches, starts this far up
NOTICE_ROWS = 12
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{WIDTH}x{HEIGHT}x24",
         "-nolisten", "tcp", "-br"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    return server, ":" + number


class Strip:
    """Reads the rows of the notice line straight from the server."""

    def __init__(self, display_name):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.c_void_p
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                       ctypes.c_ulong, ctypes.c_int]
        self.libc = ctypes.CDLL("libc.so.6")
        self.libc.free.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(display_name.encode())
        self.root = self.x11.XDefaultRootWindow(self.display)

    def bytes(self):
        z_pixmap = 2
        image = self.x11.XGetImage(self.display, self.root, 0, HEIGHT - NOTICE_TOP, WIDTH,
                                   NOTICE_ROWS, 0xFFFFFF, z_pixmap)
        # XImage begins with four ints (width, height, xoffset, format), then its data.
        data = ctypes.c_void_p.from_address(image + 16).value
        pixels = ctypes.string_at(data, WIDTH * NOTICE_ROWS * 4)
        self.libc.free(data)
        self.libc.free(image)
        return pixels


def process_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def peak_resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 60.0
    saver = sys.argv[2] if len(sys.argv) > 2 else f"{ROOT}/build/native/drivers/x11/saver/vireluna-saver"
    flags = sys.argv[3:]
    server, display = start_xvfb()
    try:
        strip = Strip(display)
        blank = strip.bytes()
        profile = tempfile.mkdtemp(prefix="vireluna-bench-")  # the defaults
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=profile, XSCREENSAVER_WINDOW="")
        errors = tempfile.TemporaryFile(mode="w+")
        started = time.monotonic()
        process = subprocess.Popen([saver, "--root", "--stats", *flags], env=env, stderr=errors)
        first_stitch = None
        erased = None
        while time.monotonic() - started < 10:
            now_bytes = strip.bytes()
            if erased is None and now_bytes != blank:
                erased = now_bytes  # the first paint: the background
            elif erased is not None and now_bytes != erased:
                first_stitch = time.monotonic() - started
                break
        time.sleep(max(0.0, seconds - (time.monotonic() - started)))
        elapsed = time.monotonic() - started
        cpu = process_seconds(process.pid)
        peak = peak_resident_kib(process.pid)
        process.send_signal(signal.SIGTERM)
        status = process.wait(timeout=10)
        errors.seek(0)
        report = errors.read().strip()
    finally:
        server.terminate()
        server.wait()

    print(f"vireluna-saver --root {' '.join(flags) or '(defaults)'}, {WIDTH}x{HEIGHT} Xvfb, "
          f"{elapsed:.1f} s")
    print(f"  CPU:            {100 * cpu / elapsed:.2f} % of one core")
    print(f"  peak resident:  {peak / 1024:.1f} MiB")
    if first_stitch is None:
        print("  first stitch:   not seen within 10 s")
    else:
        print(f"  first stitch:   {1000 * first_stitch:.0f} ms after start")
    print(f"  ticks:          {report.removeprefix('vireluna-saver: ')}")
    print(f"  exit status:    {status}")


main()
