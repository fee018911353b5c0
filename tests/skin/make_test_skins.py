#!/usr/bin/env python3
"""Writes the skins the skin tests load, into the folder given as argument.

  TestSkin/           a skin folder: Options.dat, MASTER.BMP and the images
  TestSkinPacked.asz  the same skin packed
  TestSkinForm.txt    a form in the text form holding a skin manager with two
                      stored skins: "StoredPacked", whose Data is the packed
                      skin, and "StoredSpelled", the same skin spelled out as
                      sections, images and a master bitmap
  colours.txt         every flat colour of the images and sections, by name
  BadMagic.asz        the packed skin with a wrong magic
  BadShadow/          a non-numeric SHADOW1OFFSET
  Cycle/              two sections naming each other as PARENTCLASS
  BadBang/            "!" values with count 0, mask type -1, a negative kind
                      and negative widths
  Outside/            a rectangle outside the master bitmap

Every image has a flat colour per section and per state column (normal, hot,
pressed) and clFuchsia corner pixels; a masked image (mask type 1) has under
its picture a black mask half, white at the corners. The cells of the PNG
pictures (BUTTON's GLYPH, GLOBALINFO's EXBORDER) have a half-transparent left
column and fully transparent white corners.
The JPEG textures SMALL.JPG (299 x 300) and LARGE.JPG (300 x 300) named by
the options are not written: the tests make them with the class library's
JPEG encoder. Standard library only.
"""
import copy
import os
import struct
import sys
import zlib

FUCHSIA = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


class Colours:
    """Distinct flat colours handed out by name; never grey, fuchsia, white
    or black, so hue and saturation changes move every one of them."""

    def __init__(self):
        self.table = {}
        self.used = {FUCHSIA, BLACK, WHITE}
        self.counter = 0

    def __call__(self, name):
        if name in self.table:
            return self.table[name]
        while True:
            self.counter += 1
            i = self.counter
            c = ((i * 71 + 23) % 224 + 16, (i * 131 + 97) % 224 + 16, (i * 47 + 181) % 224 + 16)
            if c not in self.used and len(set(c)) == 3:
                break
        self.used.add(c)
        self.table[name] = c
        return c

    def write(self, path):
        with open(path, "w", newline="\n") as f:
            f.write("# Flat colours of the generated test skins: NAME R G B.\n")
            f.write("# IMAGE.KEY.n is state column n of an image; SECTION.KEY a section's colour value.\n")
            for name in sorted(self.table):
                r, g, b = self.table[name]
                f.write("%s %d %d %d\n" % (name, r, g, b))


def tcolor(c):
    """The colour as the options file writes it: 0x00BBGGRR in decimal."""
    return c[0] | (c[1] << 8) | (c[2] << 16)


class Image:
    """An RGBA picture, top row first."""

    def __init__(self, width, height, fill=(0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [[tuple(fill) + (255,)] * width for _ in range(height)]

    def set(self, x, y, c, alpha=255):
        self.pixels[y][x] = tuple(c[:3]) + (alpha,)

    def fill(self, left, top, right, bottom, c, alpha=255):
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, c, alpha)

    def corners(self, left, top, right, bottom, c, alpha=255):
        for x, y in ((left, top), (right - 1, top), (left, bottom - 1), (right - 1, bottom - 1)):
            self.set(x, y, c, alpha)

    def bmp(self):
        """A 24-bit bottom-up BMP file."""
        stride = (self.width * 3 + 3) & ~3
        rows = []
        for y in range(self.height - 1, -1, -1):
            row = bytearray()
            for r, g, b, _ in self.pixels[y]:
                row += bytes((b, g, r))
            row += b"\0" * (stride - len(row))
            rows.append(bytes(row))
        data = b"".join(rows)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
        return head + info + data

    def bmp32(self):
        """A 32-bit bottom-up BMP file (B, G, R, A)."""
        rows = []
        for y in range(self.height - 1, -1, -1):
            rows.append(b"".join(bytes((b, g, r, a)) for r, g, b, a in self.pixels[y]))
        data = b"".join(rows)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 32, 0, len(data), 2835, 2835, 0, 0)
        head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
        return head + info + data

    def zero_transparent_white(self):
        """White pixels with alpha 0 become all zero, as a skin load leaves
        a PNG picture."""
        for row in self.pixels:
            for x, p in enumerate(row):
                if p == (255, 255, 255, 0):
                    row[x] = (0, 0, 0, 0)

    def png(self):
        """An 8-bit RGBA PNG file, no filtering."""
        raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in self.pixels)

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


