#!/usr/bin/python3
"""The web page of md2viewer in headless Chromium, beside the native viewer on a virtual display.

usage: web_viewer_test.py WEB_DIR NATIVE_VIEWER RUNTIME_DIR [EMPTY_WINDOW]

Checks that the page's default frame matches the native viewer's (both paused on key frame 0 of
animation 0 and saved with F12), that a model and skin written here and given to the page's file
input appear with their skin, that a number key changes the animation, and that a .pk3 and a .pak
given to it are browsed with N, and that Escape ends the viewer with the page saying so. The sound
example's page (sound.html) must load its effect and music and start both as Web Audio sources, and
say on one line each that it cannot decode a MIDI file or a damaged Ogg stream; the viewer's page
starts none. A PNG skin transparent in every pixel hides its model, and a checker-cut PNG skin
cuts it as on the desktop. Prints the download size and, with Chromium's frame-rate cap off, four
frame rates measured in alternated rounds of this one run: the page, a bare page that only clears a
1024x768 WebGL canvas, the native viewer and (given EMPTY_WINDOW, bench/viewer's program) an empty
native window that only clears and swaps; each viewer's ratio to its own limit (the medians of the
rounds), and the milliseconds a frame spends in the page's main-loop step.
"""
import base64
import os
import re
import socket
import struct
import subprocess
import sys
import tempfile
import time
import urllib.request
import zipfile
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

CHROMIUM_OPTIONS = ("--headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader "
                    "--disable-background-networking --disable-component-update --disable-sync "
                    "--no-first-run --window-size=1100,1200 "
                    # Uncapped, so that frame rates say what the page costs, not the display's 60 Hz.
                    "--disable-gpu-vsync --disable-frame-rate-limit "
                    # Sound without a key press first (a real browser waits for one).
                    "--autoplay-policy=no-user-gesture-required").split()
# The viewer's window, as the engine declares it.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../src/graphics/GraphicsCore.h")) as header:
    text = header.read()
    WIDTH, HEIGHT = (int(re.search(r"\b%s = (\d+)" % name, text).group(1))
                     for name in ("kDefaultWidth", "kDefaultHeight"))
# Rows below the frame rate line (the number differs) and right of the software pointer at (0, 0).
COMPARED = "%dx%d+0+40" % (WIDTH, HEIGHT - 40)
failures = []


def check(condition, message):
    print(("ok: " if condition else "FAILED: ") + message, flush=True)
    if not condition:
        failures.append(message)


def wait_for(what, predicate, timeout=60.0):
    end = time.time() + timeout
    while time.time() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.2)
    raise RuntimeError("timed out waiting for " + what)


def write_column(folder, skin_name="column_skin.tga", spread=False):
    """A square column 64 units tall with a red skin it names: animation 0 ("stand") stands on the
    ground, animation 1 ("jump") is lifted by half its height. The skin is 8x8; every corner takes
    its middle, or with `spread` each side shows the whole skin."""
    corners = [(x, y, z) for z in (0, 1) for y in (0, 1) for x in (0, 1)]
    faces = [(0, 1, 3), (0, 3, 2), (4, 6, 7), (4, 7, 5), (0, 4, 5), (0, 5, 1),
             (2, 3, 7), (2, 7, 6), (0, 2, 6), (0, 6, 4), (1, 5, 7), (1, 7, 3)]
    # Across a side (x, or y where x does not change) and up it (z), as s and t.
    sts = [(8 * (x if (x, y) not in ((0, 1), (1, 0)) else y), 8 * (1 - z)) for x, y, z in corners] \
        if spread else [(4, 4)]
    header_size, skin_size, st_size, tri_size = 68, 64, 4 * len(sts), 12
    frame_size = 40 + 4 * len(corners)
    frames = [("stand01", 0), ("stand02", 0), ("jump01", 32), ("jump02", 32)]
    ofs_skins = header_size
    ofs_st = ofs_skins + skin_size
    ofs_tris = ofs_st + st_size
    ofs_frames = ofs_tris + tri_size * len(faces)
    ofs_end = ofs_frames + frame_size * len(frames)
    data = struct.pack("<4s16i", b"IDP2", 8, 8, 8, frame_size, 1, len(corners), len(sts), len(faces), 0,
                       len(frames), ofs_skins, ofs_st, ofs_tris, ofs_frames, ofs_end, ofs_end)
    data += skin_name.encode().ljust(64, b"\0")
    for st in sts:
        data += struct.pack("<2h", *st)
    for face in faces:
        data += struct.pack("<6h", *face, *(face if spread else (0, 0, 0)))
    for name, lift in frames:
        # MD2 stores z up: x and y across, z along the column's height.
        data += struct.pack("<3f3f16s", 0.08, 0.08, 0.25, -10.0, -10.0, float(lift), name.encode())
        for x, y, z in corners:
            data += struct.pack("<4B", x * 250, y * 250, z * 255, 0)
    model = os.path.join(folder, "column.md2")
    with open(model, "wb") as f:
        f.write(data)
    skin = os.path.join(folder, skin_name)
    with open(skin, "wb") as f:
        # 8x8 uncompressed 24-bit TGA, every pixel pure red (stored blue, green, red).
        f.write(struct.pack("<3B2HB4H2B", 0, 0, 2, 0, 0, 0, 0, 0, 8, 8, 24, 0) + b"\x00\x00\xe0" * 64)
    return model, skin


