"""Writes the project's own skins and the skin tests' fixtures; run by hand, output committed.

    python3 resources/make-skins.py

Each skin gets a folder resources/skins/<Name>/ with its INI text (UTF-16, byte-order mark,
CR LF), THEMES_INI, its images and a resource script that builds it into a resource-only module:
  Calm        the reader's skin: alpha caption with transparent corners, eight-frame caption
              buttons and an image for every part the sheet shows
  CalmDark    the same drawing in a dark colouring
  Office2007  a sibling whose scroll bars come from the eleven Office-2007 bitmaps
  Quiet       border fill only
The sheet's table of (class, part, states) goes to demos/skin/SheetParts.inc, and the test
fixtures (one colour per cell) to tests/toolkit/skin/fixtures/.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bitmap_writer import write_bmp24, write_png, write_utf16_text  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The parts the sheet draws and the skins dress: class, part name, part id, states drawn (0:
# one cell in state 0), the state names an INI section can give the part (state n is name n-1).
FRAME_BUTTON_STATES = ["NORMAL", "HOT", "PUSHED", "DISABLED"]
SHEET = [
    ("WINDOW", "CAPTION", 1, 3, ["ACTIVE", "INACTIVE", "DISABLED"]),
    ("WINDOW", "SMALLCAPTION", 2, 3, []),
    ("WINDOW", "FRAMELEFT", 7, 2, []),
    ("WINDOW", "FRAMERIGHT", 8, 2, []),
    ("WINDOW", "FRAMEBOTTOM", 9, 2, []),
    ("WINDOW", "SMALLFRAMELEFT", 10, 2, []),
    ("WINDOW", "SMALLFRAMERIGHT", 11, 2, []),
    ("WINDOW", "SMALLFRAMEBOTTOM", 12, 2, []),
    ("WINDOW", "MINBUTTON", 15, 8, FRAME_BUTTON_STATES),
    ("WINDOW", "MAXBUTTON", 17, 8, FRAME_BUTTON_STATES),
    ("WINDOW", "CLOSEBUTTON", 18, 8, FRAME_BUTTON_STATES),
    ("WINDOW", "SMALLCLOSEBUTTON", 19, 8, []),
    ("WINDOW", "RESTOREBUTTON", 21, 8, FRAME_BUTTON_STATES),
    ("WINDOW", "HELPBUTTON", 23, 8, FRAME_BUTTON_STATES),
    ("BUTTON", "PUSHBUTTON", 1, 5, ["NORMAL", "HOT", "PRESSED", "DISABLED", "DEFAULTED"]),
    ("BUTTON", "RADIOBUTTON", 2, 8, ["UNCHECKEDNORMAL", "UNCHECKEDHOT", "UNCHECKEDPRESSED", "UNCHECKEDDISABLED",
                                     "CHECKEDNORMAL", "CHECKEDHOT", "CHECKEDPRESSED", "CHECKEDDISABLED"]),
    ("BUTTON", "CHECKBOX", 3, 12, ["UNCHECKEDNORMAL", "UNCHECKEDHOT", "UNCHECKEDPRESSED", "UNCHECKEDDISABLED",
                                   "CHECKEDNORMAL", "CHECKEDHOT", "CHECKEDPRESSED", "CHECKEDDISABLED",
                                   "MIXEDNORMAL", "MIXEDHOT", "MIXEDPRESSED", "MIXEDDISABLED"]),
    ("BUTTON", "GROUPBOX", 4, 2, ["NORMAL", "DISABLED"]),
    ("SCROLLBAR", "ARROWBTN", 1, 16, ["UPNORMAL", "UPHOT", "UPPRESSED", "UPDISABLED", "DOWNNORMAL", "DOWNHOT",
                                      "DOWNPRESSED", "DOWNDISABLED", "LEFTNORMAL", "LEFTHOT", "LEFTPRESSED",
                                      "LEFTDISABLED", "RIGHTNORMAL", "RIGHTHOT", "RIGHTPRESSED", "RIGHTDISABLED"]),
    ("SCROLLBAR", "THUMBBTNHORZ", 2, 4, []),
    ("SCROLLBAR", "THUMBBTNVERT", 3, 4, []),
    ("SCROLLBAR", "LOWERTRACKHORZ", 4, 4, []),
    ("SCROLLBAR", "UPPERTRACKHORZ", 5, 4, []),
    ("SCROLLBAR", "LOWERTRACKVERT", 6, 4, []),
    ("SCROLLBAR", "UPPERTRACKVERT", 7, 4, []),
    ("SCROLLBAR", "GRIPPERHORZ", 8, 4, []),
    ("SCROLLBAR", "GRIPPERVERT", 9, 4, []),
    ("SCROLLBAR", "SIZEBOX", 10, 2, ["RIGHTALIGN", "LEFTALIGN"]),
    ("TAB", "TABITEM", 1, 5, ["NORMAL", "HOT", "SELECTED", "DISABLED", "FOCUSED"]),
    ("TAB", "TABITEMLEFTEDGE", 2, 5, ["NORMAL", "HOT", "SELECTED", "DISABLED", "FOCUSED"]),
    ("TAB", "TABITEMRIGHTEDGE", 3, 5, ["NORMAL", "HOT", "SELECTED", "DISABLED", "FOCUSED"]),
    ("TAB", "TOPTABITEM", 5, 5, ["NORMAL", "HOT", "SELECTED", "DISABLED", "FOCUSED"]),
    ("TAB", "PANE", 9, 0, []),
    ("TAB", "BODY", 10, 0, []),
    ("HEADER", "HEADERITEM", 1, 3, ["NORMAL", "HOT", "PRESSED"]),
    ("HEADER", "HEADERSORTARROW", 4, 2, ["SORTEDUP", "SORTEDDOWN"]),
    ("PROGRESS", "BAR", 1, 0, []),
    ("PROGRESS", "BARVERT", 2, 0, []),
    ("PROGRESS", "CHUNK", 3, 0, []),
    ("PROGRESS", "CHUNKVERT", 4, 0, []),
    ("TRACKBAR", "TRACK", 1, 1, ["NORMAL"]),
    ("TRACKBAR", "TRACKVERT", 2, 1, ["NORMAL"]),
    ("TRACKBAR", "THUMB", 3, 5, ["NORMAL", "HOT", "PRESSED", "FOCUSED", "DISABLED"]),
    ("TRACKBAR", "THUMBBOTTOM", 4, 5, ["NORMAL", "HOT", "PRESSED", "FOCUSED", "DISABLED"]),
    ("TRACKBAR", "THUMBTOP", 5, 5, ["NORMAL", "HOT", "PRESSED", "FOCUSED", "DISABLED"]),
    ("TRACKBAR", "THUMBVERT", 6, 5, ["NORMAL", "HOT", "PRESSED", "FOCUSED", "DISABLED"]),
    ("TRACKBAR", "TICS", 9, 1, ["NORMAL"]),
    ("SPIN", "UP", 1, 4, ["NORMAL", "HOT", "PRESSED", "DISABLED"]),
    ("SPIN", "DOWN", 2, 4, ["NORMAL", "HOT", "PRESSED", "DISABLED"]),
    ("SPIN", "UPHORZ", 3, 4, ["NORMAL", "HOT", "PRESSED", "DISABLED"]),
    ("SPIN", "DOWNHORZ", 4, 4, ["NORMAL", "HOT", "PRESSED", "DISABLED"]),
    ("EDIT", "EDITTEXT", 1, 7, ["NORMAL", "HOT", "SELECTED", "DISABLED", "FOCUSED", "READONLY", "ASSIST"]),
    ("COMBOBOX", "DROPDOWNBUTTON", 1, 4, []),
    ("TOOLBAR", "BUTTON", 1, 6, []),
    ("TOOLBAR", "DROPDOWNBUTTON", 2, 6, []),
    ("TOOLBAR", "SPLITBUTTON", 3, 6, []),
    ("TOOLBAR", "SPLITBUTTONDROPDOWN", 4, 6, []),
    ("TOOLBAR", "SEPARATOR", 5, 0, []),
    ("TOOLBAR", "SEPARATORVERT", 6, 0, []),
    ("STATUS", "PANE", 1, 0, []),
    ("STATUS", "GRIPPERPANE", 2, 0, []),
    ("STATUS", "GRIPPER", 3, 0, []),
    ("LISTVIEW", "LISTITEM", 1, 5, ["NORMAL", "HOT", "SELECTED", "DISABLED", "SELECTEDNOTFOCUS"]),
    ("TREEVIEW", "TREEITEM", 1, 5, ["NORMAL", "HOT", "SELECTED", "DISABLED", "SELECTEDNOTFOCUS"]),
    ("TREEVIEW", "GLYPH", 2, 2, ["CLOSED", "OPENED"]),
    ("REBAR", "GRIPPER", 1, 0, []),
    ("REBAR", "GRIPPERVERT", 2, 0, []),
    ("REBAR", "BAND", 3, 0, []),
    ("REBAR", "CHEVRON", 4, 3, ["NORMAL", "HOT", "PRESSED"]),
    ("MENU", "MENUITEM", 1, 3, []),
    ("MENU", "MENUBARITEM", 3, 3, []),
    ("MENU", "SEPARATOR", 6, 0, []),
    ("TOOLTIP", "STANDARD", 1, 2, ["NORMAL", "LINK"]),
]

SYS_COLOURS = ["SCROLLBAR", "BACKGROUND", "ACTIVECAPTION", "INACTIVECAPTION", "MENU", "WINDOW", "WINDOWFRAME",
               "MENUTEXT", "WINDOWTEXT", "CAPTIONTEXT", "ACTIVEBORDER", "INACTIVEBORDER", "APPWORKSPACE", "HIGHLIGHT",
               "HIGHLIGHTTEXT", "BTNFACE", "BTNSHADOW", "GRAYTEXT", "BTNTEXT", "INACTIVECAPTIONTEXT", "BTNHIGHLIGHT",
               "DKSHADOW3D", "LIGHT3D", "INFOTEXT", "INFOBK", "BUTTONALTERNATEFACE", "HOTTRACKING",
               "GRADIENTACTIVECAPTION", "GRADIENTINACTIVECAPTION", "MENUHILIGHT", "MENUBAR"]

OFFICE_IMAGES = ["SCROLLVERTICALLIGHT", "SCROLLVERTICALDARK", "SCROLLHORIZONTALLIGHT", "SCROLLHORIZONTALDARK",
                 "SCROLLARROWSVERTICALLIGHT", "SCROLLARROWSVERTICALDARK", "SCROLLARROWSHORIZONTALLIGHT",
                 "SCROLLARROWSHORIZONTALDARK", "SCROLLARROWGLYPHS", "SCROLLTHUMBVERTICAL", "SCROLLTHUMBHORIZONTAL"]


def rgb(c):
    return "%d %d %d" % c


# ---------------------------------------------------------------------------------------------
# A small RGBA canvas.

class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.px = [[fill for _ in range(width)] for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c if len(c) == 4 else c + (255,)

    def rect(self, l, t, r, b, c):
        for y in range(t, b):
            for x in range(l, r):
                self.set(x, y, c)

    def box(self, l, t, r, b, border, fill, radius=0):
        """A filled box with a one-pixel border and corners cut by a radius (left transparent)."""
        for y in range(t, b):
            for x in range(l, r):
                dx = min(x - l, r - 1 - x)
                dy = min(y - t, b - 1 - y)
                if radius and dx < radius and dy < radius and (radius - dx) ** 2 + (radius - dy) ** 2 > radius * radius + 1:
                    continue
                edge = dx == 0 or dy == 0 or (radius and dx < radius and dy < radius and
                                               (radius - dx - 1) ** 2 + (radius - dy - 1) ** 2 > radius * radius - 2)
                self.set(x, y, border if edge else fill)

    def glyph(self, kind, l, t, r, b, c):
        cx, cy = (l + r) // 2, (t + b) // 2
        s = max(2, min(r - l, b - t) // 4)
        if kind in ("up", "down"):
            for i in range(s):
                y = cy - s // 2 + i if kind == "up" else cy + s // 2 - i
                for x in range(cx - i, cx + i + 1):
                    self.set(x, y, c)
        elif kind in ("left", "right"):
            for i in range(s):
                x = cx - s // 2 + i if kind == "left" else cx + s // 2 - i
                for y in range(cy - i, cy + i + 1):
                    self.set(x, y, c)
        elif kind == "close":
            for i in range(-s, s + 1):
                self.set(cx + i, cy + i, c)
                self.set(cx + i, cy - i, c)
                self.set(cx + i + 1, cy + i, c)
                self.set(cx + i + 1, cy - i, c)
        elif kind == "min":
            self.rect(cx - s, cy + s - 1, cx + s + 1, cy + s + 1, c)
        elif kind in ("max", "restore"):
            self.rect(cx - s, cy - s, cx + s + 1, cy - s + 2, c)
            self.rect(cx - s, cy + s, cx + s + 1, cy + s + 1, c)
            self.rect(cx - s, cy - s, cx - s + 1, cy + s + 1, c)
            self.rect(cx + s, cy - s, cx + s + 1, cy + s + 1, c)
        elif kind == "help":
            self.rect(cx - 1, cy + s - 1, cx + 1, cy + s + 1, c)
            self.rect(cx - 1, cy - 1, cx + 1, cy + s - 2, c)
            self.rect(cx - s + 1, cy - s, cx + s, cy - s + 2, c)
        elif kind == "check":
            for i in range(s + 1):
                self.set(cx - s + i, cy + i - 1, c)
                self.set(cx - s + i, cy + i, c)
            for i in range(2 * s):
                self.set(cx + i, cy + s - i - 1, c)
                self.set(cx + i, cy + s - i, c)
        elif kind == "mixed":
            self.rect(cx - s, cy - 1, cx + s + 1, cy + 1, c)
        elif kind == "dot":
            self.box(cx - s, cy - s, cx + s + 1, cy + s + 1, c, c, s // 2 + 1)
        elif kind == "grip":
            for y in range(t + 2, b - 2, 3):
                for x in range(l + 2, r - 2, 3):
                    self.set(x, y, c)

    def rows(self):
        return self.px


def stack(frames):
    """Frames of equal size stacked from top to bottom."""
    out = Canvas(frames[0].width, sum(f.height for f in frames))
    y = 0
    for f in frames:
        for row in f.px:
            out.px[y] = list(row)
            y += 1
    return out


def mix(a, b, f):
    return tuple(int(a[i] + (b[i] - a[i]) * f) for i in range(3))


# ---------------------------------------------------------------------------------------------
# The reader's skins: one drawing, two colourings.

CALM = {
    "face": (236, 240, 245), "border": (140, 156, 178), "hot": (214, 230, 250), "pressed": (170, 196, 230),
    "disabled": (226, 228, 232), "checked": (196, 214, 240), "glyph": (52, 64, 84), "glyph_off": (160, 166, 176),
    "caption": (70, 110, 160), "caption_inactive": (150, 164, 184), "caption_text": (255, 255, 255),
    "frame": (90, 124, 168), "frame_inactive": (164, 176, 194), "track": (226, 230, 236), "close_hot": (214, 72, 64),
    "window": (255, 255, 255), "text": (24, 28, 36), "highlight": (60, 110, 190), "highlight_text": (255, 255, 255),
    "menu": (246, 247, 249), "workspace": (200, 206, 214),
}
CALM_DARK = {
    "face": (52, 56, 64), "border": (96, 104, 118), "hot": (70, 84, 104), "pressed": (88, 110, 140),
    "disabled": (58, 60, 66), "checked": (74, 92, 120), "glyph": (220, 226, 234), "glyph_off": (110, 116, 126),
    "caption": (32, 36, 44), "caption_inactive": (60, 64, 72), "caption_text": (230, 234, 240),
    "frame": (40, 46, 56), "frame_inactive": (72, 76, 84), "track": (44, 48, 56), "close_hot": (190, 60, 56),
    "window": (36, 38, 44), "text": (226, 230, 236), "highlight": (70, 120, 200), "highlight_text": (255, 255, 255),
    "menu": (46, 50, 58), "workspace": (28, 30, 34),
}

GLYPHS = {
    ("WINDOW", "MINBUTTON"): "min", ("WINDOW", "MAXBUTTON"): "max", ("WINDOW", "CLOSEBUTTON"): "close",
    ("WINDOW", "SMALLCLOSEBUTTON"): "close", ("WINDOW", "RESTOREBUTTON"): "restore", ("WINDOW", "HELPBUTTON"): "help",
    ("SPIN", "UP"): "up", ("SPIN", "DOWN"): "down", ("SPIN", "UPHORZ"): "right", ("SPIN", "DOWNHORZ"): "left",
    ("COMBOBOX", "DROPDOWNBUTTON"): "down", ("HEADER", "HEADERSORTARROW"): "up", ("REBAR", "CHEVRON"): "right",
    ("TOOLBAR", "SPLITBUTTONDROPDOWN"): "down", ("TREEVIEW", "GLYPH"): "right",
    ("SCROLLBAR", "GRIPPERHORZ"): "grip", ("SCROLLBAR", "GRIPPERVERT"): "grip", ("SCROLLBAR", "SIZEBOX"): "grip",
    ("STATUS", "GRIPPER"): "grip",
}


def state_look(p, index, count):
    """(fill, border, glyph colour) of a state of a generic part, from the usual state order."""
    name = ["normal", "hot", "pressed", "disabled", "checked", "hot"][index % 6] if count > 1 else "normal"
    fill = {"normal": p["face"], "hot": p["hot"], "pressed": p["pressed"], "disabled": p["disabled"],
            "checked": p["checked"]}[name]
    glyph = p["glyph_off"] if name == "disabled" else p["glyph"]
    border = mix(p["border"], p["face"], 0.5) if name == "disabled" else p["border"]
    return fill, border, glyph


def part_image(p, cls, part, states):
    """The image of a part: a vertical strip of one frame per state, and its INI lines."""
    n = max(states, 1)
    size = (16, 16)
    margins = (3, 3, 3, 3)
    sizing = "Stretch"
    extra = []
    frames = []
    glyph = GLYPHS.get((cls, part))
    if cls == "WINDOW" and part in ("CAPTION", "SMALLCAPTION"):
        w, h = 64, 30 if part == "CAPTION" else 22
        for i in range(n):
            c = Canvas(w, h)
            top = p["caption"] if i == 0 else p["caption_inactive"]
            bottom = mix(top, (0, 0, 0), 0.18)
            c.box(0, 0, w, h + 8, mix(top, (0, 0, 0), 0.3), top, 6)
            for y in range(1, h):
                # An alpha caption: slightly see-through towards the bottom, corners cut out.
                colour = mix(top, bottom, y / h)
                for x in range(w):
                    if c.px[y][x][3] and c.px[y][x][:3] == top:
                        c.set(x, y, colour + (255 - y * 2,))
            frames.append(c)
        margins = (10, 10, 8, 4)
        extra = ["Transparent = True"]
        return frames, margins, sizing, extra, "png"
    if cls == "WINDOW" and part.endswith(("FRAMELEFT", "FRAMERIGHT")):
        # Stateless edges: active and inactive side by side, picked by the frame count.
        w, h = 4, 8
        c = Canvas(w * 2, h)
        c.rect(0, 0, w, h, p["frame"])
        c.rect(w, 0, 2 * w, h, p["frame_inactive"])
        return [c], (0, 0, 2, 2), sizing, ["ImageLayout = Horizontal"], "png2"
    if cls == "WINDOW" and part.endswith("FRAMEBOTTOM"):
        w, h = 8, 4
        c = Canvas(w * 2, h)
        c.rect(0, 0, w, h, p["frame"])
        c.rect(w, 0, 2 * w, h, p["frame_inactive"])
        return [c], (2, 2, 0, 0), sizing, ["ImageLayout = Horizontal"], "png2"
    if cls == "WINDOW":
        size = (21, 21) if part != "SMALLCLOSEBUTTON" else (15, 15)
        for i in range(n):
            inactive = i >= 4
            kind = i % 4
            c = Canvas(*size)
            base = p["caption"] if not inactive else p["caption_inactive"]
            fill = {0: base, 1: p["close_hot"] if part.endswith("CLOSEBUTTON") else mix(base, (255, 255, 255), 0.25),
                    2: mix(base, (0, 0, 0), 0.3), 3: base}[kind]
            c.box(0, 0, size[0], size[1], mix(base, (0, 0, 0), 0.35), fill, 4)
            gc = p["caption_text"] if kind != 3 else mix(p["caption_text"], base, 0.6)
            c.glyph(glyph, 0, 0, size[0], size[1], gc)
            frames.append(c)
        return frames, (4, 4, 4, 4), "TrueSize", [], "png"
    if cls == "BUTTON" and part in ("RADIOBUTTON", "CHECKBOX"):
        size = (13, 13)
        for i in range(n):
            fill, border, gc = state_look(p, i % 4, 4)
            c = Canvas(*size)
            c.box(0, 0, 13, 13, border, p["window"] if i % 4 != 3 else p["disabled"], 6 if part == "RADIOBUTTON" else 1)
            if i % 4 in (1, 2):
                c.box(2, 2, 11, 11, fill, fill, 4 if part == "RADIOBUTTON" else 0)
            if i >= 4:
                c.glyph("dot" if part == "RADIOBUTTON" else ("check" if i < 8 else "mixed"), 0, 0, 13, 13, gc)
            frames.append(c)
        return frames, (0, 0, 0, 0), "TrueSize", [], "png"
    if cls == "BUTTON" and part == "GROUPBOX":
        for i in range(n):
            c = Canvas(12, 12)
            c.box(0, 0, 12, 12, p["border"] if i == 0 else p["glyph_off"], p["face"], 3)
            frames.append(c)
        return frames, (4, 4, 4, 4), sizing, ["BorderOnly = True"], "png"
    if cls == "SCROLLBAR" and part == "ARROWBTN":
        size = (17, 17)
        for i in range(n):
            fill, border, gc = state_look(p, i % 4, 4)
            c = Canvas(*size)
            c.box(0, 0, 17, 17, border, fill, 2)
            c.glyph(["up", "down", "left", "right"][i // 4], 0, 0, 17, 17, gc)
            frames.append(c)
        return frames, (3, 3, 3, 3), sizing, [], "png"
    if cls == "SCROLLBAR" and "TRACK" in part:
        for i in range(n):
            c = Canvas(17, 17)
            fill = [p["track"], mix(p["track"], p["hot"], 0.6), p["pressed"], p["disabled"]][i]
            c.rect(0, 0, 17, 17, fill)
            frames.append(c)
        return frames, (0, 0, 0, 0), sizing, [], "png"
    if cls == "PROGRESS" and part.startswith("CHUNK"):
        c = Canvas(12, 12)
        c.box(0, 0, 12, 12, mix(p["highlight"], (0, 0, 0), 0.2), p["highlight"], 1)
        return [c], (2, 2, 2, 2), sizing, [], "png"
    if glyph == "grip":
        size = (12, 12)
        for i in range(n):
            c = Canvas(*size)
            c.glyph("grip", 0, 0, 12, 12, p["border"])
            frames.append(c)
        return frames, (0, 0, 0, 0), "TrueSize", [], "png"
    if cls in ("TOOLBAR", "REBAR", "MENU", "STATUS") and part in ("SEPARATOR", "SEPARATORVERT", "GRIPPER", "GRIPPERVERT",
                                                                    "BAND", "PANE", "GRIPPERPANE"):
        c = Canvas(8, 8)
        c.rect(0, 0, 8, 8, p["menu"])
        if part.startswith("SEPARATOR"):
            c.rect(3, 0, 5, 8, p["border"]) if part == "SEPARATORVERT" else c.rect(0, 3, 8, 5, p["border"])
        return [c], (2, 2, 2, 2), sizing, [], "png"
    # Everything else: a rounded box per state with the part's glyph.
    for i in range(n):
        fill, border, gc = state_look(p, i, n)
        if cls == "TAB" and n == 5 and i == 2:
            fill = p["window"]
        c = Canvas(*size)
        c.box(0, 0, size[0], size[1], border, fill, 2)
        if glyph:
            c.glyph(glyph, 0, 0, size[0], size[1], gc)
        frames.append(c)
    return frames, margins, sizing, [], "png"


def sysmetrics_lines(p):
    colours = {
        "SCROLLBAR": p["track"], "BACKGROUND": p["workspace"], "ACTIVECAPTION": p["caption"],
        "INACTIVECAPTION": p["caption_inactive"], "MENU": p["menu"], "WINDOW": p["window"], "WINDOWFRAME": p["border"],
        "MENUTEXT": p["text"], "WINDOWTEXT": p["text"], "CAPTIONTEXT": p["caption_text"], "ACTIVEBORDER": p["frame"],
        "INACTIVEBORDER": p["frame_inactive"], "APPWORKSPACE": p["workspace"], "HIGHLIGHT": p["highlight"],
        "HIGHLIGHTTEXT": p["highlight_text"], "BTNFACE": p["face"], "BTNSHADOW": mix(p["face"], (0, 0, 0), 0.3),
        "GRAYTEXT": p["glyph_off"], "BTNTEXT": p["text"], "INACTIVECAPTIONTEXT": mix(p["caption_text"], (128, 128, 128), 0.4),
        "BTNHIGHLIGHT": mix(p["face"], (255, 255, 255), 0.7), "DKSHADOW3D": mix(p["face"], (0, 0, 0), 0.6),
        "LIGHT3D": mix(p["face"], (255, 255, 255), 0.4), "INFOTEXT": p["text"], "INFOBK": p["menu"],
        "BUTTONALTERNATEFACE": p["disabled"], "HOTTRACKING": p["highlight"], "GRADIENTACTIVECAPTION": p["caption"],
        "GRADIENTINACTIVECAPTION": p["caption_inactive"], "MENUHILIGHT": p["highlight"], "MENUBAR": p["menu"],
    }
    lines = ["[SysMetrics]", "CaptionBarHeight = 24", "SmCaptionBarHeight = 18", "ScrollBarWidth = 17",
             "ScrollBarHeight = 17", "CaptionFont = Tahoma, 8, Bold", "SmallCaptionFont = Tahoma, 8, Bold"]
    lines += ["%s = %s" % (name.title() if False else name, rgb(colours[name])) for name in SYS_COLOURS]
    return lines


def section_name(cls, part, state=None):
    name = cls if part is None else "%s.%s" % (cls, part)
    return "[%s]" % (name if state is None else "%s(%s)" % (name, state))


def clear_skin_folder(name):
    folder = os.path.join(ROOT, "resources", "skins", name)
    os.makedirs(folder, exist_ok=True)
    for old in os.listdir(folder):
        os.remove(os.path.join(folder, old))


def write_skin_folder(name, display, lines, images, extra_rc=()):
    """Writes the INI, THEMES_INI, images and the resource script of one skin."""
    folder = os.path.join(ROOT, "resources", "skins", name)
    write_utf16_text(os.path.join(folder, "Normal.ini"), lines)
    write_utf16_text(os.path.join(folder, "Themes.ini"), ["[File.Normal]", "ColorSchemes = Normal", "Sizes = NormalSize"])
    rc = ["// Generated by resources/make-skins.py: the skin \"%s\" as a resource-only module." % display,
          "#include <windows.h>", "", "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL", "",
          'THEMES_INI TEXTFILE "resources/skins/%s/Themes.ini"' % name,
          'NORMAL_INI TEXTFILE "resources/skins/%s/Normal.ini"' % name]
    for image_name, file_name, kind in images:
        resource = image_name.replace(".", "_").replace("\\", "_").upper()
        rc.append('%s %s "resources/skins/%s/%s"' % (resource, "PNG" if kind == "png" else "BITMAP", name, file_name))
    rc += list(extra_rc)
    rc += ["", "STRINGTABLE", "BEGIN", '    5000 "%s"' % display, "END", ""]
    with open(os.path.join(folder, "Skin.rc"), "w", newline="\n") as out:
        out.write("\n".join(rc))
    return folder


def make_image_skin(name, display, p, office=False):
    clear_skin_folder(name)
    folder_images = []
    files = {}
    lines = ["; %s: generated by resources/make-skins.py." % display, "[Documentation]",
             "DisplayName = %s" % display, "Author = FolionyxReader", ""]
    lines += ["[Globals]", "BgType = ImageFile", "ImageLayout = Vertical", "TextColor = %s" % rgb(p["text"]),
              "TransparentColor = 255 0 255", ""]
    lines += sysmetrics_lines(p) + [""]
    for cls, part, part_id, states, names in SHEET:
        frames, margins, sizing, extra, kind = part_image(p, cls, part, states)
        strip = stack(frames)
        file_name = "%s%s.png" % (cls.title(), part.title())
        image_name = "%s\\%s" % (name, file_name)
        if file_name not in files:
            files[file_name] = strip
            folder_images.append((image_name, file_name, "png"))
        lines.append(section_name(cls.title() if cls != "WINDOW" else "Window", part.title()))
        lines.append("ImageFile = %s" % image_name)
        count = 2 if kind == "png2" else len(frames)
        lines.append("ImageCount = %d" % count)
        if kind != "png2":
            lines.append("ImageLayout = Vertical")
        lines.append("SizingMargins = %d, %d, %d, %d" % margins)
        lines.append("SizingType = %s" % sizing)
        lines += extra
        if cls == "WINDOW" and part in ("CAPTION", "SMALLCAPTION"):
            lines.append("TextColor = %s" % rgb(p["caption_text"]))
            lines.append("ContentAlignment = Left")
            lines.append("TextShadowType = Single")
            lines.append("TextShadowOffset = 1, 1")
            lines.append("TextShadowColor = %s" % rgb(mix(p["caption"], (0, 0, 0), 0.5)))
        lines.append("")
    images = list(folder_images)
    if office:
        lines.append("; The scroll bars come from the OFFICE2007 bitmaps.")
        images += office_images(p, name)
    folder = write_skin_folder(name, display, lines, images)
    for image_name, file_name, kind in folder_images:
        write_png(os.path.join(folder, file_name), files[file_name].rows())


def office_bitmaps(colour_of):
    """The eleven Office-2007 bitmaps; colour_of(image, cell) gives each cell's colour."""
    out = {}

    def solid_stack(image, count, w, h):
        rows = []
        for cell in range(count):
            rows += [[colour_of(image, cell)] * w for _ in range(h)]
        return rows

    for look in ("LIGHT", "DARK"):
        out["SCROLLVERTICAL" + look] = solid_stack("SCROLLVERTICAL" + look, 2, 17, 16)
        out["SCROLLHORIZONTAL" + look] = solid_stack("SCROLLHORIZONTAL" + look, 2, 16, 17)
        out["SCROLLARROWSVERTICAL" + look] = solid_stack("SCROLLARROWSVERTICAL" + look, 4, 17, 17)
        out["SCROLLARROWSHORIZONTAL" + look] = solid_stack("SCROLLARROWSHORIZONTAL" + look, 4, 17, 17)
    out["SCROLLARROWGLYPHS"] = solid_stack("SCROLLARROWGLYPHS", 16, 9, 9)
    out["SCROLLTHUMBVERTICAL"] = solid_stack("SCROLLTHUMBVERTICAL", 3, 17, 17)
    out["SCROLLTHUMBHORIZONTAL"] = solid_stack("SCROLLTHUMBHORIZONTAL", 3, 17, 17)
    return out


