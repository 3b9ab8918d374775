#!/usr/bin/env python3
"""The Windows program under Wine on a private Xvfb display, played as a person would, with real
X input (xdotool) and seen through screenshots (ImageMagick).

  e2e_test.py GAME_EXE LINUX_REPLAY_TOOL [--pictures DIR] [--linux]

--pictures keeps a picture of each window as it first shows (splash, story, main, about, name)
in DIR, whole and as its client area, with Wine set to the classic colours; --linux plays the
Linux build the same way (no Wine; its windows are client areas only, and it is ended with
SIGTERM, having no Alt+F4), so the two can be put side by side.

Wine draws the frames itself (no window manager), so a window's X geometry is its whole Win32
rectangle; the client area is found from the client sizes the templates give. Every wait is on
a condition, with a time limit. Screenshots are kept in the test's folder when a check fails.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

SPLASH = "Grommelin Quibbert's Zandrofel V2.27"
STORY = "The Story..."
MAIN = "Grommelin Quibbert's Zandrofel"
ABOUT = "About"
APP_BOX = "zandrofel"
LOSER = "G  A  M  E    O  V  E  R"
NAME = "Quibbert's Hall of Fame"
TABLE = "                         H  I  G  H       S  C  O  R  E  S          "
QUESTION = "Quibbert needs you..."
DORK = "Your a dork"

MAIN_CLIENT = (788, 569)
SPLASH_CLIENT = (429, 237)
STORY_CLIENT = (353, 171)
ABOUT_CLIENT = (374, 284)
PLAY_BUTTON = (379, 213)  # "PLAY!" at (226, 123), 53 x 16 dialog units
ABOUT_OK = (325, 261)  # About's "OK" at (192, 154), 50 x 14
NAME_CLIENT = (357, 151)
NAME_FIELD = (179, 73)  # the name's field at (50, 38), 139 x 14; "OK" has the focus at first

# The scene's fixed parts, at client points, as the game's colours give them.
SCENE_POINTS = [
    ("wall", (250, 130), (0x30, 0x36, 0xA7)),
    ("window", (297, 175), (0x4F, 0x57, 0x91)),
    ("door", (390, 240), (0x1B, 0x09, 0x6F)),
    ("roof", (400, 60), (0x54, 0x33, 0x25)),
    ("round window", (400, 150), (0xA0, 0xA0, 0xA0)),
    ("sun", (712, 62), (0xC8, 0xCC, 0x17)),
    ("lawn", (102, 290), (0x00, 0x80, 0x00)),
    ("footpath", (25, 550), (0xFF, 0xFF, 0xFF)),
]
PLAYER_START = (405, 505, 50, 50)  # where Quibbert stands on the footpath, his picture's size
PLAYER_NAME = "Wine"

# The classic colour scheme, which our Linux layer draws with, in place of Wine's own light one:
# the pictures then differ only where the two systems draw differently.
CLASSIC_COLOURS = dict(entry.strip().split(" ", 1) for entry in (
    "ActiveBorder 192 192 192; ActiveTitle 0 0 128; AppWorkSpace 128 128 128; Background 0 128 128;"
    "ButtonAlternateFace 180 180 180; ButtonDkShadow 0 0 0; ButtonFace 192 192 192;"
    "ButtonHilight 255 255 255; ButtonLight 192 192 192; ButtonShadow 128 128 128;"
    "ButtonText 0 0 0;"
    "GradientActiveTitle 16 132 208; GradientInactiveTitle 181 181 181; GrayText 128 128 128;"
    "Hilight 0 0 128; HilightText 255 255 255; HotTrackingColor 0 0 255;"
    "InactiveBorder 192 192 192;"
    "InactiveTitle 128 128 128; InactiveTitleText 192 192 192; InfoText 0 0 0;"
    "InfoWindow 255 255 225; Menu 192 192 192; MenuBar 192 192 192; MenuHilight 0 0 128;"
    "MenuText 0 0 0; Scrollbar 192 192 192; TitleText 255 255 255; Window 255 255 255;"
    "WindowFrame 0 0 0; WindowText 0 0 0").split(";"))

# Ten entries below anything a game scores, so a game that scores nothing still makes the table.
START_TABLE = b"\r\n".join([b"-1"] * 10 + [b"Old"] * 10)


class Failure(Exception):
    pass


def run(args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def wait_for(condition, seconds=15, step=0.1):
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(step)


class Session:
    def __init__(self, folder, exe, linux=False, pictures=None):
        self.folder = folder
        self.exe = exe
        self.linux = linux
        self.pictures = pictures
        self.shots = 0
        self.env = dict(os.environ, WINEDEBUG="-all")
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp", "-noreset"], pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as number:
            self.env["DISPLAY"] = ":" + number.readline().strip()
        self.game = None

    def close(self):
        if self.game and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        self.xvfb.terminate()
        self.xvfb.wait()

    def x(self, *args):
        return run(list(args), env=self.env)

    def use_classic_colours(self):
        """For the programs started from now on: no theme, and the classic colours."""
        theme = r"HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager"
        self.x("wine", "reg", "add", theme, "/v", "ThemeActive", "/d", "0", "/f")
        for name, colour in CLASSIC_COLOURS.items():
            self.x("wine", "reg", "add", r"HKCU\Control Panel\Colors", "/v", name, "/d", colour,
                   "/f")

    def start_game(self, run_folder):
        command = [self.exe] if self.linux else ["wine", self.exe]
        env = dict(self.env, SDL_AUDIODRIVER="dummy")
        self.game = subprocess.Popen(command, cwd=run_folder, env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def window(self, title):
        found = self.x("xdotool", "search", "--onlyvisible", "--name", f"^{title}$")
        ids = found.stdout.split()
        return ids[0] if ids else None

    def find(self, title, seconds=15):
        found = wait_for(lambda: self.window(title), seconds)
        if not found:
            self.screenshot_root(f"missing {title.strip()[:12]}")
            raise Failure(f"no window titled {title!r}")
        return found

    def geometry(self, window):
        out = self.x("xdotool", "getwindowgeometry", "--shell", window).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def client_origin(self, window, client):
        """Wine's frame: borders alike on three sides, the caption on top."""
        _, _, width, height = self.geometry(window)
        border = (width - client[0]) // 2
        return border, height - client[1] - border

    def focus(self, window):
        self.x("xdotool", "windowactivate", "--sync", window)
        self.x("xdotool", "windowfocus", "--sync", window)

    def keys(self, window, *keys):
        self.focus(window)
        self.x("xdotool", "key", "--delay", "60", *keys)

    def click(self, window, client, point, button=1):
        left, top = self.client_origin(window, client)
        self.x("xdotool", "mousemove", "--window", window, str(left + point[0]),
               str(top + point[1]), "click", str(button))

    def pixels(self, window, client):
        """The client area as rows of (r, g, b)."""
        left, top = self.client_origin(window, client)
        raw = subprocess.run(["import", "-window", window, "-crop",
                              f"{client[0]}x{client[1]}+{left}+{top}", "-depth", "8", "rgb:-"],
                             env=self.env, capture_output=True).stdout
        if len(raw) != client[0] * client[1] * 3:
            raise Failure(f"a screenshot of {client[0]} x {client[1]} came out {len(raw)} bytes")
        return [[tuple(raw[(y * client[0] + x) * 3:(y * client[0] + x) * 3 + 3])
                 for x in range(client[0])] for y in range(client[1])]

    def picture(self, window, client, name):
        """The window as it shows, and its client area, for the side-by-side comparison."""
        if not self.pictures:
            return
        left, top = self.client_origin(window, client)
        build = "linux" if self.linux else "windows"
        whole = os.path.join(self.pictures, f"{name}-{build}.png")
        self.x("import", "-window", window, whole)
        self.x("convert", whole, "-crop", f"{client[0]}x{client[1]}+{left}+{top}", "+repage",
               os.path.join(self.pictures, f"{name}-{build}-client.png"))

    def screenshot_root(self, name):
        self.shots += 1
        self.x("import", "-window", "root",
               os.path.join(self.folder, f"{self.shots:02d}-{name.replace(' ', '-')}.png"))