def draw_states(img, colours, name, left, top, count, cell_w, cell_h, masked):
    """Count state cells side by side at (left, top), each a flat colour of
    its own with fuchsia corners; a masked image gets its mask half below."""
    for s in range(count):
        x = left + s * cell_w
        c = colours("%s.%d" % (name, s))
        img.fill(x, top, x + cell_w, top + cell_h, c)
        img.corners(x, top, x + cell_w, top + cell_h, FUCHSIA)
        if masked:
            img.fill(x, top + cell_h, x + cell_w, top + 2 * cell_h, BLACK)
            img.corners(x, top + cell_h, x + cell_w, top + 2 * cell_h, WHITE)


def state_image(colours, name, count, cell_w, cell_h, masked):
    img = Image(count * cell_w, cell_h * (2 if masked else 1))
    draw_states(img, colours, name, 0, 0, count, cell_w, cell_h, masked)
    return img


def png_states(colours, name, count, width, height):
    """State cells of a 32-bit picture: opaque colour, a half-transparent
    left column and fully transparent white corners."""
    img = Image(count * width, height)
    for s in range(count):
        x = s * width
        c = colours("%s.%d" % (name, s))
        img.fill(x, 0, x + width, height, c)
        img.fill(x, 0, x + 1, height, c, 128)
        img.corners(x, 0, x + width, height, WHITE, 0)
    return img


# Where each image of the master bitmap lies: (left, top, count, cell width,
# cell height, masked).
MASTER_SIZE = (200, 100)
MASTER_CUTS = {
    "GLOBALINFO.BOXCHECKED": (0, 0, 3, 16, 16, False),
    "GLOBALINFO.BOXUNCHECKED": (0, 16, 3, 16, 16, False),
    "GLOBALINFO.BOXGRAYED": (0, 32, 3, 16, 16, False),
    "BUTTON.BORDERSMASK": (48, 0, 3, 20, 20, True),
    "PATTERNED.PATTERN": (108, 0, 1, 30, 30, True),
    "PATTERNED.HOTPATTERN": (138, 0, 1, 30, 30, False),
    "EDIT.BORDERSMASK": (0, 48, 3, 20, 20, True),
    "DIVIDER.BORDERSMASK": (60, 48, 3, 10, 10, False),
    "SCROLLBTNBOTTOM.GLYPHMASK": (90, 48, 3, 12, 12, False),
}


def master_bitmap(colours):
    img = Image(*MASTER_SIZE, fill=colours("MASTER"))
    for name, (left, top, count, w, h, masked) in MASTER_CUTS.items():
        draw_states(img, colours, name, left, top, count, w, h, masked)
    return img


def section_colours(colours, section, keys=("COLOR", "FONTCOLOR", "HOTCOLOR", "HOTFONTCOLOR")):
    return "".join("%s=%d\r\n" % (k, tcolor(colours("%s.%s" % (section, k)))) for k in keys)