def write_png(path, rows, kind="rgba"):
    """An 8-bit PNG of the rows (top row first) of (r, g, b, a) pixels, whose alpha is 0 or 255 but for
    "rgba": "rgba" with an alpha channel, "palette" indexed with the palette's alpha in a tRNS chunk,
    "keyed" true colour with every clear pixel in one colour that a tRNS chunk marks transparent."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    key = (0, 0, 224)
    colours = sorted(set(pixel for row in rows for pixel in row))
    extra, colour_type, pixel_bytes = b"", 6, lambda p: bytes(p)
    if kind == "palette":
        colour_type, pixel_bytes = 3, lambda p: bytes([colours.index(p)])
        extra = chunk(b"PLTE", b"".join(bytes(c[:3]) for c in colours)) + chunk(b"tRNS", bytes(c[3] for c in colours))
    elif kind == "keyed":
        colour_type, pixel_bytes = 2, lambda p: bytes(p[:3] if p[3] else key)
        extra = chunk(b"tRNS", struct.pack(">3H", *key))
    raw = b"".join(b"\0" + b"".join(pixel_bytes(pixel) for pixel in row) for row in rows)
    header = struct.pack(">2I5B", len(rows[0]), len(rows), 8, colour_type, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra + chunk(b"IDAT", zlib.compress(raw)) +
                chunk(b"IEND", b""))


def write_cutout_columns(folder):
    """Columns with PNG skins, each (model, skin): one red but transparent in every pixel, and a
    checker of opaque red and transparent squares of 4x4 pixels spread over each side, with an alpha
    channel, in an indexed PNG and in a keyed true-colour PNG."""
    columns = []
    clear, checker = (lambda x, y: 0), (lambda x, y: 255 * ((x // 4 + y // 4) % 2 == 0))
    for name, alpha, kind in (("clear", clear, "rgba"), ("checker", checker, "rgba"),
                              ("checker-palette", checker, "palette"), ("checker-keyed", checker, "keyed")):
        os.makedirs(os.path.join(folder, name))
        model, skin = write_column(os.path.join(folder, name), name + ".png", spread=name != "clear")
        write_png(skin, [[(224, 0, 0, alpha(x, y)) for x in range(8)] for y in range(8)], kind)
        columns.append((model, skin))
    return columns


def write_game(folder):
    """Two columns in folders of their own, the second with a green skin, as a deflated .pk3 and a
    .pak (a "PACK" header, the entries, a directory of 64-byte records)."""
    entries = []
    for name, colour in (("models/a", b"\x00\x00\xe0"), ("models/b", b"\x00\xe0\x00")):
        os.makedirs(os.path.join(folder, name))
        model, skin = write_column(os.path.join(folder, name))
        with open(skin, "r+b") as f:
            f.seek(18)
            f.write(colour * 64)
        for path in (model, skin):
            with open(path, "rb") as f:
                entries.append((name + "/" + os.path.basename(path), f.read()))
    pk3, pak = os.path.join(folder, "game.pk3"), os.path.join(folder, "game.pak")
    with zipfile.ZipFile(pk3, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in entries:
            archive.writestr(name, data)
    body, directory = b"", b""
    for name, data in entries:
        directory += struct.pack("<56sii", name.encode(), 12 + len(body), len(data))
        body += data
    with open(pak, "wb") as f:
        f.write(b"PACK" + struct.pack("<ii", 12 + len(body), len(directory)) + body + directory)
    return pk3, pak


def colour_pixels(png, channel):
    """How many pixels are strongly red (channel 0) or green (channel 1)."""
    text = subprocess.run(["convert", png, "-depth", "8", "txt:-"], capture_output=True, text=True,
                          check=True).stdout
    count = 0
    for m in re.finditer(r"^\d+,\d+: \((\d+),(\d+),(\d+)", text, re.M):
        rgb = [int(v) for v in m.groups()]
        count += rgb[channel] > 150 and all(rgb[c] < 60 for c in range(3) if c != channel)
    return count


def red_rows(png):
    """The pixel count and lowest row of strongly red pixels in a PNG (ImageMagick reads it)."""
    text = subprocess.run(["convert", png, "-depth", "8", "txt:-"], capture_output=True, text=True,
                          check=True).stdout
    count, lowest = 0, -1
    for m in re.finditer(r"^\d+,(\d+): \((\d+),(\d+),(\d+)", text, re.M):
        y, r, g, b = (int(v) for v in m.groups())
        if r > 150 and g < 60 and b < 60:
            count += 1
            lowest = max(lowest, y)
    return count, lowest


def differing_pixels(a, b, region=None):
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", "10%", "-extract", region or COMPARED, a, b,
                             "null:"], capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def caption_fps(window, seconds=4):
    """The mean of a native window's caption frame rate ("Current FPS: N"), one sample a second."""
    samples = []
    for _ in range(seconds):
        time.sleep(1)
        title = subprocess.run(["xdotool", "getwindowname", window], capture_output=True, text=True).stdout
        m = re.search(r"Current FPS: (\d+)", title)
        samples.append(int(m.group(1)) if m else 0)
    return sum(samples) / len(samples)


