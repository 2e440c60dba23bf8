#!/usr/bin/python3
"""make bench: one run that times the program beside its anchors, measured in
the same run on the same machine, and writes one table to standard output and
to build/bench/report.md.

Each figure is the median of repeated runs with its spread (min-max). Wine
figures come from the build scripts/wine-arch chooses, under its Wine, on a
private Xvfb of the screen size of the row; the Windows programs run in a
benchmark prefix of their own (build/bench/prefix-ARCH).
"""

import os
import platform
import re
import resource
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
OUT = REPO / "build" / "bench"
WORK = OUT / "work"
RUNS = int(os.environ.get("RUNS", "11"))
# BENCH_ONLY=session (the sessions' rows) or wine-change (the wallpaper change
# under Wine) runs that part alone, for quick measurements while working.
ONLY = os.environ.get("BENCH_ONLY", "")
CACHE = Path(os.environ.get("VELMORA_CACHE", Path.home() / ".cache" / "velmora"))
DRIVER_KEY = r"HKCU\Software\Wine\X11 Driver"


def fail(message):
    sys.exit(f"bench: {message}")


def say(message):
    print(message, file=sys.stderr, flush=True)


class Figure:
    """Milliseconds (or megabytes) of repeated runs."""

    def __init__(self, median, low, high):
        self.median, self.low, self.high = median, low, high

    @classmethod
    def of(cls, values):
        return cls(statistics.median(values), min(values), max(values))

    @classmethod
    def parse(cls, fields):
        return cls(*map(float, fields))

    def __sub__(self, other):
        return Figure(self.median - other.median, self.low - other.median, self.high - other.median)

    def text(self, unit="ms"):
        digits = 3 if abs(self.median) < 1 else 1
        if self.low == self.high:
            return f"{self.median:.{digits}f} {unit}"
        return f"{self.median:.{digits}f} ({self.low:.{digits}f}–{self.high:.{digits}f}) {unit}"


def timed(command, runs=RUNS, env=None, cwd=None):
    """Wall milliseconds of `runs` runs of a process."""
    values = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        values.append((time.perf_counter() - start) * 1000)
    return Figure.of(values)


def children_cpu_ms():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (usage.ru_utime + usage.ru_stime) * 1000


def net_of_start(command, tiny_command, runs=RUNS, env=None):
    """A tool's time on a picture net of its own start and end: each run on
    the picture is paired with a run on an 8 x 8 one just before it, so a
    change of the machine's load during the row falls on both. Returns the
    differences and the whole runs; the differences carry the tool's CPU time
    net of its start as `cpu`, which waits in the start (and their overlap
    with the work) do not blur."""
    net, whole, cpu_big, cpu_tiny = [], [], [], []
    for _ in range(runs):
        before = children_cpu_ms()
        tiny = timed(tiny_command, runs=1, env=env).median
        middle = children_cpu_ms()
        big = timed(command, runs=1, env=env).median
        cpu_tiny.append(middle - before)
        cpu_big.append(children_cpu_ms() - middle)
        net.append(big - tiny)
        whole.append(big)
    figure = Figure.of(net)
    figure.cpu = statistics.median(cpu_big) - statistics.median(cpu_tiny)
    return figure, Figure.of(whole)


def parse_lines(text):
    """NAME median min max / NAME value lines of the benchmark programs."""
    figures = {}
    for line in text.splitlines():
        fields = line.split()
        if len(fields) == 4 and re.fullmatch(r"[a-z0-9-]+", fields[0]):
            figures[fields[0]] = Figure.parse(fields[1:])
        elif len(fields) == 2:
            figures[fields[0]] = fields[1]
    return figures


# --- the machine and the Wine --------------------------------------------------


def wine_arch():
    arch = subprocess.run([str(REPO / "scripts" / "wine-arch"), "Benchmarks"], stdin=subprocess.DEVNULL,
                          stdout=subprocess.PIPE, text=True).stdout.strip()
    if arch not in ("win32", "win64"):
        fail(f"no Windows build to run (scripts/wine-arch said {arch!r})")
    return arch