def test_skin(colours):
    """The options text and the pictures of the test skin, by file name."""
    c = colours
    pictures = {
        "MASTER.BMP": master_bitmap(c),
        "PANEL.BMP": state_image(c, "PANEL.BORDERSMASK", 3, 20, 20, True),
        "PANEL_LOW.BMP": state_image(c, "PANEL_LOW.BORDERSMASK", 3, 20, 20, True),
        "GLYPH.PNG": png_states(c, "BUTTON.GLYPH", 3, 16, 16),
        "EXBORDER.PNG": png_states(c, "GLOBALINFO.EXBORDER", 2, 40, 30),
        "BUTTONGLOW.BMP": state_image(c, "BUTTON.GLOW0", 1, 24, 12, True),
        "CHECKBOX.BMP": state_image(c, "CHECKBOX.BORDERSMASK", 3, 16, 16, True),
        "SCROLLBTN.BMP": state_image(c, "SCROLLBTNBOTTOM.BORDERSMASK", 3, 12, 12, False),
        "WIDEFRAME.BMP": state_image(c, "WIDEFRAME.BORDERSMASK", 3, 60, 20, True),
    }
    for corner in ("IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"):
        pictures["PANEL_%s.BMP" % corner[3:]] = state_image(c, "PANEL." + corner, 1, 8, 8, False)

    start, end = c("BUTTON.GRADIENTSTART"), c("BUTTON.GRADIENTEND")
    options = (
        "[GLOBALINFO]\r\n"
        "VERSION=6.5\r\n"
        "AUTHOR=Dozuri\r\n"
        "DESCRIPTION=Test skin of the skin tests\r\n"
        "MASTERBITMAP=MASTER.BMP\r\n"
        "SHADOW1COLOR=%d\r\n"
        "SHADOW1OFFSET=3\r\n"
        "SHADOW1BLUR=4\r\n"
        "SHADOW1TRANSPARENCY=40\r\n"
        "BORDERWIDTH=5\r\n"
        "TITLEHEIGHT=26\r\n"
        "BORDERCOLOR=%d\r\n" % (tcolor(c("GLOBALINFO.SHADOW1COLOR")), tcolor(c("GLOBALINFO.BORDERCOLOR")))
        + section_colours(c, "GLOBALINFO", ("COLOR", "FONTCOLOR", "HOTCOLOR")) +
        "BOXCHECKED=@0000,0000,0048,0016,3,0\r\n"
        "BOXUNCHECKED=@0000,0016,0048,0032,3,0\r\n"
        "BOXGRAYED=@0000,0032,0048,0048,3,0\r\n"
        "EXBORDER=!EXBORDER.PNG!2!0!0!14!10!14!16\r\n"
        "[PANEL]\r\n" + section_colours(c, "PANEL") +
        "BORDERSMASK=!PANEL.BMP!3!1!0\r\n"
        "IMGTOPLEFT=!PANEL_TOPLEFT.BMP!1!0!2\r\n"
        "IMGTOPRIGHT=!PANEL_TOPRIGHT.BMP!1!0!2\r\n"
        "IMGBTMLEFT=!PANEL_BTMLEFT.BMP!1!0!2\r\n"
        "IMGBTMRIGHT=!PANEL_BTMRIGHT.BMP!1!0!2\r\n"
        "[PANEL_LOW]\r\n"
        "PARENTCLASS=PANEL\r\n"
        "TRANSPARENCY=50\r\n"
        "FONTCOLOR=%d\r\n"
        "BORDERSMASK=!PANEL_LOW.BMP!3!1!0!3!3!3!3\r\n" % tcolor(c("PANEL_LOW.FONTCOLOR")) +
        "[CLEARPANEL]\r\n"
        "PARENTCLASS=PANEL\r\n"
        "TRANSPARENCY=100\r\n"
        "[WIDEFRAME]\r\n"
        "TRANSPARENCY=100\r\n"
        "BORDERSMASK=!WIDEFRAME.BMP!3!1!0!13!2!13!2\r\n"
        "[BUTTON]\r\n" + section_colours(c, "BUTTON") +
        "GRADIENTPERCENT=100\r\n"
        "GRADIENTDATA=%d;%d;100;0;0\r\n"
        "BORDERSMASK=^0048,0000,0108,0040,0004,0004,0004,0004,3,1,0,0\r\n"
        "GLYPH=!GLYPH.PNG!3!0!4\r\n"
        "GLOW=1\r\n"
        "GLOWMARGIN=3\r\n"
        "GLOW0=!BUTTONGLOW.BMP!1!1!3\r\n" % (tcolor(start), tcolor(end)) +
        "[SPEEDBUTTON]\r\n"
        "PARENTCLASS=BUTTON\r\n"
        "COLOR=-1\r\n"
        "FONTCOLOR=%d\r\n" % tcolor(c("SPEEDBUTTON.FONTCOLOR")) +
        "[CHECKBOX]\r\n" + section_colours(c, "CHECKBOX", ("COLOR", "FONTCOLOR")) +
        "BORDERSMASK=CHECKBOX.BMP\r\n"
        "LOWERGLYPH=!checkbox.bmp!3!1!2\r\n"
        "[EDIT]\r\n" + section_colours(c, "EDIT") +
        "BORDERSMASK=#(0,48,60,88)(3,1)\r\n"
        "[DIVIDER]\r\n" + section_colours(c, "DIVIDER", ("COLOR",)) +
        "BORDERSMASK=#(60,48,90,58)(3,0,2)\r\n"
        "[SCROLLBTNBOTTOM]\r\n" + section_colours(c, "SCROLLBTNBOTTOM", ("COLOR",)) +
        "BORDERSMASK=!SCROLLBTN.BMP!3!0!0\r\n"
        "GLYPHMASK=@0090,0048,0126,0060,3,0\r\n"
        "[PATTERNED]\r\n" + section_colours(c, "PATTERNED", ("COLOR",)) +
        "PATTERN=~0108,0000,0138,0060,00,1\r\n"
        "HOTPATTERN=~0138,0000,0168,0030,00\r\n"
        "[SELFISH]\r\n"
        "PARENTCLASS=SELFISH\r\n"
        "[JPEGSMALL]\r\n"
        "PATTERN=SMALL.JPG\r\n"
        "[JPEGLARGE]\r\n"
        "PATTERN=LARGE.JPG\r\n"
    )
    return options, pictures