def empty_window_fps(binary):
    """The frame rate of a native window that only clears and swaps."""
    process = subprocess.Popen([binary], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = wait_for("the empty window", lambda: subprocess.run(
            ["xdotool", "search", "--name", "Empty Window"], capture_output=True, text=True).stdout.split())[0]
        time.sleep(1)
        return caption_fps(window)
    finally:
        process.terminate()
        process.wait(timeout=30)


# The bare page asks for the canvas the viewer's page gets (no antialiasing, no alpha, a depth buffer)
# and clears colour and depth, as the empty window does: WebGL's default canvas is antialiased, whose
# resolve every frame made the bare page half as fast and the page's ratio to it look better than it is.
BARE_PAGE = """<!doctype html><canvas id="c" width="1024" height="768"></canvas><script>
var gl = document.getElementById('c').getContext('webgl', {antialias: false, alpha: false, depth: true,
                                                           stencil: false}), framesShown = 0;
function frame() { gl.clearColor(0.1, 0.1, 0.1, 1); gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
                   framesShown++; requestAnimationFrame(frame); }
requestAnimationFrame(frame);
</script>"""


# Counts the Web Audio sources a page starts, installed before the page's own scripts run.
SOURCE_COUNTER = """window.sourcesStarted = 0;
var startSource = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function () { sourcesStarted++; return startSource.apply(this, arguments); };"""


def play_sounds(driver, url):
    """Opens the sound example's page and waits for the program to end: its log and the sources started."""
    driver.get(url)
    wait_for("the sound example to end", lambda: "has ended" in driver.find_element(By.ID, "state").text, 60)
    return driver.execute_script("return [document.getElementById('log').textContent, sourcesStarted]")


def check_sound_page(driver, base, web_dir):
    log, started = play_sounds(driver, base + "/sound.html")
    check("Loaded effect /sound/effect.wav" in log and "Loaded music /sound/music.ogg" in log and started == 2,
          "the sound page loads its WAV effect and Ogg music and starts both in Web Audio (%d sources)" % started)
    # A MIDI file is refused at its load; a damaged Ogg stream loads, and fails in the browser's decoder.
    with open(os.path.join(web_dir, "tune.mid"), "wb") as f:
        f.write(b"MThd\0\0\0\x06\0\0\0\x01\0\x60")
    with open(os.path.join(web_dir, "broken.ogg"), "wb") as f:
        f.write(b"OggS" + bytes(22) + b"\x01\x1e\x01vorbis" + bytes(200))
    log, started = play_sounds(driver, base + "/sound.html?effect=broken.ogg&music=tune.mid")
    said = [line for line in log.splitlines() if line.startswith("/fetched/")]
    check(said == ["/fetched/tune.mid: the browser cannot decode MIDI",
                   "/fetched/broken.ogg: the browser could not decode it"] and started == 0,
          "sounds the browser cannot decode are said once each: %s" % said)


def copy_page_file(driver, path, out):
    """Copies a file of the page's program's file system to `out`."""
    data = driver.execute_script(
        "var b = FS.readFile(arguments[0]), s = '';"
        "for (var i = 0; i < b.length; i += 8192) s += String.fromCharCode.apply(null, b.subarray(i, i + 8192));"
        "return btoa(s);", path)
    with open(out, "wb") as f:
        f.write(base64.b64decode(data))
    return out


def sphere_colours(png):
    """The mean colour of the middle of each of the shaders example's ten small spheres, one a program."""
    colours = []
    for i in range(10):
        crop = "30x30+%d+475" % (46 + 75 * i)
        text = subprocess.run(["convert", png, "-crop", crop, "-resize", "1x1!", "-depth", "8", "txt:-"],
                              capture_output=True, text=True, check=True).stdout
        colours.append([int(float(v)) for v in text.splitlines()[1].split("(")[1].split(")")[0].split(",")[:3]])
    return colours


def check_shaders_page(driver, base, work):
    """The shaders example's page on a held clock against the desktop's picture of the same frame
    (docs/examples/shaders.png, which the examples test keeps equal to the desktop's)."""
    driver.get(base + "/shaders.html?screenshot")
    wait_for("the shaders example's picture", lambda: driver.execute_script("return appEnded"), 120)
    page_png = copy_page_file(driver, "/shaders.png", os.path.join(work, "shaders-page.png"))
    desktop_png = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../docs/examples/shaders.png")
    page, desktop = sphere_colours(page_png), sphere_colours(desktop_png)
    apart = [max(abs(a - b) for a, b in zip(p, d)) for p, d in zip(page, desktop)]
    # Every sphere is drawn: none shows the example's background (0.15, 0.15, 0.18) through it.
    drawn = all(max(abs(c - b) for c, b in zip(colour, (38, 38, 46))) > 10 for colour in page)
    check(drawn and max(apart) <= 16,
          "each of the ten programs draws its sphere in the page in the desktop's colours (largest "
          "difference of a channel's mean, program by program: %s)" % apart)


class NativeViewer:
    """md2viewer in a window on the virtual display, driven with xdotool."""

    def __init__(self, binary, runtime, shots, args=()):
        # Started in the folder its screenshots go to; its data found as an installed program's.
        share = os.path.join(shots, "share")
        os.makedirs(share)
        os.symlink(runtime, os.path.join(share, "korvel"))
        self.process = subprocess.Popen([binary, "--window", *args], cwd=shots, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, env=dict(os.environ, XDG_DATA_DIRS=share))
        self.window = wait_for("the native window", lambda: subprocess.run(
            ["xdotool", "search", "--name", "Korvel Engine"], capture_output=True, text=True).stdout.split())[0]
        subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)

    def key(self, *names):
        for name in names:
            subprocess.run(["xdotool", "key", "--window", self.window, name], check=True)
            time.sleep(0.3)

    def fps(self):
        return caption_fps(self.window)

    def quit(self):
        self.key("Escape")
        self.process.wait(timeout=30)


