#!/usr/bin/python3
"""The game in real browsers from Debian on the built site: headless Chromium, and for the
game and its table also Firefox ESR and WebKitGTK (devtools.py and webdriver.py drive them).

  browser_test.py play SITE SCREENSHOTS_TOOL [ENGINE]
                                               in chromium (the default), firefox or webkit:
                                               the page, the splash against the headless host's
                                               picture, story, PLAY!, keys, About, a whole game
                                               with a name, and the table after a reload; a
                                               second window following a save; a browser that
                                               refuses storage; two windows finishing together;
                                               the table to a file and back, and hostile files
  browser_test.py touch SITE WIDTH HEIGHT [game]
                                               a phone of that size (device scale 3), by
                                               touch alone: the fit, PLAY!, swipes, About by a
                                               long press; with "game" also a vehicle's caption
                                               and a whole game with a name typed on the
                                               phone's keyboard, kept after a reload
  browser_test.py app SITE                     the page as an app: installable, a screen kept
                                               awake in a round, a controller, Alt+Enter
                                               fullscreen, no game time lost while hidden, and
                                               offline play once visited
  browser_test.py picture SITE OUT.png         the page on a phone held sideways, playing,
                                               for the README
  browser_test.py soak SITE [MINUTES]          random input in headless Chromium (30 minutes
                                               by default); the WebAssembly memory and the
                                               JavaScript heap at the start and the end
  browser_test.py ticks SITE [SECONDS]         the tick intervals over 20 s of play
  browser_test.py measure SITE [SECONDS]       figures: file sizes, load to splash, the
                                               browser's CPU and the ticks while playing,
                                               on the desktop page and on a phone
"""

import base64
import json
import os
import statistics
import struct
import subprocess
import sys
import tempfile
import time
import urllib.request
import zlib

from devtools import Browser, browsing, serve, wait_for

SPLASH = "Grommelin Quibbert's Zandrofel V2.27"
MAIN = "Grommelin Quibbert's Zandrofel"
STORY = "The Story..."
ABOUT = "About"
NAME = "Quibbert's Hall of Fame"
TABLE = "                         H  I  G  H       S  C  O  R  E  S          "
QUESTION = "Quibbert needs you..."
NO_ANSWER = "Your a dork"
APP_BOX = "zandrofel"
LOSER = "G  A  M  E    O  V  E  R"
PLAY_BUTTON = (379, 213)  # client pixels of the splash's "PLAY!"
ABOUT_OK = (325, 261)
NAME_FIELD = (100, 70)  # inside the name dialog's edit field


def read_png(path):
    """Width, height and rows of (r, g, b) of an 8-bit RGB PNG."""
    data = open(path, "rb").read()
    at, chunks, width, height = 8, b"", 0, 0
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour == 2, "expected 8-bit RGB"
        elif kind == b"IDAT":
            chunks += body
        at += 12 + length
    raw, rows, previous, stride = zlib.decompress(chunks), [], bytearray(width * 3), width * 3
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 3] if i >= 3 else 0
            up, corner = previous[i], previous[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(line[x * 3:x * 3 + 3]) for x in range(width)])
        previous = line
    return width, height, rows