def file_bytes(pictures):
    return {name: (img.png() if name.endswith(".PNG") else img.bmp()) for name, img in pictures.items()}


def archive(entries, magic=b"ASzf"):
    """A packed skin: magic, entry count, then name length, name, size and
    one zlib stream per entry."""
    out = bytearray(magic + struct.pack("<i", len(entries)))
    for name, data in entries:
        raw = name.encode("ascii")
        out += struct.pack("<i", len(raw)) + raw + struct.pack("<i", len(data)) + zlib.compress(data, 9)
    return bytes(out)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_folder(folder, options, files):
    write(os.path.join(folder, "Options.dat"), options.encode("ascii"))
    for name, data in files.items():
        write(os.path.join(folder, name), data)


def damaged_skins(out, colours, entries):
    write(os.path.join(out, "BadMagic.asz"), archive(entries, b"ASzx"))
    write_folder(os.path.join(out, "BadShadow"),
                 "[GLOBALINFO]\r\nSHADOW1OFFSET=two\r\n[PANEL]\r\nCOLOR=255\r\n", {})
    write_folder(os.path.join(out, "Cycle"),
                 "[ALPHA]\r\nPARENTCLASS=BETA\r\n[BETA]\r\nPARENTCLASS=ALPHA\r\n"
                 "[GAMMA]\r\nPARENTCLASS=ALPHA\r\nCOLOR=255\r\n", {})
    panel = state_image(colours, "PANEL.BORDERSMASK", 3, 20, 20, True).bmp()
    write_folder(os.path.join(out, "BadBang"),
                 "[PANEL]\r\n"
                 "NOCOUNT=!PANEL.BMP!0!1!0\r\n"
                 "NOMASKTYPE=!PANEL.BMP!3!-1!0\r\n"
                 "NEGATIVEKIND=!PANEL.BMP!3!1!-1\r\n"
                 "NEGATIVEWIDTHS=!PANEL.BMP!3!1!0!-2!-2!-2!-2\r\n"
                 "BORDERSMASK=!PANEL.BMP!3!1!0\r\n", {"PANEL.BMP": panel})
    small_master = Image(40, 40, fill=colours("MASTER")).bmp()
    write_folder(os.path.join(out, "Outside"),
                 "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n"
                 "[PANEL]\r\n"
                 "BORDERSMASK=#(0,0,500,10)(1,0)\r\n"
                 "GLYPHMASK=@0030,0030,0050,0040,1,0\r\n"
                 "INSIDE=#(0,0,30,10)(3,0)\r\n", {"MASTER.BMP": small_master})