class Page:
    def __init__(self, url, downloads):
        options = webdriver.ChromeOptions()
        for argument in CHROMIUM_OPTIONS:
            options.add_argument(argument)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": downloads})
        self.downloads = downloads
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": SOURCE_COUNTER})
        self.driver.get(url)
        wait_for("the first frames", lambda: self.frames() > 10, 120)

    def log(self):
        return self.driver.execute_script("return document.getElementById('log').textContent")

    def frames(self):
        return self.driver.execute_script("return framesShown")

    def rate(self, seconds=5):
        """Frames a second over `seconds`, and the milliseconds a frame spent in the main-loop step."""
        script = "return [framesShown, typeof stepMs === 'undefined' ? 0 : stepMs]"
        start, (frames, ms) = time.time(), self.driver.execute_script(script)
        time.sleep(seconds)
        end, (frames2, ms2) = time.time(), self.driver.execute_script(script)
        shown = max(1, frames2 - frames)
        return shown / (end - start), (ms2 - ms) / shown

    def webgl_calls(self, frames=10):
        """The WebGL calls of the next `frames` frames: how many a frame, the element counts of the
        indexed draws and of the others, and of the indexed draws whose fragment shader may discard."""
        self.driver.execute_script("""
            if (!window.seen) {
              var program = GLctx.getParameter(GLctx.CURRENT_PROGRAM);
              var attached = GLctx.getAttachedShaders.bind(GLctx), source = GLctx.getShaderSource.bind(GLctx);
              var discards = function (p) {
                return !!p && attached(p).some(function (s) { return /\\bdiscard\\b/.test(source(s)); });
              };
              for (var name in GLctx) if (typeof GLctx[name] === 'function') (function (name, call) {
                GLctx[name] = function () {
                  seen.calls++;
                  if (name === 'useProgram') program = arguments[0];
                  if (name === 'drawElements') {
                    seen.indexed.push(arguments[1]);
                    if (discards(program)) seen.discarding.push(arguments[1]);
                  }
                  if (name === 'drawArrays') seen.arrays.push(arguments[2]);
                  return call.apply(GLctx, arguments);
                };
              })(name, GLctx[name]);
            }
            window.seen = {calls: 0, indexed: [], arrays: [], discarding: [], from: framesShown};""")
        wait_for("frames", lambda: self.frames() >= self.driver.execute_script("return seen.from") + frames)
        seen = self.driver.execute_script(
            "return [seen.calls, framesShown - seen.from, seen.indexed, seen.arrays, seen.discarding]")
        return seen[0] / seen[1], seen[2], seen[3], seen[4]

    def key(self, *names):
        for name in names:
            self.driver.find_element(By.TAG_NAME, "body").send_keys(name)
            shown = self.frames()
            wait_for("frames after a key", lambda: self.frames() > shown + 3)

    def screenshot(self, out, downloaded=False):
        """Presses F12 and waits for the picture the viewer saves; the first one is taken from the
        page's download (a headless browser asks nobody whether a page may download more)."""
        before = self.log().count("Screenshot saved to")
        self.key("\ue03c")
        path = wait_for("the screenshot", lambda: self.log().count("Screenshot saved to") > before and
                        re.findall(r"Screenshot saved to (\S+)", self.log())[-1])
        if downloaded:
            name = os.path.join(self.downloads, os.path.basename(path))
            wait_for("the download of " + name, lambda: os.path.exists(name) and os.path.getsize(name) > 0)
            os.replace(name, out)
        else:
            copy_page_file(self.driver, path, out)
        return out

    def quit(self):
        self.driver.quit()