def region(image, box):
    x, y, width, height = box
    return [row[x:x + width] for row in image[y:y + height]]


def check(condition, message):
    if not condition:
        raise Failure(message)


def play(session, run_folder, replay_tool):
    started = time.monotonic()
    session.start_game(run_folder)
    splash = session.find(SPLASH)
    splash_seconds = time.monotonic() - started
    check(splash_seconds >= 1.0, f"the splash came after {splash_seconds:.2f} s, before the "
          "one-second start sound could end")
    check(not session.window(MAIN), "the main window showed before PLAY!")
    print(f"splash after {splash_seconds:.2f} s")

    session.picture(splash, SPLASH_CLIENT, "splash")
    session.keys(splash, "Escape")
    story = session.find(STORY)
    time.sleep(0.5)  # its first paint
    session.picture(story, STORY_CLIENT, "story")
    session.keys(story, "Escape")
    check(wait_for(lambda: not session.window(STORY)), "Escape did not close the story")
    check(session.window(SPLASH), "the splash did not come back after the story")

    session.click(splash, SPLASH_CLIENT, PLAY_BUTTON)
    main = session.find(MAIN)
    check(wait_for(lambda: not session.window(SPLASH)), "the splash stayed after PLAY!")
    _, _, width, height = session.geometry(main)
    check(width >= MAIN_CLIENT[0] and height >= MAIN_CLIENT[1], "the main window is too small")

    def scene_shows_colours():
        shot = session.pixels(main, MAIN_CLIENT)
        wrong = [f"{name} at {point} is {shot[point[1]][point[0]]}, not {want}"
                 for name, point, want in SCENE_POINTS if shot[point[1]][point[0]] != want]
        return shot if not wrong else (print("; ".join(wrong)) and None)
    before = wait_for(scene_shows_colours, 10, 0.3)
    check(before, "the scene's fixed parts do not show their colours")
    session.picture(main, MAIN_CLIENT, "main")

    session.keys(main, "Up")
    moved = wait_for(lambda: region(session.pixels(main, MAIN_CLIENT), PLAYER_START) !=
                     region(before, PLAYER_START), 5, 0.2)
    check(moved, "Up did not move Quibbert from where he starts")

    session.click(main, MAIN_CLIENT, (300, 150), 3)
    about = session.find(ABOUT)
    time.sleep(0.5)
    session.picture(about, ABOUT_CLIENT, "about")
    session.click(about, ABOUT_CLIENT, ABOUT_OK)
    check(wait_for(lambda: not session.window(ABOUT)), "About's OK did not close it")

    # Every life lost in the road: up into it, a moment, a key to settle the round.
    for _ in range(40):
        if session.window(NAME):
            break
        box = session.window(APP_BOX)
        if box:
            session.keys(box, "Return")
            continue
        session.keys(main, "Up", "Up", "Up", "Up", "Up")
        time.sleep(0.8)
        session.keys(main, "a")
        wait_for(lambda: session.window(NAME) or session.window(LOSER), 1.5)
    name = session.find(NAME, 5)
    time.sleep(0.5)
    session.picture(name, NAME_CLIENT, "name")
    session.click(name, NAME_CLIENT, NAME_FIELD)
    session.keys(name, *PLAYER_NAME, "Return")
    session.keys(session.find(TABLE), "Return")
    session.keys(session.find(QUESTION), "n")
    session.keys(session.find(DORK), "Return")
    check(wait_for(lambda: not session.window(DORK)), "the last box did not close")

    if session.linux:
        session.game.terminate()
    else:
        session.keys(main, "alt+F4")
    status = wait_for(lambda: session.game.poll() is not None and [session.game.returncode], 15)
    check(status, "closing the main window did not end the program")
    check(status[0] == 0, f"the program ended with status {status[0]}")

    written = open(os.path.join(run_folder, "scores.txt"), "rb").read()
    check(PLAYER_NAME.encode() in written, f"scores.txt does not hold the name: {written!r}")
    expected = linux_table(replay_tool, os.path.join(session.folder, "linux"))
    # The live game is seeded by the clock, so a cookie may fall where Quibbert walks: its 50
    # points are the only score he can make, and they change nothing but the first entry.
    score = written.split(b"\r\n", 1)[0]
    if score.isdigit() and int(score) % 50 == 0 and expected.startswith(b"0\r\n"):
        expected = score + expected[1:]
    check(written == expected, f"scores.txt differs from the Linux build's:\n"
          f"  Windows {written!r}\n  Linux   {expected!r}")