# ---- The stored skins of the form file

def ini_sections(options):
    """The sections of an options text in file order, each with its keys
    (upper-cased, as the INI reader finds them) and values."""
    sections = []
    for line in options.splitlines():
        if line.startswith("[") and line.endswith("]"):
            sections.append((line[1:-1], {}))
        elif "=" in line and sections:
            key, value = line.split("=", 1)
            sections[-1][1][key.upper()] = value
    return sections


class Inheritance:
    """Section keys read as a folder load reads them: -1 and "?" count as
    absent and are looked for along PARENTCLASS."""

    def __init__(self, sections):
        self.sections = dict(sections)

    def raw(self, section, key, absent):
        for _ in range(len(self.sections) + 1):
            keys = self.sections.get(section, {})
            value = keys.get(key)
            if value is not None and value != absent:
                return value
            parent = keys.get("PARENTCLASS", "?")
            if parent in ("", "?", section):
                return None
            section = parent
        return None

    def integer(self, section, key, default):
        value = self.raw(section, key, "-1")
        try:
            return int(value) if value is not None else default
        except ValueError:
            return default

    def text(self, section, key, default):
        value = self.raw(section, key, "?")
        return value if value is not None else default

    def boolean(self, section, key):
        return self.text(section, key, "FALSE").upper() == "TRUE"


def stored_section(inherit, name, keys):
    """One TsSkinGeneral with the values a folder load gives the section."""
    i, t = inherit.integer, inherit.text

    def colours(first, prefix):
        values = [i(name, first, 0)] + [i(name, prefix + k, -1) for k in ("TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM")]
        return " ".join(str(v) for v in values)

    return [
        ("SectionName", name), ("ParentClass", keys.get("PARENTCLASS", "")),
        ("Color", i(name, "COLOR", 0xFFFFFF)), ("ReservedBoolean", inherit.boolean(name, "RESERVEDBOOLEAN")),
        ("FontColor", colours("FONTCOLOR", "")), ("HotFontColor", colours("HOTFONTCOLOR", "HOT")),
        ("Transparency", i(name, "TRANSPARENCY", 0)), ("GlowCount", i(name, "GLOW", 0)),
        ("GlowMargin", i(name, "GLOWMARGIN", 0)), ("GradientPercent", i(name, "GRADIENTPERCENT", 0)),
        ("GradientData", t(name, "GRADIENTDATA", " ")), ("ImagePercent", i(name, "IMAGEPERCENT", 0)),
        ("ShowFocus", inherit.boolean(name, "SHOWFOCUS")), ("FadingEnabled", inherit.boolean(name, "FADINGENABLED")),
        ("FadingIterations", i(name, "FADINGITERATIONS", 5)), ("HotColor", i(name, "HOTCOLOR", 0xFFFFFF)),
        ("HotTransparency", i(name, "HOTTRANSPARENCY", 0)),
        ("HotGradientPercent", i(name, "HOTGRADIENTPERCENT", 0)),
        ("HotGradientData", t(name, "HOTGRADIENTDATA", "")), ("HotImagePercent", i(name, "HOTIMAGEPERCENT", 0)),
        ("GiveOwnFont", inherit.boolean(name, "GIVEOWNFONT")),
        ("HotGlowColor", i(name, "HGCOL", 0xFFFFFF)), ("GlowColor", i(name, "GCOL", 0xFFFFFF)),
        ("HotGlowSize", i(name, "HGSIZE", 0)), ("GlowSize", i(name, "GSIZE", 0)),
    ]