class Page:
    """The game's page in one browser, with the windows the web host lists."""

    def __init__(self, browser, url):
        self.browser, self.url = browser, url

    def load(self):
        started = time.monotonic()
        self.browser.open(self.url)
        wait_for(lambda: self.browser.evaluate(
            "typeof Module !== 'undefined' && !document.getElementById('play').disabled"),
            60, "the page to load")
        return time.monotonic() - started

    def play_button(self):
        """The centre of the page's "Click to play" button."""
        return self.browser.evaluate(
            "(() => { const r = document.getElementById('play').getBoundingClientRect();"
            " return [r.x + r.width / 2, r.y + r.height / 2]; })()")

    def start(self):
        self.browser.click(*self.play_button())

    def start_by_touch(self):
        """A tap on the page's button, then on the splash's "PLAY!"; the scene is drawn."""
        self.browser.tap(*self.play_button())
        self.await_window(SPLASH)
        self.tap_client(SPLASH, *PLAY_BUTTON)
        self.await_window(MAIN)
        self.await_gone(SPLASH)
        check_scene(self)

    def windows(self):
        return self.browser.evaluate("Module.zfWindows || []")

    def window(self, title):
        return next((w for w in self.windows() if w["title"] == title), None)

    def top(self):
        listed = self.windows()
        return listed[-1]["title"] if listed else None

    def await_window(self, title, seconds=20):
        return wait_for(lambda: self.window(title), seconds, "the window " + repr(title))

    def await_gone(self, title, seconds=20):
        wait_for(lambda: self.window(title) is None, seconds, repr(title) + " to close")

    def client_pixels(self, title, x=0, y=0, width=None, height=None):
        window = self.window(title)
        client = window["client"]
        return self.browser.canvas_pixels(client["x"] + x, client["y"] + y,
                                          width or client["width"], height or client["height"])

    def click_client(self, title, x, y, button="left"):
        client = self.window(title)["client"]
        scale = self.browser.evaluate(
            "canvas.getBoundingClientRect().width / canvas.width")
        origin = self.browser.evaluate(
            "(() => { const r = canvas.getBoundingClientRect(); return [r.x, r.y]; })()")
        self.browser.click(origin[0] + (client["x"] + x + 0.5) * scale,
                           origin[1] + (client["y"] + y + 0.5) * scale, button)

    def page_point(self, title, x, y):
        """Where a client pixel of a window is on the page, in CSS pixels (its centre)."""
        client = self.window(title)["client"]
        box = self.browser.evaluate(
            "(() => { const r = canvas.getBoundingClientRect();"
            " return [r.x, r.y, r.width / canvas.width]; })()")
        return (box[0] + (client["x"] + x + 0.5) * box[2],
                box[1] + (client["y"] + y + 0.5) * box[2])

    def tap_client(self, title, x, y):
        self.browser.tap(*self.page_point(title, x, y))

    def tap_ok(self, title):
        """The OK of a message box with one button: centred, 8 pixels above its bottom edge."""
        client = self.window(title)["client"]
        self.tap_client(title, client["width"] // 2, client["height"] - 21)

    def keyboard_up(self):
        return self.browser.evaluate("document.activeElement.id === 'keyboard'")

    def press(self, key):
        codes = {"Escape": 27, "Enter": 13, "ArrowUp": 38, "ArrowDown": 40, "ArrowLeft": 37,
                 "ArrowRight": 39}
        self.browser.key(key, key, codes[key], text="\r" if key == "Enter" else None)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def reference_splash(tool):
    folder = tempfile.mkdtemp(prefix="zf-reference-")
    subprocess.run([tool, folder], check=True, stdout=subprocess.DEVNULL)
    return read_png(os.path.join(folder, "splash.png"))


# What an engine cannot do here, said at the start of its run.
ENGINE_LIMITS = {
    "chromium": [],
    "firefox": ["sound: no sound device here, so a mock one (the start sound is counted, not heard)"],
    "webkit": ["the console: errors are read through a hook the test's server adds to the page",
               "storage across a browser restart: under automation it lives in memory"],
}
COMMON_LIMITS = ["a real file dialog and download: the file is handed to the page as the"
                 " dialog would, and the download's bytes taken as its link is clicked"]


def play_test(site, tool, engine):
    for limit in ENGINE_LIMITS[engine] + COMMON_LIMITS:
        print("%s cannot do %s" % (engine, limit))
    width, height, splash_rows = reference_splash(tool)
    with browsing(site, engine) as (browser, url):
        page = Page(browser, url)
        load_seconds = page.load()
        save_a_table_any_score_beats(browser)
        clicked = time.monotonic()
        page.start()

        page.await_window(SPLASH)
        splash = page.window(SPLASH)
        check((splash["client"]["width"], splash["client"]["height"]) == (width, height),
              "the splash's client area is %s, not %dx%d" % (splash["client"], width, height))
        wait_for(lambda: page.client_pixels(SPLASH) == splash_rows, 5,
                 "the splash to match the headless host's picture pixel for pixel")
        print("load %.2f s, click to splash %.2f s" % (load_seconds, time.monotonic() - clicked))
        check(browser.evaluate("Module.zfSoundsPlayed") >= 1, "no start sound")

        page.press("Escape")
        page.await_window(STORY)
        page.press("Escape")
        page.await_gone(STORY)
        check(page.top() == SPLASH, "the splash is not back on top after the story")

        page.click_client(SPLASH, *PLAY_BUTTON)
        page.await_window(MAIN)
        page.await_gone(SPLASH)
        main = page.window(MAIN)
        check((main["client"]["width"], main["client"]["height"]) == (788, 569),
              "the main window's client area is %s" % main["client"])
        check_scene(page)
        check_arrow_moves(page)
        check_about_while_moving(page)
        name = "Web Player"
        play_to_the_end(page, name)
        saved = browser.evaluate("Module.zfSavedFiles.writes")
        check(name in browser.evaluate("FS.readFile('/save/scores.txt', {encoding: 'utf8'})"),
              "the name is not in the saved table: %r" % stored_table(browser))

        page.load()  # a reload: the table comes back from the browser's storage
        table = browser.evaluate("FS.readFile('/save/scores.txt', {encoding: 'utf8'})")
        check(table.split("\r\n")[10] == name,
              "after a reload the table's first name is %r (written back %d times)" %
              (table.split("\r\n")[10:11], saved))
        check_a_second_window_reads_a_save_back(browser, url)
        check_refused_storage(browser, url)
        check_two_windows_finishing_together(browser, url)
        page.load()
        check_close_box_ends_the_game(page)
        check_table_files(page)
        errors = browser.errors()
        check(not errors, "console errors: %s" % errors)
    print("ok")


def save_a_table_any_score_beats(browser):
    """The tenth entry below any score, so that even a game without points asks for a name."""
    browser.evaluate("FS.writeFile('/save/scores.txt', '-1\\r\\n'.repeat(10) +"
                     " 'x\\r\\n'.repeat(9) + 'x')")


def check_scene(page):
    # Points of the scene that stand still (sky, the house's wall, grass, the verge), as the
    # headless host draws them.
    def colours():
        return [page.client_pixels(MAIN, x, y, 1, 1)[0][0] for x, y, _ in SCENE_POINTS]
    wanted = [colour for _, _, colour in SCENE_POINTS]
    wait_for(lambda: colours() == wanted, 5, "the scene's colours %s (seen %s)" % (wanted, colours()))


SCENE_POINTS = [(0, 0, (0x54, 0x96, 0xe2)), (240, 200, (0x30, 0x36, 0xa7)),
                (120, 280, (0x00, 0x80, 0x00)), (720, 280, (0x00, 0x80, 0x00)),
                (360, 300, (0x00, 0x00, 0x00))]


def check_arrow_moves(page):
    start = (369, 530, 50, 39)  # Quibbert's start, bottom centre
    before = page.client_pixels(MAIN, *start)
    page.press("ArrowUp")
    wait_for(lambda: page.client_pixels(MAIN, *start) != before, 3, "Up to move Quibbert")
    page.press("ArrowDown")
    wait_for(lambda: page.client_pixels(MAIN, *start) == before, 3, "Down to bring him back")


def check_about_while_moving(page):
    page.click_client(MAIN, 394, 100, "right")
    page.await_window(ABOUT)
    road = (0, 330, 788, 120)
    first = page.client_pixels(MAIN, *road)
    wait_for(lambda: page.client_pixels(MAIN, *road) != first, 3,
             "the road to move behind About")
    page.click_client(ABOUT, *ABOUT_OK)
    page.await_gone(ABOUT)


def store_table(browser, table):
    """Puts a table in the browser's storage as the page does: under the lock every window
    respects, kept once stored."""
    failed = browser.evaluate(
        "(() => { const s = Module.zfSavedFiles; return s.lock(3000).then(() =>"
        " s.readBack(s.folder).then(() => { FS.writeFile(s.folder + '/scores.txt', %s);"
        " return s.writeBack(); }).finally(s.unlock)); })()" % json.dumps(table))
    check(failed is None, "the table could not be stored: %s" % failed)


def stored_table(browser):
    return browser.evaluate("FS.readFile('/save/scores.txt', {encoding: 'utf8'})")


def check_a_second_window_reads_a_save_back(browser, url):
    # The game open twice: when one window saves, the other reads the table back.
    window = browser.new_window()
    try:
        Page(window, url).load()
        table = "\r\n".join(["7"] * 10 + ["Other Window"] * 10)
        store_table(browser, table)
        wait_for(lambda: stored_table(window) == table, 10,
                 "the second window to read the first one's save back")
    finally:
        window.close()


def start_game(page):
    page.start()
    page.await_window(SPLASH)
    page.click_client(SPLASH, *PLAY_BUTTON)
    page.await_window(MAIN)
    page.await_gone(SPLASH)


def check_refused_storage(browser, url):
    """A browser that refuses the page its storage: the start panel says so and why, the game
    plays, and at the game over a box tells that the table cannot be kept, before the table.
    The same box for storage that opens but is full."""
    page = Page(browser, url + "refused/")
    page.load()
    note = browser.evaluate("document.querySelector('#start .zf-storage-note').textContent")
    check("SecurityError" in note and "lost when the page closes" in note,
          "the start panel's note on refused storage: %r" % note)
    save_a_table_any_score_beats(browser)
    start_game(page)
    play_to_the_end(page, "No Storage", told=True)
    check("No Storage" in stored_table(browser), "the entry is not in the table of this page")
    check(browser.evaluate("Module.zfSavedFiles.writes") == 0, "something claims to be stored")
    check("SecurityError" in browser.evaluate("Module.zfSavedFiles.trouble"),
          "the browser's reason is not kept for the box")
    # Storage that reads but takes nothing (a full quota): the save is told as failed too.
    Page(browser, url).load()
    store_table(browser, BEATABLE)
    page = Page(browser, url + "full/")
    page.load()
    check(browser.evaluate("document.querySelector('#start .zf-storage-note').hidden"),
          "storage that opens is said to be refused")
    start_game(page)
    play_to_the_end(page, "Full Storage", told=True)
    check("QuotaExceededError" in browser.evaluate("Module.zfSavedFiles.trouble"),
          "the full storage's reason is not kept for the box")
    page = Page(browser, url)
    page.load()
    check("Full Storage" not in stored_table(browser), "a refused save was stored")


# The tenth entry below any score, so that even a game without points asks for a name.
BEATABLE = "\r\n".join(["-1"] * 10 + ["x"] * 10)


def check_two_windows_finishing_together(browser, url):
    """Two windows of the game at their name dialogs; both names entered at once: both kept."""
    pages = [Page(browser, url)]
    pages[0].load()
    store_table(browser, BEATABLE)
    window = browser.new_window()
    try:
        pages.append(Page(window, url))
        pages[1].load()
        names = ["Left Window", "Right Window"]
        for page in pages:
            start_game(page)
        for _ in range(60):
            if all([step_towards_the_name(page) for page in pages]):
                break
        for page, name in zip(pages, names):
            page.await_window(NAME, 5)
            page.click_client(NAME, *NAME_FIELD)
            page.browser.type_text(name)
        for page in pages:
            page.press("Enter")
        for page in pages:
            answer_no_to_another_game(page)
        table = stored_table(window)
        check(all(name in table for name in names), "not both names kept: %r" % table)
        pages[0].load()
        table = stored_table(browser)
        check(all(name in table for name in names), "not both names stored: %r" % table)
    finally:
        window.close()


# A table as the desktop game writes it: a 20-character name, a score line edited to hold
# letters, an empty tenth rank; CR LF line ends and none after the last line.
DESKTOP_TABLE = "\r\n".join(
    ["9100", "870", "eight hundred", "640", "520", "410", "300", "220", "110", ""] +
    ["Twenty Characters Ok", "Ann", "Bob", "  two spaces", "Quibbert", "Eve", "Dan", "Cy",
     "Al", ""]).encode("latin-1")
# Hostile files: nothing but trouble in lines, one endless line, and one byte more than any
# table (made in the page: the wire need not carry it).
HOSTILE_FILES = [
    ("binary", "Uint8Array.from({length: 4096}, (_, i) => [0, 26, 13, 10, 255, 65][i % 6] ^ (i & 7))"),
    ("one endless line", "new Uint8Array(2 << 20).fill(57)"),
    ("too large", "new Uint8Array(Module._zf_score_table_largest() + 1)"),
]


def choose_file(browser, panel, contents):
    """A file chosen in the panel's "Load a table from a file", as the file dialog gives it."""
    browser.evaluate(
        "(() => { const input = document.querySelector('%s .zf-load-table');"
        " const files = new DataTransfer(); files.items.add(new File([%s], 'scores.txt'));"
        " input.files = files.files; input.dispatchEvent(new Event('change')); })()"
        % (panel, contents))


def click_element(browser, selector):
    box = browser.evaluate(
        "(() => { const r = document.querySelector('%s').getBoundingClientRect();"
        " return [r.x + r.width / 2, r.y + r.height / 2]; })()" % selector)
    browser.click(*box)


def downloaded(browser, panel):
    """The bytes "Save the table to a file" downloads, taken as the link is clicked."""
    browser.evaluate(
        "window.zfDownloads = []; HTMLAnchorElement.prototype.click = function() {"
        " const link = this; fetch(link.href).then(r => r.arrayBuffer()).then(b =>"
        " zfDownloads.push([link.download, Array.from(new Uint8Array(b))])); }")
    click_element(browser, panel + " .zf-save-table")
    name, data = wait_for(lambda: (browser.evaluate("zfDownloads") or [None])[0], 10,
                          "the download")
    check(name == "scores.txt", "the download is named %r" % name)
    return bytes(data)


def chosen_table(browser):
    return wait_for(lambda: browser.evaluate(
        "document.getElementById('chosen-table').hidden ? null :"
        " [document.getElementById('chosen-said').textContent,"
        " document.getElementById('chosen-text').textContent,"
        " !document.getElementById('use-table').hidden]"), 10, "the table read from the file")


def check_table_files(page):
    """On the panel after the game: the desktop's table loaded, used and saved again is the
    same to the byte; hostile files are read or refused, never used unasked."""
    browser, panel = page.browser, "#ended"
    choose_file(browser, panel, "Uint8Array.from(%s)" % json.dumps(list(DESKTOP_TABLE)))
    said, text, offered = chosen_table(browser)
    check(offered and "Twenty Characters Ok" in text and "eight hundred" in text,
          "the table read from the file: %r %r" % (said, text))
    click_element(browser, "#use-table")
    wait_for(lambda: "now keeps" in browser.evaluate(
        "document.querySelector('%s .zf-table-said').textContent" % panel), 10, "the table used")
    check(stored_table(browser).encode("latin-1") == DESKTOP_TABLE, "the stored table differs")
    copy = downloaded(browser, panel)
    check(copy == DESKTOP_TABLE, "the file saved differs: %r" % copy)
    for kind, contents in HOSTILE_FILES:
        started = time.monotonic()
        choose_file(browser, panel, contents)
        said, text, offered = chosen_table(browser)
        check(offered == (kind != "too large"), "%s: offered %s (%s)" % (kind, offered, said))
        click_element(browser, "#keep-table")
        wait_for(lambda: browser.evaluate("document.getElementById('chosen-table').hidden"), 5,
                 "the hostile file's table to close")
        print("%s: read in %.2f s" % (kind, time.monotonic() - started))
    check(downloaded(browser, panel) == DESKTOP_TABLE, "a hostile file changed the table")


def check_close_box_ends_the_game(page):
    page.start()
    page.await_window(SPLASH)
    page.click_client(SPLASH, *PLAY_BUTTON)
    main = page.await_window(MAIN)
    scale = page.browser.evaluate("canvas.getBoundingClientRect().width / canvas.width")
    origin = page.browser.evaluate(
        "(() => { const r = canvas.getBoundingClientRect(); return [r.x, r.y]; })()")
    close_box = (main["x"] + main["width"] - 14, main["y"] + 12)  # 16 x 14, 6 in from the corner
    page.browser.click(origin[0] + close_box[0] * scale, origin[1] + close_box[1] * scale)
    wait_for(lambda: page.browser.evaluate("!document.getElementById('ended').hidden"), 10,
             "the page saying the game has ended")
    check(page.windows() == [], "windows left after the game ended: %s" % page.windows())


def step_towards_the_name(page):
    """Up into the road and the river until the round ends, a key to go on; True once the
    game asks for a name."""
    top = page.top()
    if top == NAME:
        return True
    if top in (APP_BOX, LOSER):
        page.press("Enter")
        time.sleep(0.2)
        return False
    for _ in range(5):
        page.press("ArrowUp")
    time.sleep(0.5)
    page.browser.type_text("a")
    time.sleep(0.3)
    return False


def answer_no_to_another_game(page):
    page.await_window(TABLE)
    page.press("Enter")
    page.await_window(QUESTION)
    page.browser.type_text("n")
    page.await_window(NO_ANSWER)
    page.press("Enter")
    page.await_gone(NO_ANSWER)


def play_to_the_end(page, name, told=False):
    """Each round to its end until the game ends; then the name, the table, "No" to another
    game. Told: a box before the table says the table could not be kept."""
    for _ in range(60):
        if step_towards_the_name(page):
            break
    page.await_window(NAME, 5)
    page.click_client(NAME, *NAME_FIELD)  # the dialog opens with OK, not the field, focused
    time.sleep(0.2)
    check(not page.keyboard_up(), "the hidden field took the focus from a mouse click")
    page.browser.type_text(name)
    page.press("Enter")
    if told:
        page.await_window(APP_BOX)
        check(page.window(TABLE) is None, "the table came before the box")
        page.press("Enter")
    answer_no_to_another_game(page)


def touch_test(site, width, height, whole_game):
    with browsing(site) as (browser, url):
        browser.emulate_phone(width, height)
        page = Page(browser, url)
        page.load()
        if whole_game:
            save_a_table_any_score_beats(browser)
        check_fills_the_screen(browser, width, height)
        # Mouse events the browser would make of touches: a tap would click twice.
        browser.evaluate("window.zfMouseDowns = 0; canvas.addEventListener('mousedown',"
                         " () => ++window.zfMouseDowns)")
        page.start_by_touch()
        check_swipes_step_once(page)
        page.browser.long_press(*page.page_point(MAIN, 394, 100))
        page.await_window(ABOUT, 5)
        page.tap_client(ABOUT, *ABOUT_OK)
        page.await_gone(ABOUT, 5)
        check(browser.evaluate("window.zfMouseDowns") == 0, "touches made mouse events")
        if whole_game:
            check_a_tap_on_the_bus(page)
            name = "Touch Player"
            play_to_the_end_by_touch(page, name)
            page.load()
            table = browser.evaluate("FS.readFile('/save/scores.txt', {encoding: 'utf8'})")
            check(table.split("\r\n")[10] == name,
                  "after a reload the table's first name is %r" % table.split("\r\n")[10:11])
        errors = browser.errors()
        check(not errors, "console errors: %s" % errors)
    print("ok")


def check_fills_the_screen(browser, width, height):
    """The canvas as large as fits, within the page, which does not scroll."""
    seen = browser.evaluate(
        "(() => { const r = canvas.getBoundingClientRect(), e = document.documentElement;"
        " return [innerWidth, innerHeight, r.left, r.top, r.width, r.height, e.scrollWidth,"
        " e.scrollHeight, !document.getElementById('turn').hidden]; })()")
    inner_w, inner_h, left, top, w, h, scroll_w, scroll_h, turn = seen
    check((inner_w, inner_h) == (width, height), "the page is %dx%d" % (inner_w, inner_h))
    check(scroll_w <= width and scroll_h <= height, "the page scrolls: %s" % seen)
    check(left >= 0 and top >= 0 and left + w <= width + 0.5 and top + h <= height + 0.5,
          "the canvas leaves the page: %s" % seen)
    check(abs(w * 3 - h * 4) < 1, "the canvas is not 4:3: %s" % seen)
    upright = height > width
    fills = abs(w - width) < 1 if upright else abs(h - height) < 1
    check(fills, "the canvas does not fill the page: %s" % seen)
    check(turn == upright, "the hint to turn the phone: %s" % seen)


def check_swipes_step_once(page):
    """Each swipe moves Quibbert as one press of its arrow key does: a key the other way puts
    him back exactly where he was. A cookie that comes or goes beside him meanwhile changes the
    picture too, so each direction has three tries; a swipe of no step or of two fails them all."""
    for arrow in ("ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight"):
        if not any(swipe_undone_by_one_key(page, arrow) for _ in range(3)):
            raise AssertionError("one key back does not undo the swipe " + arrow)


SWIPES = {"ArrowUp": ((0, -40), "ArrowDown"), "ArrowDown": ((0, 40), "ArrowUp"),
          "ArrowLeft": ((-40, 0), "ArrowRight"), "ArrowRight": ((40, 0), "ArrowLeft")}


def swipe_undone_by_one_key(page, arrow):
    # His start cell (405, 505) with the cell above, or with those beside it.
    area = (405, 480, 50, 75) if arrow in ("ArrowUp", "ArrowDown") else (380, 505, 100, 50)
    stroke, back = SWIPES[arrow]
    def settled():
        # A step draws him at once and clears his old place a moment later.
        last = page.client_pixels(MAIN, *area)
        for _ in range(40):
            time.sleep(0.05)
            now = page.client_pixels(MAIN, *area)
            if now == last:
                return now
            last = now
        raise AssertionError("the picture did not settle")
    try:
        before = settled()
        if arrow == "ArrowDown":  # he starts at the bottom: first a step up by key
            page.press("ArrowUp")
            wait_for(lambda: page.client_pixels(MAIN, *area) != before, 3, "a step up")
            before = settled()
        page.browser.swipe(*page.page_point(MAIN, 200, 250), *stroke)
        wait_for(lambda: page.client_pixels(MAIN, *area) != before, 3, "a swipe to move him")
        page.press(back)
        wait_for(lambda: page.client_pixels(MAIN, *area) == before, 3,
                 "one key back to undo the swipe")
        return True
    except AssertionError as failure:
        print("%s: %s" % (arrow, failure))
        return False
    finally:
        if arrow == "ArrowDown":
            page.press("ArrowDown")


def check_a_tap_on_the_bus(page):
    # The bus drives right along its lane; taps sweeping left cannot all miss it.
    box = "The BIG CHEESE"
    def tap_along_the_lane():
        for x in range(760, -1, -50):
            if page.window(box):
                return True
            page.tap_client(MAIN, x, 412)
        return page.window(box)
    wait_for(tap_along_the_lane, 15, "a tap on the bus to show its caption")
    page.tap_ok(box)
    page.await_gone(box, 5)


def play_to_the_end_by_touch(page, name):
    """Swipes up into the road and the river until each round ends, a tap to go on, until the
    game asks for a name; the name on the phone's keyboard."""
    for _ in range(60):
        top = page.top()
        if top == NAME:
            break
        if top != MAIN:  # a caption, or a round's end: one OK
            page.tap_ok(top)
            time.sleep(0.3)
            continue
        for _ in range(5):
            page.browser.swipe(*page.page_point(MAIN, 200, 250), 0, -40)
        time.sleep(0.5)
        page.tap_client(MAIN, 30, 30)  # the sky: goes on after a round
        time.sleep(0.3)
    page.await_window(NAME, 5)
    page.tap_client(NAME, *NAME_FIELD)
    wait_for(page.keyboard_up, 5, "the phone's keyboard for the name field")
    page.browser.insert_text(name + "z")
    page.browser.evaluate("document.execCommand('delete')")  # the keyboard's Backspace
    page.press("Enter")
    page.await_window(TABLE)
    wait_for(lambda: not page.keyboard_up(), 5, "the phone's keyboard to go with the dialog")
    wait_for(lambda: name in page.browser.evaluate(
        "FS.readFile('/save/scores.txt', {encoding: 'utf8'})"), 5, "the name in the table")


def phone_picture(site, out):
    with browsing(site) as (browser, url):
        browser.emulate_phone(844, 390)
        page = Page(browser, url)
        page.load()
        page.start_by_touch()
        for _ in range(2):
            browser.swipe(*page.page_point(MAIN, 200, 250), 0, -40)
            time.sleep(0.3)
        shot = browser.call("Page.captureScreenshot", format="png",
                            clip={"x": 0, "y": 0, "width": 844, "height": 390, "scale": 1})
        open(out, "wb").write(base64.b64decode(shot["data"]))


# Stand-ins the page cannot tell from the browser's own: a screen wake lock that counts what it
# is asked, and controllers the test holds (navigator.getGamepads).
STAND_INS = """
window.zfWakeLocks = {asked: 0, released: 0};
Object.defineProperty(navigator, 'wakeLock', {value: {request: function() {
  zfWakeLocks.asked++;
  return Promise.resolve({release: function() { zfWakeLocks.released++; return Promise.resolve(); }});
}}});
window.zfTestPads = [];
navigator.getGamepads = function() { return window.zfTestPads; };
window.zfPlugPad = function(buttons) {
  const pressed = new Set(buttons);
  window.zfTestPads = [{index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
                        buttons: Array.from({length: 17}, (_, i) => ({pressed: pressed.has(i),
                                                                      value: +pressed.has(i)}))}];
  dispatchEvent(new Event('gamepadconnected'));
};
"""
PAD_A, PAD_UP = 0, 12


def clock_ticks(browser):
    """How many times the round's 800 ms clock has ticked, from the page's tick log."""
    log = browser.evaluate("FS.readFile('/tmp/ticks.log', {encoding: 'utf8'})")
    return sum(1 for line in log.splitlines() if " tick 2 " in line)


def app_test(site):
    server, url = serve(site)
    browser = Browser()
    try:
        browser.call("Page.addScriptToEvaluateOnNewDocument", source=STAND_INS)
        page = Page(browser, url + "?ticklog")
        page.load()
        wait_for(lambda: browser.evaluate(
            "Promise.race([navigator.serviceWorker.ready.then(r => !!r.active),"
            " new Promise(done => setTimeout(() => done(false), 500))])"), 20,
            "the service worker")
        errors = browser.call("Page.getInstallabilityErrors")["installabilityErrors"]
        check(errors == [], "not installable: %s" % errors)
        start_playing(page)
        wait_for(lambda: browser.evaluate("zfWakeLocks.asked") >= 1, 5,
                 "a wake lock asked for during a round")
        check_a_pad_steps_and_presses_the_default_button(page)

        browser.key("Enter", "Enter", 13, text="\r", modifiers=1)
        wait_for(lambda: browser.evaluate("!!document.fullscreenElement"), 5,
                 "Alt+Enter to go fullscreen")
        browser.key("Enter", "Enter", 13, text="\r", modifiers=1)
        wait_for(lambda: browser.evaluate("!document.fullscreenElement"), 5,
                 "Alt+Enter to come back")
        check(page.windows()[-1]["title"] == MAIN, "Alt+Enter reached the game")

        check_hidden_time_stands_still(browser, url)
        check_plays_offline(browser, server, url)
        errors = browser.errors()
        check(not errors, "console errors: %s" % errors)
    finally:
        browser.close()
        server.shutdown()
    print("ok")


def check_a_pad_steps_and_presses_the_default_button(page):
    start = (369, 530, 50, 39)  # Quibbert's start, bottom centre
    before = page.client_pixels(MAIN, *start)
    page.browser.evaluate("zfPlugPad([%d])" % PAD_UP)
    wait_for(lambda: page.client_pixels(MAIN, *start) != before, 3, "the d-pad to move Quibbert")
    page.browser.evaluate("zfPlugPad([])")
    page.press("ArrowDown")
    page.click_client(MAIN, 394, 100, "right")
    page.await_window(ABOUT)
    page.browser.evaluate("zfPlugPad([%d])" % PAD_A)
    page.await_gone(ABOUT)
    page.browser.evaluate("zfPlugPad([])")


def check_hidden_time_stands_still(browser, url):
    # Longer than a whole round, which would burn the house if the clock ran on.
    ticks = clock_ticks(browser)
    tab = browser.new_tab("about:blank")
    check(browser.evaluate("document.hidden"), "the game's page is not hidden behind the tab")
    time.sleep(16)
    tab.close()
    browser.call("Page.bringToFront")
    check(clock_ticks(browser) - ticks <= 1,
          "the clock ticked %d times while the page was hidden" % (clock_ticks(browser) - ticks))
    wait_for(lambda: clock_ticks(browser) > ticks + 1, 3, "the round's clock to go on")


def check_plays_offline(browser, server, url):
    wait_for(lambda: browser.evaluate("caches.keys().then(k => Promise.all(k.map(n => "
                                      "caches.open(n).then(c => c.keys())))).then(l => "
                                      "l.some(e => e.length >= 8))"), 20,
             "every file kept for offline play")
    server.shutdown()
    server.server_close()
    try:
        urllib.request.urlopen(url, timeout=2)
        check(False, "the server still answers")
    except OSError:
        pass
    page = Page(browser, url)
    page.load()
    page.start()
    page.await_window(SPLASH)
    page.click_client(SPLASH, *PLAY_BUTTON)
    page.await_window(MAIN)
    check_scene(page)


def start_playing(page):
    """Loads the page and clicks to play; returns (load seconds, click-to-splash seconds)."""
    load_seconds = page.load()
    clicked = time.monotonic()
    page.start()
    page.await_window(SPLASH)
    splash_seconds = time.monotonic() - clicked
    page.click_client(SPLASH, *PLAY_BUTTON)
    page.await_window(MAIN)
    return load_seconds, splash_seconds


def tick_intervals(browser, seconds):
    """The intervals between the last seconds' motion ticks, sorted, from the page's tick log."""
    log = browser.evaluate("FS.readFile('/tmp/ticks.log', {encoding: 'utf8'})")
    times = [float(line.split()[0]) for line in log.splitlines() if " tick 1 " in line]
    times = [t for t in times if t >= times[-1] - seconds * 1000]
    return sorted(b - a for a, b in zip(times, times[1:]))


def describe(gaps):
    median, p99 = statistics.median(gaps), gaps[int(len(gaps) * 0.99)]
    print("ticks: %d intervals, median %.3f ms, p99 %.3f ms, max %.3f ms" %
          (len(gaps), median, p99, gaps[-1]))
    return median


def ticks_test(site, seconds):
    with browsing(site) as (browser, url):
        start_playing(Page(browser, url + "?ticklog"))
        time.sleep(seconds)
        gaps = tick_intervals(browser, seconds)
    median = describe(gaps)
    check(abs(median - 15.625) <= 1.0, "median tick interval %.3f ms" % median)
    print("ok")


def process_tree_cpu_seconds(root):
    """User and system CPU seconds of a process and all its descendants."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                fields = open("/proc/%s/stat" % entry).read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            children.setdefault(int(fields[1]), []).append((int(entry), fields))
    total, stack = 0, [root]
    ticks = os.sysconf("SC_CLK_TCK")
    try:
        fields = open("/proc/%d/stat" % root).read().rsplit(")", 1)[1].split()
        total += (int(fields[11]) + int(fields[12])) / ticks
    except OSError:
        pass
    while stack:
        for pid, fields in children.get(stack.pop(), []):
            total += (int(fields[11]) + int(fields[12])) / ticks
            stack.append(pid)
    return total


def measure(site, seconds):
    raw = zipped = 0
    for name in sorted(os.listdir(site)):
        path = os.path.join(site, name)
        size, packed = os.path.getsize(path), len(subprocess.run(
            ["gzip", "-9", "-c", path], stdout=subprocess.PIPE, check=True).stdout)
        raw, zipped = raw + size, zipped + packed
        print("file %-22s %9d bytes, %9d gzipped (gzip -9)" % (name, size, packed))
    print("the whole site: %d bytes, %d gzipped" % (raw, zipped))
    for phone in (False, True):
        measure_play(site, seconds, phone)


# The least a page showing the game can cost: one 800 x 600 canvas whose box from the house's
# base to the footpath (788 x 344, where a tick draws) changes 64 times a second with one
# putImageData, timed as the host times its ticks.
FLOOR_PAGE = """
document.documentElement.innerHTML =
    '<body style="margin: 0"><canvas id="floor" width="800" height="600"></canvas></body>';
(() => {
  // Shown at the size the game's page shows its canvas (whole device pixels, or shrunk on a phone).
  const canvas = document.getElementById('floor'), ratio = window.devicePixelRatio || 1;
  let scale = Math.min(innerWidth * ratio / 800, innerHeight * ratio / 600);
  if (scale >= ratio) scale = Math.floor(scale);
  canvas.style.width = (800 * scale / ratio) + 'px';
  canvas.style.height = (600 * scale / ratio) + 'px';
  const context = canvas.getContext('2d', {alpha: false});
  const box = context.createImageData(788, 344), start = performance.now();
  for (let i = 3; i < box.data.length; i += 4) box.data[i] = 255;
  let tick = 0;
  function draw() {
    box.data[(tick * 4) % box.data.length] = tick & 255;  // a new picture each time
    context.putImageData(box, 6, 150);
    ++tick;
    setTimeout(draw, Math.max(0, start + tick * 15.625 - performance.now()));
  }
  draw();
})();
"""


def floor_cpu(browser, seconds):
    """The browser's CPU share over seconds on the floor page, drawn in place of whatever the
    tab showed."""
    browser.open("about:blank")
    wait_for(lambda: browser.evaluate("location.href === 'about:blank' && !!document.body"), 10,
             "a blank tab")
    browser.evaluate(FLOOR_PAGE)
    time.sleep(2)  # what the page before it left behind settles first
    return cpu_share(browser, seconds, lambda elapsed: None)


def cpu_share(browser, seconds, play):
    """The browser's CPU share (all its processes) over seconds, calling play every half
    second."""
    before, started = process_tree_cpu_seconds(browser.process.pid), time.monotonic()
    while time.monotonic() - started < seconds:
        play(time.monotonic() - started)
        time.sleep(0.5)
    return (process_tree_cpu_seconds(browser.process.pid) - before) / (time.monotonic() - started)


def measure_play(site, seconds, phone, rounds=3):
    """The browser's CPU while Quibbert steps left and right, by keys on the desktop page or by
    swipes on a phone held sideways (844 x 390 at 3 times), beside the floor page's, turn about
    in the same browser (the machine's own noise is large: medians of three each); then the
    tick intervals, from the page's tick log, which is left out of the CPU figures."""
    keys = ["ArrowLeft", "ArrowRight"]
    floors, games = [], []
    with browsing(site) as (browser, url):
        if phone:
            browser.emulate_phone(844, 390)
        for round in range(rounds + 1):
            last = round == rounds
            if not last:
                floors.append(floor_cpu(browser, seconds))
            page = Page(browser, url + ("?ticklog" if last else ""))
            if phone:
                page.load()
                page.start_by_touch()
            else:
                load_seconds, splash_seconds = start_playing(page)
                if round == 0:
                    print("load %.2f s; click to splash %.2f s (the start sound plays first)" %
                          (load_seconds, splash_seconds))

            def play(elapsed):
                key = keys[int(elapsed) % 2]
                if phone:
                    browser.swipe(*page.page_point(MAIN, 200, 250), *SWIPES[key][0])
                else:
                    page.press(key)
            share = cpu_share(browser, seconds, play)
            if not last:
                games.append(share)
        floor, game = statistics.median(floors), statistics.median(games)
        print("%s: browser CPU while playing: %.1f %% of one core (%s); the floor page in the "
              "same browser: %.1f %% (%s); ratio %.2f" %
              ("phone" if phone else "desktop", 100 * game,
               ", ".join("%.1f" % (100 * g) for g in games), 100 * floor,
               ", ".join("%.1f" % (100 * f) for f in floors), game / floor))
        describe(tick_intervals(browser, seconds))


def memory(browser):
    """The WebAssembly memory and the JavaScript heap after a collection, in bytes."""
    browser.call("HeapProfiler.collectGarbage")
    return (browser.evaluate("HEAPU8.buffer.byteLength"),
            browser.call("Runtime.getHeapUsage")["usedSize"])


def soak(site, minutes):
    """Random keys and clicks, boxes answered as they come ("Yes" to another game), with the
    memory reported every five minutes."""
    import random
    chooser = random.Random(26)
    keys = ["ArrowUp"] * 4 + ["ArrowDown", "ArrowLeft", "ArrowRight"]
    with browsing(site) as (browser, url):
        page = Page(browser, url)
        start_playing(page)
        browser.call("HeapProfiler.enable")
        first = memory(browser)
        print("start: WebAssembly memory %d bytes, JavaScript heap %d bytes" % first, flush=True)
        started = time.monotonic()
        next_report, steps, settled = started + 300, 0, None
        while time.monotonic() - started < minutes * 60:
            top, steps = page.top(), steps + 1
            if top == NAME:
                browser.type_text("Soak %d" % (steps % 1000))
                page.press("Enter")
            elif top == QUESTION:
                browser.type_text("y")
            elif top != MAIN:
                page.press("Enter")
            elif chooser.random() < 0.1:
                page.click_client(MAIN, chooser.randrange(788), chooser.randrange(569))
            else:
                page.press(chooser.choice(keys)) if chooser.random() < 0.8 else browser.type_text("a")
            time.sleep(0.05)
            if time.monotonic() > next_report:
                next_report += 300
                now = memory(browser)
                # The first games' own allocations are made by then: from there on it is flat.
                settled = settled or now
                print("%3.0f min: WebAssembly memory %d bytes, JavaScript heap %d bytes" %
                      (((time.monotonic() - started) / 60,) + now), flush=True)
        last = memory(browser)
        print("end after %.1f min and %d steps: WebAssembly memory %d bytes, JavaScript heap %d"
              " bytes" % (((time.monotonic() - started) / 60, steps) + last))
        errors = browser.errors()
        check(not errors, "console errors: %s" % errors)
    if settled and time.monotonic() - started > 600:
        check(last[0] == settled[0], "the WebAssembly memory grew from %d to %d bytes after"
              " five minutes" % (settled[0], last[0]))
        check(last[1] < settled[1] * 1.25 + (1 << 20), "the JavaScript heap grew from %d to %d"
              " bytes after five minutes" % (settled[1], last[1]))
    print("ok")


if __name__ == "__main__":
    if not os.path.exists(os.path.join(sys.argv[2], "zandrofel.wasm")):
        # Not a failure of the page: there is no page yet.
        print("SKIPPED: no site in %s; build it with: cmake --preset web && cmake --build --preset web"
              % sys.argv[2])
        sys.exit(77)
    if sys.argv[1] == "play":
        play_test(sys.argv[2], sys.argv[3], sys.argv[4] if len(sys.argv) > 4 else "chromium")
    elif sys.argv[1] == "app":
        app_test(sys.argv[2])
    elif sys.argv[1] == "picture":
        phone_picture(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "soak":
        soak(sys.argv[2], float(sys.argv[3]) if len(sys.argv) > 3 else 30.0)
    elif sys.argv[1] == "touch":
        touch_test(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5:] == ["game"])
    else:
        seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 20.0
        (ticks_test if sys.argv[1] == "ticks" else measure)(sys.argv[2], seconds)