def office_images(p, name):
    """The product Office-2007 bitmaps: soft blue bars, arrows as glyphs on magenta."""
    folder = os.path.join(ROOT, "resources", "skins", name)
    os.makedirs(folder, exist_ok=True)
    result = []
    light, dark = (233, 238, 246), (190, 208, 234)

    def colour_of(image, cell):
        base = dark if "DARK" in image else light
        if "ARROWS" in image:
            return mix(base, (120, 150, 200), 0.15 * (cell + 1))
        if "THUMB" in image:
            return mix((200, 216, 240), (110, 150, 210), 0.3 * cell)
        if "GLYPHS" in image:
            return (255, 0, 255)
        return base if cell == 0 else mix(base, (120, 150, 200), 0.4)

    bitmaps = office_bitmaps(colour_of)
    # Glyph cells: a small triangle on the transparent magenta.
    glyphs = Canvas(9, 9 * 16, (255, 0, 255, 255))
    for cell in range(16):
        kind = ["up", "down", "left", "right"][cell // 4]
        colour = (60, 80, 110) if cell % 4 != 3 else (170, 176, 186)
        glyphs.glyph(kind, 0, 9 * cell, 9, 9 * cell + 9, colour)
    bitmaps["SCROLLARROWGLYPHS"] = [[px[:3] for px in row] for row in glyphs.rows()]
    for image in OFFICE_IMAGES:
        file_name = "Office2007%s.bmp" % image.title()
        write_bmp24(os.path.join(folder, file_name), bitmaps[image])
        result.append(("OFFICE2007\\%s.BMP" % image, file_name, "bmp"))
    return result


def make_quiet():
    p = {"face": (240, 240, 236), "border": (150, 150, 140), "caption": (96, 112, 104),
         "caption_inactive": (160, 166, 162), "caption_text": (255, 255, 255), "text": (30, 30, 30)}
    full = dict(CALM)
    full.update(p)
    full.update({"frame": (96, 112, 104), "frame_inactive": (160, 166, 162), "hot": (222, 230, 224),
                 "pressed": (196, 208, 200), "highlight": (96, 140, 120)})
    lines = ["; Folionyx Quiet: generated by resources/make-skins.py; border fill only.", "[Documentation]",
             "DisplayName = Folionyx Quiet", "",
             "[Globals]", "BgType = BorderFill", "BorderSize = 1", "BorderColor = %s" % rgb(full["border"]),
             "FillColor = %s" % rgb(full["face"]), "TextColor = %s" % rgb(full["text"]), ""]
    lines += sysmetrics_lines(full) + [""]
    lines += ["[Window.Caption]", "BorderSize = 0", "FillColor = %s" % rgb(full["caption"]),
              "TextColor = %s" % rgb(full["caption_text"]), "",
              "[Window.Caption(Inactive)]", "FillColor = %s" % rgb(full["caption_inactive"]), "",
              "[Window.SmallCaption]", "BorderSize = 0", "FillColor = %s" % rgb(full["caption"]),
              "TextColor = %s" % rgb(full["caption_text"]), ""]
    for part in ("FrameLeft", "FrameRight", "FrameBottom", "SmallFrameLeft", "SmallFrameRight", "SmallFrameBottom"):
        lines += ["[Window.%s]" % part, "BorderSize = 0", "FillColor = %s" % rgb(full["frame"]), ""]
    for part in ("MinButton", "MaxButton", "CloseButton", "RestoreButton", "HelpButton"):
        lines += ["[Window.%s]" % part, "BorderColor = %s" % rgb(mix(full["caption"], (0, 0, 0), 0.3)),
                  "FillColor = %s" % rgb(mix(full["caption"], (255, 255, 255), 0.2)), "",
                  "[Window.%s(Hot)]" % part, "FillColor = %s" % rgb(mix(full["caption"], (255, 255, 255), 0.4)), "",
                  "[Window.%s(Pushed)]" % part, "FillColor = %s" % rgb(mix(full["caption"], (0, 0, 0), 0.3)), ""]
    for part in ("PushButton", "CheckBox", "RadioButton"):
        lines += ["[Button.%s(%s)]" % (part, "Hot" if part == "PushButton" else "UncheckedHot"),
                  "FillColor = %s" % rgb(full["hot"]), "",
                  "[Button.%s(Pressed)]" % part if part == "PushButton" else "[Button.%s(CheckedNormal)]" % part,
                  "FillColor = %s" % rgb(full["pressed"]), ""]
    lines += ["[ScrollBar.LowerTrackVert]", "BorderSize = 0", "FillColor = 226 228 222", "",
              "[ScrollBar.UpperTrackVert]", "BorderSize = 0", "FillColor = 226 228 222", "",
              "[ScrollBar.LowerTrackHorz]", "BorderSize = 0", "FillColor = 226 228 222", "",
              "[ScrollBar.UpperTrackHorz]", "BorderSize = 0", "FillColor = 226 228 222", "",
              "[Progress.Chunk]", "FillColor = %s" % rgb(full["highlight"]), ""]
    clear_skin_folder("Quiet")
    write_skin_folder("Quiet", "Folionyx Quiet", lines, [])


# ---------------------------------------------------------------------------------------------
# Test fixtures: one colour per cell, so a test knows which property drew a pixel.

def fixture_colour(i):
    return (16 + (i % 14) * 16, 16 + ((i // 14) % 14) * 16, 16 + ((i // 196) % 14) * 16)


def make_fixtures():
    folder = os.path.join(ROOT, "tests", "toolkit", "skin", "fixtures")
    os.makedirs(folder, exist_ok=True)
    lines = ["; Border-fill fixture: generated by resources/make-skins.py; one fill colour per",
             "; (class, part, state) section, black one-pixel borders from Globals.",
             "[Globals]", "BgType = BorderFill", "BorderSize = 1", "BorderColor = 0 0 0", "FillColor = 255 255 255", "",
             "[SysMetrics]", "CaptionBarHeight = 20", "SmCaptionBarHeight = 16", "ScrollBarWidth = 16",
             "ScrollBarHeight = 16", ""]
    expected = []
    index = 0
    for cls, part, part_id, states, names in SHEET:
        part_colour = fixture_colour(index)
        index += 1
        lines += [section_name(cls, part), "FillColor = %s" % rgb(part_colour), ""]
        for n, state_name in enumerate(names):
            lines += [section_name(cls, part, state_name), "FillColor = %s" % rgb(fixture_colour(index)), ""]
            index += 1
        for state in range(0, max(states, 0) + 1):
            if states and state == 0:
                continue
            colour = part_colour
            if 1 <= state <= len(names):
                colour = fixture_colour(index - len(names) + state - 1)
            expected.append((cls, part_id, state, colour))
    write_utf16_text(os.path.join(folder, "BorderFill.ini"), lines)
    with open(os.path.join(folder, "BorderFillExpected.inc"), "w", newline="\n") as out:
        out.write("// Generated by resources/make-skins.py: each sheet cell of the border-fill fixture and the\n"
                  "// fill colour its INI gives it (a state without a section of its own takes its part's).\n")
        for cls, part_id, state, c in expected:
            out.write('{L"%s", %d, %d, RGB(%d, %d, %d)},\n' % (cls, part_id, state, c[0], c[1], c[2]))

    # The Office-2007 fixture: every cell of every bitmap its own colour.
    cells = {}

    def colour_of(image, cell):
        key = (image, cell)
        if key not in cells:
            cells[key] = fixture_colour(500 + len(cells))
        return cells[key]

    bitmaps = office_bitmaps(colour_of)
    office_lines = ["; Office-2007 fixture: generated by resources/make-skins.py.", "[Globals]", "BgType = BorderFill",
                    "BorderSize = 0", "FillColor = 255 255 255", "",
                    "[ScrollBar.GripperVert]", "FillColor = 1 2 3", "", "[ScrollBar.GripperHorz]", "FillColor = 1 2 3", ""]
    write_utf16_text(os.path.join(folder, "Office2007.ini"), office_lines)
    rc = ["// Generated by resources/make-skins.py: the Office-2007 fixture module.", "#include <windows.h>", "",
          "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL", "",
          'NORMAL_INI TEXTFILE "tests/toolkit/skin/fixtures/Office2007.ini"']
    with open(os.path.join(folder, "Office2007Expected.inc"), "w", newline="\n") as out:
        out.write("// Generated by resources/make-skins.py: the colour of each cell of the Office-2007 fixture.\n")
        for image in OFFICE_IMAGES:
            write_bmp24(os.path.join(folder, "Office2007%s.bmp" % image.title()), bitmaps[image])
            rc.append('OFFICE2007_%s_BMP BITMAP "tests/toolkit/skin/fixtures/Office2007%s.bmp"' % (image, image.title()))
        for (image, cell), c in sorted(cells.items()):
            out.write('{L"%s", %d, RGB(%d, %d, %d)},\n' % (image, cell, c[0], c[1], c[2]))
    rc += ["", "STRINGTABLE", "BEGIN", '    5000 "Office 2007 Style"', "END", ""]
    with open(os.path.join(folder, "SkinFixtureOffice2007.rc"), "w", newline="\n") as out:
        out.write("\n".join(rc))
    rc = ["// Generated by resources/make-skins.py: the border-fill fixture module.", "#include <windows.h>", "",
          "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL", "",
          'NORMAL_INI TEXTFILE "tests/toolkit/skin/fixtures/BorderFill.ini"', "",
          "STRINGTABLE", "BEGIN", '    5000 "Border Fill Fixture"', "END", ""]
    with open(os.path.join(folder, "SkinFixtureBorderFill.rc"), "w", newline="\n") as out:
        out.write("\n".join(rc))

    # Resource-file fixtures: a THEMES_INI naming Normal.ini, an INI whose last line has no end,
    # and a THEMES_INI whose header never closes.
    write_utf16_text(os.path.join(folder, "Themes.ini"), ["; lists the INI files", "[File.Normal]", "ColorSchemes = x"])
    with open(os.path.join(folder, "NoEnd.ini"), "wb") as out:
        text = "\ufeff[Button.PushButton(Hot)]\rTextColor = 255 0 0\nFillColor = 1 2 3\r\nBorderColor = 4 5 6"
        out.write(text.encode("utf-16-le"))
    with open(os.path.join(folder, "OpenThemes.ini"), "wb") as out:
        out.write("[File.Normal".encode("utf-16-le"))


def write_sheet_table():
    path = os.path.join(ROOT, "demos", "skin", "SheetParts.inc")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as out:
        out.write("// Generated by resources/make-skins.py: the parts the sheet draws, as\n"
                  "// {class, part name, part id, states (0: one cell in state 0)}.\n")
        for cls, part, part_id, states, names in SHEET:
            out.write('{L"%s", L"%s", %d, %d},\n' % (cls, part, part_id, states))


def main():
    make_image_skin("Calm", "Folionyx Calm", CALM)
    make_image_skin("CalmDark", "Folionyx Calm Dark", CALM_DARK)
    make_image_skin("Office2007", "Office 2007 Style", CALM, office=True)
    make_quiet()
    make_fixtures()
    write_sheet_table()


if __name__ == "__main__":
    main()