def linux_table(replay_tool, folder):
    """What the Linux build writes for the same start table, name and score (no points)."""
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "scores.txt"), "wb") as table:
        table.write(START_TABLE)
    lines = []
    for life in range(5):
        at = 1000 + life * 1500
        lines += [f"at {at + step * 16} key UP" for step in range(10)]
        lines.append(f"at {at + 900} key A")
    lines += [f"name {PLAYER_NAME}", "playagain no", "end 9000"]
    script = os.path.join(folder, "lose.script")
    with open(script, "w") as out:
        out.write("\n".join(lines) + "\n")
    result = run([replay_tool, "7", script], cwd=folder)
    check(result.returncode == 0, f"the replay tool failed: {result.stderr}")
    check(any(line.split()[:1] == ["dialog"] and line.split()[2] == "101"
              for line in result.stdout.splitlines()), "the replay never showed the name dialog")
    return open(os.path.join(folder, "scores.txt"), "rb").read()


def main(argv):
    linux = "--linux" in argv
    pictures = None
    if "--pictures" in argv[:-1]:
        pictures = os.path.abspath(argv[argv.index("--pictures") + 1])
        os.makedirs(pictures, exist_ok=True)
    paths = [arg for i, arg in enumerate(argv[1:], 1)
             if not arg.startswith("--") and argv[i - 1] != "--pictures"]
    if len(paths) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    exe, replay_tool = (os.path.abspath(path) for path in paths)
    if not os.access(replay_tool, os.X_OK):
        print(f"FAIL: the Linux replay tool {replay_tool} is not built", file=sys.stderr)
        return 1
    folder = tempfile.mkdtemp(prefix="zf-windows-e2e-")
    run_folder = os.path.join(folder, "run")
    os.makedirs(run_folder)
    with open(os.path.join(run_folder, "scores.txt"), "wb") as table:
        table.write(START_TABLE)
    session = Session(folder, exe, linux, pictures)
    if pictures and not linux:
        session.use_classic_colours()
    try:
        play(session, run_folder, replay_tool)
    except Failure as failure:
        session.screenshot_root("failure")
        print(f"FAIL: {failure}\n(screenshots in {folder})", file=sys.stderr)
        return 1
    finally:
        session.close()
    shutil.rmtree(folder)
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