def median(values):
    return sorted(values)[len(values) // 2]


def frame_rate_rounds(page, viewers, bare_url, native_binary, runtime, empty_binary, work):
    """Frame rates with Chromium's cap off, in ROUNDS rounds (3 by default) of each viewer page
    (`viewers`: label and address), a bare WebGL page that only clears its canvas, the native viewer
    and (given its program) an empty native window that only clears and swaps, the order reversed
    every other round, each side idle while the other is measured. Prints every round and the medians
    of the ratios (each page to the bare page, the native viewer to the empty window); returns those
    medians, the native one last."""
    def on_page(url):
        page.driver.get(url)
        wait_for(url + "'s frames", lambda: page.frames() > 10, 120)
        time.sleep(1)
        rate = page.rate()[0]
        page.driver.get("about:blank")
        return rate

    def native_viewer():
        native = NativeViewer(native_binary, runtime, tempfile.mkdtemp(dir=work))
        time.sleep(2)
        rate = native.fps()
        native.quit()
        return rate

    measures = [(label, lambda url=url: on_page(url)) for label, url in viewers]
    measures += [("bare page", lambda: on_page(bare_url)), ("native viewer", native_viewer),
                 ("empty window", lambda: empty_window_fps(empty_binary) if empty_binary else 0)]
    ratios = [[] for _ in range(len(viewers) + 1)]
    for round_number in range(int(os.environ.get("ROUNDS", "3"))):
        rates = {}
        for name, measure in measures if round_number % 2 == 0 else reversed(measures):
            rates[name] = measure()
        for i, (label, _) in enumerate(viewers):
            ratios[i].append(rates[label] / rates["bare page"])
        ratios[-1].append(rates["native viewer"] / rates["empty window"] if rates["empty window"] else 0)
        print("frame rates, uncapped, round %d: %s; %s / bare page %s, native viewer / empty window %.2f" %
              (round_number + 1, ", ".join("%s %.1f fps" % (name, rates[name]) for name, _ in measures),
               ", ".join(label for label, _ in viewers), ", ".join("%.2f" % r[-1] for r in ratios[:-1]),
               ratios[-1][-1]))
    medians = [median(r) for r in ratios]
    print("median of %d alternated rounds: %s, native viewer / empty window %.2f" %
          (len(ratios[0]), ", ".join("%s / bare page %.2f" % (label, m) for (label, _), m in zip(viewers, medians)),
           medians[-1]))
    return medians


def serving(port):
    try:
        urllib.request.urlopen("http://127.0.0.1:%d/md2viewer.html" % port).close()
        return True
    except OSError:
        return False


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    web_dir, native_binary, runtime = (os.path.abspath(p) for p in sys.argv[1:4])
    empty_binary = os.path.abspath(sys.argv[4]) if len(sys.argv) > 4 else None
    work = tempfile.mkdtemp(prefix="korvel-web-")
    size = sum(os.path.getsize(os.path.join(web_dir, n)) for n in os.listdir(web_dir)
               if n.startswith("md2viewer."))
    print("download size: %.2f MB (page, program and data)" % (size / 1e6))

    native = NativeViewer(native_binary, runtime, work)
    time.sleep(3)
    native.key("space", "0")
    time.sleep(0.5)
    native.key("F12")
    native_shot = wait_for("the native screenshot", lambda: os.path.exists(os.path.join(work, "md2viewer-0001.png"))
                           and os.path.join(work, "md2viewer-0001.png"))
    time.sleep(0.5)
    native.quit()
    # The checker-skinned columns on the desktop, for the page's cut patterns to match.
    cutouts = write_cutout_columns(os.path.join(work, "png"))
    names = ("clear", "checker", "checker-palette", "checker-keyed")
    native_checkers = {}
    for name, (model, skin) in zip(names[1:], cutouts[1:]):
        shots = os.path.join(work, "native-" + name)
        os.mkdir(shots)
        native = NativeViewer(native_binary, runtime, shots, [model])
        time.sleep(2)
        native.key("F12")
        shot = os.path.join(shots, "md2viewer-0001.png")
        native_checkers[name] = wait_for("the native %s screenshot" % name, lambda: os.path.exists(shot) and shot)
        time.sleep(0.5)
        native.quit()
    native_checker = native_checkers["checker"]

    port = free_port()
    server = subprocess.Popen([sys.executable, "-m", "http.server", str(port), "--bind", "127.0.0.1"],
                              cwd=web_dir, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    page = None
    try:
        downloads = os.path.join(work, "downloads")
        os.mkdir(downloads)
        wait_for("the server", lambda: serving(port), 30)
        page = Page("http://127.0.0.1:%d/md2viewer.html" % port, downloads)
        web_fps, step_ms = page.rate()
        # The model goes to WebGL from buffers, all its triangles in one indexed draw, as on the desktop.
        with open(os.path.join(runtime, "Data/Models/MD2/tris.md2"), "rb") as f:
            indices = 3 * struct.unpack("<4s16i", f.read(68))[8]
        calls, indexed, arrays, discarding = page.webgl_calls()
        check(indices in indexed and max(arrays, default=0) < indices,
              "the model is drawn with one indexed call of its %d triangles' corners (indexed draws of %s, others "
              "of up to %d)" % (indices // 3, sorted(set(indexed)), max(arrays, default=0)))
        # A shader that may discard keeps SwiftShader from testing depth before shading.
        check(indices not in discarding, "the opaque model's fragment shader has no discard (indexed draws "
              "through one that has: %s)" % sorted(set(discarding)))

        page.key(" ", "0")
        web_shot = page.screenshot(os.path.join(work, "web-default.png"), downloaded=True)
        differing = differing_pixels(native_shot, web_shot)
        check(differing < WIDTH * (HEIGHT - 40) // 100,
              "the default frame matches the native one: %d pixels differ by more than 10%%" % differing)
        check("Korvel Engine version" in page.log() and "Loading MD2 file" in page.log(),
              "the log panel shows the viewer's start-up log")
        failed = [line for line in page.log().splitlines() if line.startswith("Failed to load")]
        check(not failed, "every file of the default scene loads (logo and pointer included): %s" % failed)
        # The lighting programs read GLSL's light built-ins, which the page gives them as uniforms.
        check("Loading Toon shader..." in page.log() and "Shader compile failed" not in page.log() and
              "Shader link failed" not in page.log() and "left out" not in page.log(),
              "all ten shader programs compile and link in the page")

        model, skin = write_column(work)
        page.driver.find_element(By.ID, "open-model").send_keys(model + "\n" + skin)
        wait_for("the model to open", lambda: page.log().count("Loading MD2 file") > 1, 30)
        standing = red_rows(page.screenshot(os.path.join(work, "web-column.png")))
        check(standing[0] > 5000, "the opened model shows with its red skin (%d red pixels)" % standing[0])
        page.key("1")
        time.sleep(0.5)
        lifted = red_rows(page.screenshot(os.path.join(work, "web-jump.png")))
        check(lifted[1] < standing[1] - 50,
              "key 1 lifts the column into its second animation (lowest red row %d, then %d)" %
              (standing[1], lifted[1]))

        # A cut-out skin: the same column in a 32-bit skin whose every pixel is transparent is not
        # drawn at all (the alpha test keeps no fragment), as on the desktop.
        cutout = os.path.join(work, "cutout")
        os.mkdir(cutout)
        model, skin = write_column(cutout)
        with open(skin, "wb") as f:
            f.write(struct.pack("<3B2HB4H2B", 0, 0, 2, 0, 0, 0, 0, 0, 8, 8, 32, 8) + b"\x00\x00\xe0\x00" * 64)
        loads = page.log().count("Loading MD2 file")
        page.driver.find_element(By.ID, "open-model").send_keys(model + "\n" + skin)
        wait_for("the cut-out model to open", lambda: page.log().count("Loading MD2 file") > loads, 30)
        hidden = red_rows(page.screenshot(os.path.join(work, "web-cutout.png")))[0]
        check(hidden < 100, "a transparent skin's column is cut out entirely (%d red pixels)" % hidden)

        # PNG cut-outs as on the desktop: a skin transparent in every pixel hides its column, and a
        # checker of opaque and clear squares cuts the column as the desktop cuts it.
        shots = {}
        for name, (model, skin) in zip(names, cutouts):
            loads = page.log().count("Loading MD2 file")
            page.driver.find_element(By.ID, "open-model").send_keys(model + "\n" + skin)
            wait_for("the %s column to open" % name, lambda: page.log().count("Loading MD2 file") > loads, 30)
            shots[name] = page.screenshot(os.path.join(work, "web-%s.png" % name))
        hidden = red_rows(shots["clear"])[0]
        check(hidden < 100, "a PNG skin transparent in every pixel hides its column (%d red pixels)" % hidden)
        red = (red_rows(native_checker)[0], red_rows(shots["checker"])[0])
        # The column and the grid around it; the panel beside them shows each side's own list state.
        differing = differing_pixels(native_checker, shots["checker"], "420x520+250+100")
        check(2000 < red[0] < standing[0] * 0.8 and differing < WIDTH * (HEIGHT - 40) // 100,
              "a PNG checker skin cuts the column as on the desktop: %d pixels differ by more than 10%% "
              "(red pixels: desktop %d, page %d, uncut column %d)" % (differing, red[0], red[1], standing[0]))
        # The same checker with its clear squares marked in an indexed PNG's palette, or by one colour
        # (blue: the colour of its clear texels, which filtering blends in at the cut edges).
        for name in names[2:]:
            differing = differing_pixels(native_checkers[name], shots[name], "420x520+250+100")
            check(red_rows(native_checkers[name])[0] < standing[0] * 0.8 and differing < WIDTH * (HEIGHT - 40) // 100,
                  "the %s PNG checker skin cuts the column as on the desktop: %d pixels differ by more than 10%%"
                  % (name[8:], differing))

        pk3, pak = write_game(os.path.join(work, "game"))
        for archive in (pk3, pak):
            shown = page.log().count("Showing model 1 of 2: models/a/column.md2")
            page.driver.find_element(By.ID, "open-model").send_keys(archive)
            wait_for("the archive to open", lambda: page.log().count("Showing model 1 of 2: models/a/column.md2") > shown, 30)
            first = colour_pixels(page.screenshot(os.path.join(work, "web-archive-1.png")), 0)
            stepped = page.log().count("Showing model 2 of 2: models/b/column.md2")
            page.key("n")
            wait_for("the next model", lambda: page.log().count("Showing model 2 of 2: models/b/column.md2") > stepped, 30)
            second = colour_pixels(page.screenshot(os.path.join(work, "web-archive-2.png")), 1)
            check(first > 5000 and second > 5000, "%s is browsed with N: %d red, then %d green pixels" %
                  (os.path.basename(archive), first, second))

        # The panel, from the same code as the desktop's: a press on the first model of the archive's
        # list opens it. Under the canvas, the keys of the viewer's own table, each with its help.
        shown = page.log().count("Showing model 1 of 2: models/a/column.md2")
        canvas = page.driver.find_element(By.ID, "canvas")
        ActionChains(page.driver).move_to_element(canvas).move_by_offset(800 - 512, 100 + 304 + 11 - 384) \
            .click().perform()
        wait_for("the model pressed in the panel", lambda: page.log().count(
            "Showing model 1 of 2: models/a/column.md2") > shown, 30)
        help_keys = subprocess.run([native_binary, "--help"], capture_output=True, text=True).stdout
        help_keys = [line.split()[0] for line in help_keys.split("\nKeys:\n")[1].splitlines() if line.strip()]
        listed = page.driver.execute_script(
            "return Array.from(document.querySelectorAll('#keys tr')).map(r => r.cells[0].textContent)")
        check([key.split()[0] for key in listed] == help_keys,
              "the page lists the viewer's %d keys under the canvas: %s" % (len(help_keys), listed))

        page.driver.find_element(By.TAG_NAME, "body").send_keys("\ue00c")
        ended = wait_for("the end of the viewer", lambda: page.driver.find_element(By.ID, "ended").is_displayed(), 30)
        check(ended and page.driver.find_element(By.ID, "ended").text ==
              "The viewer has ended. Reload the page to start it again.", "Escape ends the viewer and the page says so")
        log = page.log()
        check(page.driver.execute_script("return sourcesStarted") == 0, "the viewer's page plays no sound")
        check_sound_page(page.driver, "http://127.0.0.1:%d" % port, web_dir)
        check_shaders_page(page.driver, "http://127.0.0.1:%d" % port, work)
        with open(os.path.join(web_dir, "bare.html"), "w") as f:
            f.write(BARE_PAGE)
        base = "http://127.0.0.1:%d/" % port
        ratios = frame_rate_rounds(page, [("page", base + "md2viewer.html")], base + "bare.html", native_binary,
                                   runtime, empty_binary, work)
        print("  milliseconds a frame in the main-loop step: page %.2f ms; %.0f WebGL calls a frame in the page" %
              (step_ms, calls))
        if ratios[-1]:
            print("  the page's ratio is %.2f times the native one" % (ratios[0] / ratios[-1]))
        if failures:
            print("the page's log:\n" + log)
    finally:
        if page:
            page.quit()
        server.terminate()
    if failures:
        print("pictures kept in " + work)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