def machine():
    cpu = next((line.split(":", 1)[1].strip() for line in Path("/proc/cpuinfo").read_text().splitlines()
                if line.startswith("model name")), platform.processor())
    memory = next(int(line.split()[1]) // 1024 for line in Path("/proc/meminfo").read_text().splitlines()
                  if line.startswith("MemTotal"))
    wine = subprocess.run(["wine", "--version"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          text=True).stdout.strip()
    load = os.getloadavg()
    return (f"{cpu}, {os.cpu_count()} cores, {memory} MB; {platform.system()} {platform.release()}; {wine}; "
            f"load average at the start {load[0]:.1f}")


def x_server(argv, env=None):
    """An X server that picks a free display number; returns it and its name."""
    reader, writer = os.pipe()
    server = subprocess.Popen([argv[0], "-displayfd", str(writer), *argv[1:]], pass_fds=(writer,), env=env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(writer)
    with os.fdopen(reader) as numbers:
        number = numbers.readline().strip()
    if not number:
        fail(f"{argv[0]} did not start")
    return server, f":{number}"


class Display:
    """A private Xvfb of one screen size; with `heads`, monitors side by side
    (Xephyr's Xinerama heads on that Xvfb), each (width, height)."""

    def __init__(self, width, height, heads=None):
        self.size = (width, height)
        self.heads = heads
        self.xvfb, self.name = x_server(["Xvfb", "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"])
        self.xephyr = None
        if heads:
            argv, left = ["Xephyr", "+xinerama", "-no-host-grab", "-nolisten", "tcp"], 0
            for w, h in heads:
                argv += ["-origin", f"{left},0", "-screen", f"{w}x{h}+{left}+0"]
                left += w
            self.xephyr, self.name = x_server(argv, env={**os.environ, "DISPLAY": self.name})

    def stop(self):
        for server in (self.xephyr, self.xvfb):
            if server:
                server.terminate()
                server.wait(30)


class Wine:
    """The chosen build's Wine in the benchmark prefix, on one display."""

    def __init__(self, arch, display):
        self.arch = arch
        self.loader = "wine" if arch == "win32" else "/usr/lib/wine/wine64"
        self.env = {k: v for k, v in os.environ.items() if not k.startswith("WINE") and k != "DISPLAY"}
        self.env.update(WINEPREFIX=str(OUT / f"prefix-{arch}"), WINEDEBUG="-all", WINEARCH=arch,
                        WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=display.name)
        if arch == "win64":
            self.env["WINELOADER"] = self.loader
        # A server left from an earlier run would keep its display and screen size.
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        if (OUT / f"prefix-{arch}").exists():
            # Wine sees Xinerama's heads only without XRandR; the monitors are
            # read when the server starts, so it starts anew afterwards.
            change = (["add", DRIVER_KEY, "/v", "UseXRandR", "/d", "N", "/f"] if display.heads
                      else ["delete", DRIVER_KEY, "/v", "UseXRandR", "/f"])
            subprocess.run([self.loader, "reg", *change], env=self.env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        # wine-run boots the prefix once; a persistent server then keeps the
        # later starts warm, as a user's session is.
        subprocess.run([str(REPO / "scripts" / "wine-run"), "--arch", arch, str(self.exe("velmora_empty.exe"))],
                       env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, check=True)
        subprocess.run(["wineserver", "-p"], env=self.env)  # 2: already running
        self.command([str(self.exe("velmora_empty.exe"))])

    def exe(self, name):
        return REPO / "build" / self.arch / name

    def command(self, args, env=None, timeout=240):
        return subprocess.run([self.loader, *args], env=env or self.env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, timeout=timeout,
                              check=True).stdout

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env)
        subprocess.run(["wineserver", "-w"], env=self.env)


def winpath(path):
    return "Z:" + str(path).replace("/", "\\")


# --- the rows ------------------------------------------------------------------

SIZES = ((3840, 2160), (1920, 1080))


def make_files():
    files = {}
    for width, height in SIZES:
        folder = WORK / f"change-{width}x{height}"
        folder.mkdir(parents=True)
        subprocess.run([str(REPO / "build/native/bench/velmora_bench"), "make-files", str(folder), str(width),
                        str(height)], check=True, stdout=subprocess.DEVNULL)
        files[(width, height)] = folder
    return files


def imagemagick(folder):
    magick = shutil.which("convert-im6.q16") or shutil.which("convert")
    command = [magick, str(folder / "wallpaper.jpg"), "(", str(folder / "2.bmp"), "-transparent", "#4E61BC", ")",
               "-composite", f"BMP3:{folder / 'imagemagick.bmp'}"]
    return timed(command, runs=max(3, RUNS // 2))


def differing(a, b):
    compare = shutil.which("compare-im6.q16") or shutil.which("compare")
    result = subprocess.run([compare, "-metric", "AE", str(a), str(b), "null:"], stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True)
    return result.stdout.strip()


def native_change(folder):
    out = subprocess.run([str(REPO / "build/native/bench/velmora_bench"), "change", str(folder / "wallpaper.jpg"),
                          str(folder / "2.bmp"), str(folder), str(RUNS)], stdout=subprocess.PIPE, text=True,
                         check=True).stdout
    figures = parse_lines(out)
    velmora = figures["change"]
    velmora.cpu = float(figures["change-cpu"])
    djpeg = ["djpeg", "-bmp", "-outfile", str(folder / "djpeg.bmp")]
    djpeg_tiny = ["djpeg", "-bmp", "-outfile", str(folder / "djpeg-tiny.bmp")]
    # The process's own start and end, timed on an 8 x 8 picture, are taken off.
    net, big = net_of_start(djpeg + [str(folder / "wallpaper.jpg")], djpeg_tiny + [str(folder / "tiny.jpg")])
    return velmora, net, big


def native_fill():
    """A Fill change of a 24-megapixel photo to 1920 x 1080 and 3840 x 2160,
    beside djpeg decoding the same file at full size; and the floor of
    today's change, libjpeg-turbo's decode alone of a screen-sized picture."""
    folder = WORK / "fill"
    folder.mkdir(parents=True)
    bench = str(REPO / "build/native/bench/velmora_bench")
    subprocess.run([bench, "make-files", str(folder), "6000", "4000"], check=True, stdout=subprocess.DEVNULL)
    djpeg = ["djpeg", "-bmp", "-outfile", str(folder / "djpeg.bmp")]
    djpeg_tiny = ["djpeg", "-bmp", "-outfile", str(folder / "djpeg-tiny.bmp")]
    net, _ = net_of_start(djpeg + [str(folder / "wallpaper.jpg")], djpeg_tiny + [str(folder / "tiny.jpg")])
    fills = {}
    for width, height in ((1920, 1080), (3840, 2160)):
        figures = parse_lines(subprocess.run([bench, "fill", str(folder / "wallpaper.jpg"), str(folder), str(width),
                                              str(height), str(RUNS)], stdout=subprocess.PIPE, text=True,
                                             check=True).stdout)
        fills[(width, height)] = figures["fill"]
    return fills, net


def wine_change(wine, folder):
    out = folder / "win"
    out.mkdir()
    text = wine.command([str(wine.exe("velmora_bench.exe")), "change", winpath(folder / "wallpaper.jpg"),
                         winpath(folder / "2.bmp"), winpath(out), str(RUNS)])
    figures = parse_lines(text)
    velmora = figures["change"]
    velmora.cpu = float(figures["change-cpu"])
    velmora.split = {part: figures[f"change-{part}"] for part in ("decode", "compose", "write")
                     if f"change-{part}" in figures}
    djpeg_exe = CACHE / f"libjpeg-turbo-mingw{32 if wine.arch == 'win32' else 64}" / "bin" / "djpeg.exe"
    if not djpeg_exe.is_file():
        fail(f"{djpeg_exe} is missing: remove {djpeg_exe.parent.parent} and run make deps")
    djpeg = [wine.loader, str(djpeg_exe), "-bmp", "-outfile", winpath(out / "djpeg.bmp")]
    # The start runs write a file of their own: under load Wine may still hold
    # the last run's output when the next run opens it.
    djpeg_tiny = [wine.loader, str(djpeg_exe), "-bmp", "-outfile", winpath(out / "djpeg-tiny.bmp")]
    # A Windows process's start under Wine varies by tens of milliseconds, so
    # the anchor takes three times the runs.
    net, big = net_of_start(djpeg + [winpath(folder / "wallpaper.jpg")], djpeg_tiny + [winpath(folder / "tiny.jpg")],
                            runs=3 * RUNS, env=wine.env)
    return velmora, net, big, out / "1.bmp"


def session(wine, display):
    xwd = timed(["xwd", "-root", "-silent", "-display", display.name, "-out", "/dev/null"], runs=15)
    figures = parse_lines(wine.command([str(wine.exe("velmora_session_bench.exe"))]))
    figures["xwd"] = xwd
    return figures


def wait_mark(path, deadline):
    while time.perf_counter() < deadline:
        if path.exists() and path.stat().st_size > 0:
            return True
        time.sleep(0.001)
    return False


def startup(wine):
    """Milliseconds from starting KVX.exe to its icon shown, and from starting
    the empty program to its first line, each in a fresh work directory."""
    results = {}
    for name, exe in (("kvx", wine.exe("KVX.exe")), ("empty", wine.exe("velmora_empty.exe"))):
        values = []
        for run in range(RUNS):
            folder = WORK / f"start-{name}-{run}"
            shutil.copytree(REPO / "resources" / "dist", folder)
            shutil.copy2(exe, folder / exe.name)
            mark = folder / "timing.log"
            env = dict(wine.env, VELMORA_TIMING=winpath(mark))
            start = time.perf_counter()
            program = subprocess.Popen([wine.loader, exe.name], cwd=folder, env=env, stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                       start_new_session=True)
            shown = wait_mark(mark, start + 60)
            values.append((time.perf_counter() - start) * 1000)
            if program.poll() is None:
                os.killpg(program.pid, signal.SIGKILL)
            program.wait(30)
            if not shown:
                fail(f"{exe.name} left no mark within 60 s")
        results[name] = Figure.of(values)
    return results


# --- the table -------------------------------------------------------------------


def ratio(value, anchor):
    return value.median / anchor.median if anchor.median > 0 else float("inf")


def met(ok):
    return "met" if ok else "**not met**"


def table(facts):
    arch, rows = facts["arch"], []

    def row(what, velmora, anchor_name, anchor, ratio_text, target):
        rows.append(f"| {what} | {velmora} | {anchor_name} | {anchor} | {ratio_text} | {target} |")

    def cpu_row(velmora, djpeg, tool):
        r = velmora.cpu / djpeg.cpu if djpeg.cpu > 0 else float("inf")
        row("  CPU time", f"{velmora.cpu:.1f} ms (mean of the runs)", f"`{tool}`'s CPU time, net of its start",
            f"{djpeg.cpu:.1f} ms (median of the runs)", f"{r:.2f} × {tool}", f"≤ 1.0 × {tool}: {met(r <= 1.0)}")

    for (width, height), (velmora, djpeg, djpeg_raw, magick, same) in facts["native"].items():
        r = ratio(velmora, djpeg)
        row(f"Wallpaper change {width} × {height}, native", velmora.text(), "`djpeg -bmp`, net of its start",
            djpeg.text() + f" (whole process {djpeg_raw.median:.1f})", f"{r:.2f} × djpeg",
            f"≤ 1.0 × djpeg: {met(r <= 1.0)}")
        cpu_row(velmora, djpeg, "djpeg")
        row(f"  the same beside ImageMagick", velmora.text(), "ImageMagick `convert`, whole process",
            magick.text(), f"{ratio(velmora, magick):.2f} × ImageMagick",
            f"pixels differing from ImageMagick's: {same}")
    if "fill" in facts:
        fills, djpeg = facts["fill"]
        for (width, height), fill in fills.items():
            r = ratio(fill, djpeg)
            target = f"≤ 0.5 × djpeg: {met(r <= 0.5)}" if (width, height) == (1920, 1080) else ""
            row(f"Fill change, 6000 × 4000 JPEG to {width} × {height}, native", fill.text(),
                "`djpeg -bmp` of the same file, full size, net of its start", djpeg.text(), f"{r:.2f} × djpeg",
                target)
    for (width, height), floor in facts.get("floor", {}).items():
        velmora = facts["native"][(width, height)][0]
        row(f"Wallpaper change {width} × {height} beside its floor", velmora.text(),
            "libjpeg-turbo's decode alone, into memory", floor.text(), f"{ratio(velmora, floor):.2f} × decode",
            "the ratio to bring down")
    for (width, height), (velmora, djpeg, djpeg_raw, same) in facts["wine"].items():
        r = ratio(velmora, djpeg)
        row(f"Wallpaper change {width} × {height}, {arch} build under Wine", velmora.text(),
            "`djpeg.exe -bmp` (same libjpeg-turbo build), net of its start", djpeg.text() +
            f" (whole process {djpeg_raw.median:.1f})", f"{r:.2f} × djpeg.exe",
            f"≤ 1.0 × djpeg.exe: {met(r <= 1.0)}; pixels differing from ImageMagick's: {same}")
        cpu_row(velmora, djpeg, "djpeg.exe")
        for part, name in (("decode", "the JPEG read and decoded"), ("compose", "the composition alone"),
                           ("write", "1.bmp packed and written alone")):
            if part in velmora.split:
                row(f"  {name}", velmora.split[part].text(), "", "",
                    f"{ratio(velmora.split[part], djpeg):.2f} × djpeg.exe", "")
    for (width, height), f in facts["session"].items():
        xwd, open_ = f["xwd"], f["open"]
        limit = 1.5 * xwd.median + 10
        if (width, height) != (3840, 2160):
            row(f"Opening a session {width} × {height}" + (f", {f['monitors']} monitors" if f["monitors"] != "1" else ""), open_.text(), "`xwd -root` of the same display",
                xwd.text(), f"{ratio(open_, xwd):.2f} × xwd", f"≤ 1.5 × xwd + 10 = {limit:.1f} ms: "
                f"{met(open_.median <= limit)}")
            for part, name in (("grab", "screen grab"), ("copies", "layer copies"), ("show", "showing"),
                               ("show-map", "showing: the window put on the screen"),
                               ("show-paint", "showing: its painting")):
                if part in f:
                    row(f"  {name}", f[part].text(), "", "", "", "")
    for (width, height), f in facts["session"].items():
        for tool, name in (("brush", "brush 100"), ("erase-all", "\"Erase all\" 100"),
                           ("erase-last", "\"Erase last\" 100"), ("line", "\"Line\" 100"),
                           ("arrow", "\"Arrow\" 100"), ("rectangle", "\"Rectangle\" 100"),
                           ("ellipse", "\"Ellipse\" 100"), ("highlighter", "\"Highlighter\" 100"),
                           ("number", "\"Number\" 100")):
            if f"{tool}-handled" not in f:
                continue
            handled, painted = f[f"{tool}-handled"], f[f"{tool}-painted"]
            row(f"Mouse move, {name}, {width} × {height}", handled.text() + " program time",
                "to the pixels painted", painted.text(), "", f"≤ 1 ms program time: {met(handled.median <= 1.0)}")
    for (width, height), f in facts["session"].items():
        row(f"\"Done\" {width} × {height}", f["writes"].text() + " two BMP writes", "wallpaper application",
            f["apply"].text(), "", "")
    for (width, height), f in facts["session"].items():
        floor = float(f["floor"])
        private = {phase: float(f[f"private-{phase}"]) for phase in ("start", "open", "end")}
        resident = {phase: float(f[f"resident-{phase}"]) for phase in ("start", "layers", "shown", "open", "end")}
        # The snapshots share the layers' memory until strokes reach it, so
        # the figure after drawing counts too.
        for phase, name in (("open", f"Memory at {width} × {height}, session open"),
                            ("end", "  after the mouse-move rows' strokes and \"Done\"")):
            row(name, f"{private[phase]:.1f} MB private", "eight layers", f"{floor:.1f} MB",
                f"layers + {private[phase] - floor:.1f} MB", f"≤ layers + 20 MB: {met(private[phase] - floor <= 20)}")
        row("  of which the undo history", f"{float(f['undo-end']):.1f} MB", "", "", "", "")
        row("  the process before any layer", f"{private['start']:.1f} MB private", "its working set",
            f"{resident['start']:.1f} MB (Wine's own pages)", "", "")
        row("  the working set, session open and after", f"{resident['open']:.1f} and {resident['end']:.1f} MB",
            "eight layers", f"{floor:.1f} MB", f"layers + {resident['open'] - floor:.1f} and "
            f"{resident['end'] - floor:.1f} MB", "Wine's own pages and window surface included")
        work_w, work_h = map(int, f["work"].split("x"))
        row("  what the first showing adds to it", f"{resident['shown'] - resident['layers']:.1f} MB",
            "the surface's picture", f"{4 * work_w * work_h / 2**20:.1f} MB (work area {work_w} × {work_h} × 4 bytes)",
            "", "")
    s = facts.get("startup")
    if s:
        row("Start-up to the icon shown", s["kvx"].text(), "an empty Windows program's start, same Wine",
            s["empty"].text(), f"+ {s['kvx'].median - s['empty'].median:.1f} ms", "")
    head = ["| What | Velmora | Anchor | Anchor's figure | Ratio | Target |", "|---|---|---|---|---|---|"]
    return "\n".join(head + rows)


def main():
    started = time.perf_counter()
    arch = wine_arch()
    needed = (REPO / "build/native/bench/velmora_bench",) if ONLY != "session" else ()
    for path in (*needed, REPO / f"build/{arch}/velmora_session_bench.exe",
                 REPO / f"build/{arch}/velmora_bench.exe", REPO / f"build/{arch}/KVX.exe"):
        if not path.exists():
            fail(f"{path} is missing (make build)")
    shutil.rmtree(WORK, ignore_errors=True)
    WORK.mkdir(parents=True)
    facts = {"arch": arch, "machine": machine(), "native": {}, "wine": {}, "session": {}}
    files = make_files() if ONLY != "session" else {}

    say("bench: the wallpaper change, native")
    for size, folder in files.items() if not ONLY else ():
        velmora, djpeg, djpeg_raw = native_change(folder)
        magick = imagemagick(folder)
        facts["native"][size] = (velmora, djpeg, djpeg_raw, magick,
                                 differing(folder / "1.bmp", folder / "imagemagick.bmp"))
    if not ONLY:
        say("bench: a Fill change of a 24-megapixel photo, native")
        facts["fill"] = native_fill()
        facts["floor"] = {}
        for size, folder in files.items():
            out = subprocess.run([str(REPO / "build/native/bench/velmora_bench"), "fill",
                                  str(folder / "wallpaper.jpg"), str(folder), str(size[0]), str(size[1]), str(RUNS)],
                                 stdout=subprocess.PIPE, text=True, check=True).stdout
            facts["floor"][size] = parse_lines(out)["decode-only"]

    # The last: two 4K monitors side by side.
    sizes = ((1920, 1080, None), (1280, 800, None), (3840, 2160, None), (7680, 2160, ((3840, 2160), (3840, 2160))))
    for width, height, heads in sizes if ONLY != "wine-change" else sizes[:1]:
        display = Display(width, height, heads)
        wine = None
        try:
            wine = Wine(arch, display)
            if (width, height) == (1920, 1080) and ONLY != "session":
                say(f"bench: the wallpaper change under {arch} Wine")
                for size, folder in files.items():
                    velmora, djpeg, djpeg_raw, bmp = wine_change(wine, folder)
                    # ImageMagick's picture is made by the native rows alone.
                    magick = folder / "imagemagick.bmp"
                    facts["wine"][size] = (velmora, djpeg, djpeg_raw,
                                           differing(bmp, magick) if magick.exists() else "not compared")
                if not ONLY:
                    say("bench: start-up")
                    facts["startup"] = startup(wine)
            if ONLY != "wine-change":
                say(f"bench: a session at {width} x {height}")
                facts["session"][(width, height)] = session(wine, display)
        finally:
            if wine:
                wine.stop()
            display.stop()

    facts["session"] = dict(sorted(facts["session"].items()))
    seconds = time.perf_counter() - started
    report = (f"Velmora benchmarks, one run ({seconds:.0f} s), the Windows rows by the {arch} build under "
              f"{'32' if arch == 'win32' else '64'}-bit Wine.\n\nMachine: {facts['machine']}.\n\n"
              f"{table(facts)}\n\nMedians of {RUNS} runs (15 for the session's steps, 300 mouse moves), the "
              "spread (min–max) in brackets.\n")
    OUT.mkdir(parents=True, exist_ok=True)
    (OUT / "report.md").write_text(report, encoding="utf-8")
    print(report)
    shutil.rmtree(WORK, ignore_errors=True)


if __name__ == "__main__":
    main()