KINDS = ["itisaBorder", "itisaTexture", "itisaGlyph", "itisaGlow", "itisaPngGlyph"]


def stored_image(section, key, value, pictures):
    """One TsSkinImage for an image value, as a packed load reads it, or
    None when the value names no image there ("!" names are looked up as
    written among the upper-case entries)."""
    item = {"SectionName": section, "PropertyName": key, "Left": 0, "Top": 0, "Right": 0, "Bottom": 0,
            "BorderWidth": 0, "StretchMode": 0, "WL": 0, "WR": 0, "WT": 0, "WB": 0}
    picture = None
    if value.startswith("!"):
        tokens = value.split("!")[1:]
        if tokens[0] not in pictures:
            return None
        picture = tokens[0]
        item.update(ImageCount=int(tokens[1]), MaskType=int(tokens[2]), ImgType=KINDS[min(int(tokens[3]), 4)],
                    StretchMode=4)
        if len(tokens) > 4:
            item.update(WL=int(tokens[4]), WT=int(tokens[5]), WR=int(tokens[6]), WB=int(tokens[7]))
    elif value[:1] in "@^~":
        item.update(Left=int(value[1:5]), Top=int(value[6:10]), Right=int(value[11:15]), Bottom=int(value[16:20]))
        if value[0] == "@":
            item.update(ImageCount=int(value[21]), MaskType=int(value[23]), ImgType="itisaGlyph")
        elif value[0] == "^":
            item.update(WL=int(value[21:25]), WT=int(value[26:30]), WR=int(value[31:35]), WB=int(value[36:40]),
                        ImageCount=int(value[41]), MaskType=int(value[43]), StretchMode=int(value[45]),
                        BorderWidth=int(value[47]), ImgType="itisaBorder")
        else:
            item.update(ImageCount=1, StretchMode=int(value[21:23]),
                        MaskType=int(value[24]) if len(value) >= 25 else 0, ImgType="itisaTexture")
    elif "#" in value:
        tokens = [t for t in value.replace("(", " ").replace(")", " ").split(" ") if t]
        left, top, right, bottom = (int(n) for n in tokens[1].split(","))
        numbers = [int(n) for n in tokens[2].split(",")]
        item.update(Left=left, Top=top, Right=right, Bottom=bottom, ImageCount=numbers[0], MaskType=numbers[1],
                    BorderWidth=numbers[2] if len(numbers) > 2 else 0,
                    StretchMode=numbers[3] if len(numbers) > 3 else 1, ImgType="itisaBorder")
        item.update(SectionName=section.upper(), PropertyName=key.upper())
    elif ".BMP" in value.upper() and value.upper() in pictures:
        picture = value.upper()
        item.update(ImageCount=3, MaskType=1, ImgType="itisaBorder",
                    SectionName=section.upper(), PropertyName=key.upper())
    else:
        return None
    if picture is not None:
        image = pictures[picture]
        item.update(Name=picture, Right=image.width, Bottom=image.height, Image=picture)
    return item


def quoted(text):
    return "'" + text.replace("'", "''") + "'"


def hex_lines(data, indent):
    """A binary value: hex digits, 32 bytes a line."""
    lines = [data[i:i + 32].hex().upper() for i in range(0, len(data), 32)] or [""]
    return "{" + ("\n" + indent).join([""] + lines) + "}"


def sized_block(data):
    """A bitmap's "Data": its length, then the bitmap file."""
    return struct.pack("<i", len(data)) + data


