#!/usr/bin/python3
# Draws the gallery's seven navigation images and writes them as byte arrays
# into NavImages.cpp beside this script. Run once after changing the artwork:
#   /usr/bin/python3 resources/make_nav_images.py
# Needs Pillow (Debian python3-pil).
import io
import math
import os

from PIL import Image


def palette_image(width, height, palette, pixels):
    """A palette image from a list of (r, g, b) and a function giving each
    pixel's palette index."""
    img = Image.new("P", (width, height))
    flat = []
    for r, g, b in palette:
        flat += [r, g, b]
    img.putpalette(flat, "RGB")
    img.putdata([pixels(x, y) for y in range(height) for x in range(width)])
    return img


def lzw_codes(indices, min_size):
    """The GIF variant of LZW: variable code width from min_size + 1 bits,
    the width growing once the next code no longer fits, a clear code when
    the table is full. Returns the packed bytes."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    out, acc, bits = bytearray(), 0, 0
    width = min_size + 1

    def emit(code):
        nonlocal acc, bits
        acc |= code << bits
        bits += width
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8

    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    emit(clear)
    word = ()
    for k in indices:
        longer = word + (k,)
        if longer in table:
            word = longer
            continue
        emit(table[word])
        if next_code < 4096:
            table[longer] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            next_code = end + 1
            width = min_size + 1
        word = (k,)
    emit(table[word])
    emit(end)
    if bits:
        out.append(acc & 0xFF)
    return bytes(out)


def gif_bytes(img, transparency=None):
    """GIF89a with a global colour table of exactly the image's palette size
    (a power of two), one image, and a transparent index when given."""
    width, height = img.size
    palette = img.getpalette()
    entries = len(palette) // 3
    table_bits = max(1, (entries - 1).bit_length())
    assert 1 << table_bits == entries
    data = bytearray(b"GIF89a")
    data += width.to_bytes(2, "little") + height.to_bytes(2, "little")
    data += bytes([0x80 | ((table_bits - 1) << 4) | (table_bits - 1), 0, 0])
    data += bytes(palette)
    if transparency is not None:
        data += bytes([0x21, 0xF9, 4, 1, 0, 0, transparency, 0])
    data += b"\x2C" + bytes(4) + width.to_bytes(2, "little") + height.to_bytes(2, "little")
    data += b"\x00"
    min_size = max(2, table_bits)
    packed = lzw_codes(list(img.getdata()), min_size)
    data.append(min_size)
    for i in range(0, len(packed), 255):
        piece = packed[i:i + 255]
        data.append(len(piece))
        data += piece
    data += b"\x00\x3B"
    return bytes(data)


def nearest(palette, colour, first=0):
    best, best_d = first, None
    for i in range(first, len(palette)):
        d = sum((a - b) ** 2 for a, b in zip(palette[i], colour))
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


# --- Round button with a green arrowhead (20x20, 16 colours) ---------------

BUTTON_CLEAR = (0xBF, 0xBF, 0xBF)
BUTTON_PALETTE = [BUTTON_CLEAR] + [
    (0x20, 0x20, 0x20), (0x30, 0x30, 0x30), (0x40, 0x40, 0x40),
    (0x50, 0x50, 0x50), (0x60, 0x60, 0x60), (0x70, 0x70, 0x70),
    (0x80, 0x80, 0x80), (0x90, 0x90, 0x90),
    (0x10, 0x50, 0x10), (0x20, 0x80, 0x20), (0x30, 0xA0, 0x30),
    (0x50, 0xC0, 0x40), (0x80, 0xE0, 0x60), (0x10, 0x10, 0x10),
    (0x00, 0x00, 0x00)]


def button_pixel(x, y, pointing_left):
    cx, cy, radius = 9.5, 9.5, 9.3
    dx, dy = x - cx, y - cy
    dist = math.hypot(dx, dy)
    if dist > radius:
        return 0
    # Arrowhead: a triangle with its tip towards the pointing side.
    ax = -dx if pointing_left else dx
    if -3.5 <= ax <= 4.0 and abs(dy) <= (4.0 - ax) * 0.85:
        shade = 0.6 + 0.4 * max(0.0, -dy) / 6.0
        colour = (int(0x30 * shade), int(0xD0 * shade), int(0x40 * shade))
        return nearest(BUTTON_PALETTE, colour, 9)
    # Dark grey body, lighter towards the top left, with a dark rim.
    if dist > radius - 1.2:
        return 14
    light = 0.5 - (dx + dy) / (4 * radius)
    level = int(0x28 + 0x60 * light)
    return nearest(BUTTON_PALETTE[:9], (level, level, level), 1)


def button_gif(pointing_left):
    img = palette_image(20, 20, BUTTON_PALETTE,
                        lambda x, y: button_pixel(x, y, pointing_left))
    return gif_bytes(img, transparency=0)


# --- Bevelled grey arrow (31x31, 256 colours) ------------------------------

ARROW_CLEAR = (0xC0, 0xC0, 0xC0)
ARROW_SHADES = list(range(0x40, 0xD5, 4)) + [0xD4]
ARROW_PALETTE = [ARROW_CLEAR] + [(s, s, s) for s in ARROW_SHADES]
ARROW_PALETTE += [(0, 0, 0)] * (256 - len(ARROW_PALETTE))


def arrow_inside(x, y):
    """The arrow pointing left, in continuous coordinates of the 31x31 box."""
    if x < 2 or x > 29:
        return False
    head_end = 15.0
    if x <= head_end:
        return abs(y - 15.5) <= (x - 2) * 1.0 + 0.5
    return 10.0 <= y <= 21.0


def arrow_pixel(x, y, pointing_left):
    def inside(sx, sy):
        return arrow_inside(sx if pointing_left else 31 - sx, sy)

    sx, sy = x + 0.5, y + 0.5
    if not inside(sx, sy):
        return 0
    # Bevel lit from the top left: pixels near an edge facing the light are
    # light, those near an edge facing away dark; the face is a mid grey.
    level = 0x90
    for step, light, shade in ((1.0, 0xD4, 0x40), (2.0, 0xB8, 0x60)):
        if not inside(sx - step, sy - step):
            level = light
            break
        if not inside(sx + step, sy + step):
            level = shade
            break
    return nearest(ARROW_PALETTE[:len(ARROW_SHADES) + 1], (level, level, level), 1)


def arrow_gif(pointing_left):
    img = palette_image(31, 31, ARROW_PALETTE,
                        lambda x, y: arrow_pixel(x, y, pointing_left))
    return gif_bytes(img, transparency=0)


# --- Film edge (100x18 progressive JPEG) -----------------------------------

def film_jpg():
    img = Image.new("RGB", (100, 18), (0x18, 0x14, 0x10))
    pixels = img.load()
    for x in range(100):
        for y in range(18):
            if y in (0, 17):
                pixels[x, y] = (0x30, 0x2A, 0x24)
            # Eight sprocket holes with rounded corners.
            hx = (x + 3) % 12.5
            if 3 <= y <= 14 and 2 <= hx <= 9.5:
                corner = (hx < 3 or hx > 8.5) and (y == 3 or y == 14)
                if not corner:
                    pixels[x, y] = (0xE8, 0xE4, 0xDC)
    out = io.BytesIO()
    img.save(out, "JPEG", quality=90, progressive=True, dpi=(96, 96),
             subsampling=0)
    return out.getvalue()


# --- Plain tiles -------------------------------------------------------------

def background_gif():
    palette = [(0x08, 0x18, 0x38)] + [(0, 0, 0)] * 255
    return gif_bytes(palette_image(7, 7, palette, lambda x, y: 0))


def white_gif():
    palette = [(0, 0, 0), (0xFF, 0xFF, 0xFF)]
    return gif_bytes(palette_image(31, 31, palette, lambda x, y: 1))


IMAGES = [
    ("kLeftGif", "left.gif", lambda: button_gif(True)),
    ("kLeft2Gif", "left2.gif", lambda: arrow_gif(True)),
    ("kRightGif", "right.gif", lambda: button_gif(False)),
    ("kRight2Gif", "right2.gif", lambda: arrow_gif(False)),
    ("kFilmJpg", "film.jpg", film_jpg),
    ("kBackgroundGif", "bkgr.gif", background_gif),
    ("kWhite31Gif", "white31.gif", white_gif),
]


def as_array(name, file_name, data):
    lines = ["// %s, %d bytes." % (file_name, len(data)),
             "const unsigned char %sData[] = {" % name]
    for i in range(0, len(data), 16):
        lines.append("    " + ", ".join("0x%02X" % b for b in data[i:i + 16]) + ",")
    lines.append("};")
    lines.append("const std::span<const unsigned char> %s(%sData);" % (name, name))
    return "\n".join(lines)


def main():
    parts = [
        "// The gallery's navigation images. Generated by make_nav_images.py;",
        "// edit the script, not this file.",
        '#include "resources/NavImages.h"',
        "",
        "namespace NavImages {",
        "",
    ]
    for name, file_name, make in IMAGES:
        parts.append(as_array(name, file_name, make()))
        parts.append("")
    parts.append("}  // namespace NavImages")
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "NavImages.cpp")
    with open(target, "w") as out:
        out.write("\n".join(parts) + "\n")


if __name__ == "__main__":
    main()