def property_lines(name, value, indent):
    if isinstance(value, bool):
        text = "True" if value else "False"
    elif isinstance(value, int):
        text = str(value)
    elif isinstance(value, float):
        text = repr(value)
    elif isinstance(value, bytes):
        text = hex_lines(value, indent + "  ")
    elif isinstance(value, tuple):  # an identifier
        text = value[0]
    else:
        text = quoted(value)
    return "%s%s = %s\n" % (indent, name, text)


def collection_text(name, items, indent):
    out = "%s%s = <" % (indent, name)
    for item in items:
        out += "\n%s  item\n" % indent
        for key, value in item:
            out += property_lines(key, value, indent + "    ")
        out += "%s  end" % indent
    return out + ">\n"


def form_text(options, pictures, packed):
    sections = ini_sections(options)
    inherit = Inheritance(sections)
    generals = [stored_section(inherit, name, keys) for name, keys in sections]
    images = []
    for name, keys in sections:
        for key, value in keys.items():
            if name == "GLOBALINFO" and key == "MASTERBITMAP":
                continue
            item = stored_image(name, key, value, pictures)
            if item is None:
                continue
            fields = []
            for field in ("SectionName", "Image", "Name", "PropertyName", "Left", "Top", "Right", "Bottom",
                          "ImageCount", "MaskType", "BorderWidth", "StretchMode", "ImgType", "WL", "WR", "WT",
                          "WB"):
                if field == "Image" and "Image" in item:
                    picture = pictures[item["Image"]]
                    if item["Image"].endswith(".PNG"):
                        loaded = copy.deepcopy(picture)
                        loaded.zero_transparent_white()
                        fields.append(("Image.Data", sized_block(loaded.bmp32())))
                    else:
                        fields.append(("Image.Data", sized_block(picture.bmp())))
                elif field == "ImgType":
                    fields.append((field, (item[field],)))
                elif field in item:
                    fields.append((field, item[field]))
            images.append(fields)
    globalinfo = dict(sections)["GLOBALINFO"]
    text = "object TestSkinForm: TForm\n  object sSkinManager1: TsSkinManager\n"
    text += "    InternalSkins = <\n      item\n"
    text += property_lines("Name", "StoredPacked", "        ")
    text += property_lines("Data", packed, "        ")
    text += "      end\n      item\n"
    text += property_lines("Name", "StoredSpelled", "        ")
    text += collection_text("GeneralData", generals, "        ")
    text += collection_text("Images", images, "        ")
    text += property_lines("MasterBitmap.Data", sized_block(pictures["MASTER.BMP"].bmp()), "        ")
    for name, key in (("Shadow1Color", "SHADOW1COLOR"), ("Shadow1Offset", "SHADOW1OFFSET"),
                      ("Shadow1Blur", "SHADOW1BLUR"), ("Shadow1Transparency", "SHADOW1TRANSPARENCY"),
                      ("BorderColor", "BORDERCOLOR")):
        text += property_lines(name, int(globalinfo[key]), "        ")
    text += property_lines("Version", float(globalinfo["VERSION"]), "        ")
    text += property_lines("Author", globalinfo["AUTHOR"], "        ")
    text += property_lines("Description", globalinfo["DESCRIPTION"], "        ")
    text += property_lines("Data", b"", "        ")
    text += "      end>\n  end\nend\n"
    return text


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_test_skins.py OUTPUT_FOLDER")
    out = sys.argv[1]
    colours = Colours()
    options, pictures = test_skin(colours)
    files = file_bytes(pictures)
    write_folder(os.path.join(out, "TestSkin"), options, files)
    entries = [("Options.dat", options.encode("ascii"))] + sorted(files.items())
    packed = archive(entries)
    write(os.path.join(out, "TestSkinPacked.asz"), packed)
    write(os.path.join(out, "TestSkinForm.txt"), form_text(options, pictures, packed).encode("ascii"))
    damaged_skins(out, colours, entries)
    colours.write(os.path.join(out, "colours.txt"))


if __name__ == "__main__":
    main()
