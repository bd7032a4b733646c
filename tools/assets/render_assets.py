#!/usr/bin/python3
"""Render Quorbel's bitmap assets.

Run with Debian's /usr/bin/python3 (it carries PIL):

    /usr/bin/python3 tools/assets/render_assets.py [--preview OUT.png]

Every picture is drawn at SS times its final size and reduced with LANCZOS so
that curves and text edges come out smooth; the 16 px floppy is the exception,
it is drawn pixel by pixel so that it stays crisp.  Nothing here is random
(the dither noise uses a fixed seed), so a rerun rewrites identical files.

With --preview the script also composes a mock of the main window from the
fresh assets, for eyeballing only; the mock is not an asset.
"""

import argparse
import math
import os
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SS = 4  # supersampling factor

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
APP_ASSETS = os.path.join(REPO, "src", "app", "assets")
WHEEL_ASSETS = os.path.join(REPO, "src", "wheel", "assets")

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
NOTO = "/usr/share/fonts/opentype/noto/"
NOTO_SC_INDEX = 2  # Simplified Chinese face inside the Noto CJK collections


def font(name, size):
    if name.endswith(".ttc"):
        return ImageFont.truetype(NOTO + name, size, index=NOTO_SC_INDEX)
    return ImageFont.truetype(DEJAVU + name, size)


# ---------------------------------------------------------------- colour math

def hex_rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def ramp(stops, t):
    """Colour at t in [0, 1] along [(pos, colour), ...] sorted by pos."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 1.0)
    return stops[-1][1]


def colorize(gray, stops):
    """Map an L image through a colour ramp (0 -> first stop, 255 -> last)."""
    table = [ramp(stops, i / 255.0) for i in range(256)]
    channels = [gray.point([c[k] for c in table]) for k in range(3)]
    return Image.merge("RGB", channels)


def vertical_ramp(size, stops):
    w, h = size
    column = Image.new("RGB", (1, h))
    column.putdata([ramp(stops, y / max(h - 1, 1)) for y in range(h)])
    return column.resize((w, h), Image.NEAREST)


def linear_mask(size, p0, p1, v0=0, v1=255):
    """L image that ramps from v0 at point p0 to v1 at point p1 (clamped)."""
    w, h = size
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    length2 = float(dx * dx + dy * dy) or 1.0
    data = []
    for y in range(h):
        for x in range(w):
            t = ((x - p0[0]) * dx + (y - p0[1]) * dy) / length2
            t = min(max(t, 0.0), 1.0)
            data.append(int(round(v0 + (v1 - v0) * t)))
    mask = Image.new("L", size)
    mask.putdata(data)
    return mask


def radial_mask(size, center, radius, scale=(1.0, 1.0), power=1.0):
    """L image: 0 at center rising to 255 at distance radius (clamped).

    Computed on a grid of at most ~256 px a side and scaled up; the field is
    smooth, so nothing is lost and big canvases stay cheap.
    """
    w, h = size
    step = max(1, int(math.ceil(max(w, h) / 256.0)))
    gw, gh = (w + step - 1) // step + 1, (h + step - 1) // step + 1
    data = []
    for gy in range(gh):
        y = gy * step
        for gx in range(gw):
            x = gx * step
            d = math.hypot((x - center[0]) / scale[0], (y - center[1]) / scale[1]) / radius
            data.append(int(round(255 * min(d, 1.0) ** power)))
    grid = Image.new("L", (gw, gh))
    grid.putdata(data)
    big = grid.resize((gw * step, gh * step), Image.BICUBIC)
    return big.crop((0, 0, w, h))


def solid(size, colour, alpha_mask=None):
    layer = Image.new("RGBA", size, colour + (255,))
    if alpha_mask is not None:
        layer.putalpha(alpha_mask)
    return layer


def scale_alpha(layer, factor):
    alpha = layer.getchannel("A").point(lambda v: int(round(v * factor)))
    out = layer.copy()
    out.putalpha(alpha)
    return out


def mask_alpha(layer, mask):
    """Multiply the layer's alpha by mask (L, same size)."""
    out = layer.copy()
    out.putalpha(ImageChops.multiply(layer.getchannel("A"), mask))
    return out


def ellipse_mask(size, box):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).ellipse(box, fill=255)
    return mask


def shrink(img, size):
    small = img.resize(size, Image.LANCZOS)
    if small.mode == "RGBA":
        # LANCZOS leaves a faint fringe of alpha 1..2 round shapes; clear it.
        small.putalpha(small.getchannel("A").point(lambda v: 0 if v < 3 else v))
    return small


def text_layer(size, xy, text, fnt, fill_stops=None, colour=(255, 255, 255),
               spacing=0, anchor="ls"):
    """Text as an RGBA layer; optional vertical colour ramp over its ink."""
    mask = Image.new("L", size, 0)
    draw = ImageDraw.Draw(mask)
    if spacing:
        x, y = xy
        for ch in text:
            draw.text((x, y), ch, font=fnt, fill=255, anchor=anchor)
            x += fnt.getlength(ch) + spacing
    else:
        draw.text(xy, text, font=fnt, fill=255, anchor=anchor)
    if fill_stops:
        box = mask.getbbox() or (0, 0, size[0], size[1])
        paint = Image.new("RGB", size, fill_stops[0][1])
        band = vertical_ramp((size[0], box[3] - box[1]), fill_stops)
        paint.paste(band, (0, box[1]))
        paint.paste(fill_stops[-1][1], (0, box[3], size[0], size[1]))
    else:
        paint = Image.new("RGB", size, colour)
    layer = paint.convert("RGBA")
    layer.putalpha(mask)
    return layer


def spaced_width(text, fnt, spacing):
    return sum(fnt.getlength(ch) for ch in text) + spacing * (len(text) - 1)


def drop_shadow(layer, offset, blur, colour=(0, 0, 0), opacity=0.6):
    alpha = layer.getchannel("A").filter(ImageFilter.GaussianBlur(blur))
    alpha = alpha.point(lambda v: int(round(v * opacity)))
    shadow = solid(layer.size, colour, alpha)
    moved = Image.new("RGBA", layer.size, (0, 0, 0, 0))
    moved.paste(shadow, offset)
    return moved


# ----------------------------------------------------------------- the balls

BALL_BLUE = {
    "light": hex_rgb("#9fd6ff"),
    "mid": hex_rgb("#2f86e6"),
    "deep": hex_rgb("#1450b4"),
    "edge": hex_rgb("#0a2e78"),
}
BALL_RED = {
    "light": hex_rgb("#ffb3a6"),
    "mid": hex_rgb("#f0443a"),
    "deep": hex_rgb("#b8141e"),
    "edge": hex_rgb("#6e0a12"),
}
BALL_GOLD = {
    "light": hex_rgb("#fff4c0"),
    "mid": hex_rgb("#ffc52e"),
    "deep": hex_rgb("#dc8a0a"),
    "edge": hex_rgb("#8a4d04"),
}


def glossy_ball(diameter, palette, gloss=1.0):
    """A shaded sphere, RGBA, diameter x diameter, in working resolution."""
    d = diameter
    size = (d, d)
    # Body: light falls from the upper left.
    body_field = radial_mask(size, (0.36 * d, 0.30 * d), 0.92 * d)
    body = colorize(body_field, [
        (0.0, palette["light"]), (0.30, palette["mid"]),
        (0.72, palette["deep"]), (1.0, palette["edge"]),
    ]).convert("RGBA")
    # Rim: darken the last stretch towards the outline.
    rim_field = radial_mask(size, (d / 2, d / 2), d / 2, power=6.0)
    rim = solid(size, palette["edge"], rim_field.point(lambda v: int(v * 0.55)))
    body = Image.alpha_composite(body, rim)
    # Bounce light along the lower edge.
    bounce = Image.new("L", size, 0)
    ImageDraw.Draw(bounce).ellipse((0.16 * d, 0.55 * d, 0.84 * d, 1.02 * d), fill=255)
    inner = Image.new("L", size, 0)
    ImageDraw.Draw(inner).ellipse((0.10 * d, 0.40 * d, 0.90 * d, 0.93 * d), fill=255)
    bounce = ImageChops.subtract(bounce, inner).filter(ImageFilter.GaussianBlur(d * 0.035))
    body = Image.alpha_composite(body, solid(size, palette["light"],
                                             bounce.point(lambda v: int(v * 0.45))))
    # Specular highlight: a soft oval near the top left.
    highlight = Image.new("L", size, 0)
    ImageDraw.Draw(highlight).ellipse((0.20 * d, 0.08 * d, 0.56 * d, 0.34 * d), fill=255)
    highlight = highlight.filter(ImageFilter.GaussianBlur(d * 0.045))
    fade = linear_mask(size, (0, 0.08 * d), (0, 0.40 * d), 255, 60)
    highlight = ImageChops.multiply(highlight, fade).point(lambda v: int(v * 0.85 * gloss))
    body = Image.alpha_composite(body, solid(size, (255, 255, 255), highlight))
    body.putalpha(ellipse_mask(size, (0, 0, d - 1, d - 1)))
    return body


BALL_CELL = 32
BALL_DIAMETER = 30
DIGIT_RED = hex_rgb("#e3101c")


def ball_cell(number, selected, ball_art):
    """One 32 x 32 ball picture, drawn at SS x and reduced."""
    cell = BALL_CELL * SS
    img = Image.new("RGBA", (cell, cell), (0, 0, 0, 0))
    offset = (cell - ball_art.width) // 2
    img.alpha_composite(ball_art, (offset, offset))
    text = "%02d" % number
    fnt = font("DejaVuSansCondensed-Bold.ttf", 16 * SS)
    cx = cy = cell / 2.0
    if selected:
        # A pale face behind the digits: red reads on it, the ball stays blue.
        r = 12.2 * SS
        face = Image.new("RGBA", (cell, cell), (0, 0, 0, 0))
        fd = ImageDraw.Draw(face)
        fd.ellipse((cx - r, cy - r, cx + r, cy + r), fill=hex_rgb("#0b3a8a") + (255,))
        r2 = r - 0.9 * SS
        fd.ellipse((cx - r2, cy - r2, cx + r2, cy + r2), fill=(255, 255, 255, 255))
        # faint inner shade at the top edge so the face sits inside the ball
        shade = Image.new("L", (cell, cell), 0)
        ImageDraw.Draw(shade).ellipse((cx - r2, cy - r2, cx + r2, cy + r2), fill=255)
        hole = Image.new("L", (cell, cell), 0)
        ImageDraw.Draw(hole).ellipse((cx - r2, cy - r2 + 1.6 * SS, cx + r2, cy + r2 + 1.6 * SS), fill=255)
        shade = ImageChops.subtract(shade, hole).filter(ImageFilter.GaussianBlur(0.6 * SS))
        face.alpha_composite(solid((cell, cell), hex_rgb("#7f9cc8"), shade.point(lambda v: int(v * 0.7))))
        img.alpha_composite(face)
        digits = _digits_layer((cell, cell), text, font("DejaVuSansCondensed-Bold.ttf", 14 * SS),
                               DIGIT_RED, (cx, cy), max_width=16.5)
        img.alpha_composite(digits)
    else:
        digits = _digits_layer((cell, cell), text, fnt, (255, 255, 255), (cx, cy))
        img.alpha_composite(drop_shadow(digits, (0, int(0.7 * SS)), 0.6 * SS,
                                        colour=hex_rgb("#031640"), opacity=0.85))
        img.alpha_composite(digits)
    return shrink(img, (BALL_CELL, BALL_CELL))


def _digits_layer(size, text, fnt, colour, center, max_width=19.5):
    """Digits centred on their ink, condensed a touch so two fit the ball."""
    left, top, right, bottom = fnt.getbbox(text, anchor="ls")
    w, h = right - left, bottom - top
    glyphs = Image.new("L", (w + 8, h + 8), 0)
    ImageDraw.Draw(glyphs).text((4 - left, 4 - top), text, font=fnt, fill=255, anchor="ls")
    glyphs = glyphs.crop(glyphs.getbbox())
    target_w = min(glyphs.width, int(max_width * SS))
    glyphs = glyphs.resize((target_w, glyphs.height), Image.LANCZOS)
    mask = Image.new("L", size, 0)
    mask.paste(glyphs, (int(round(center[0] - glyphs.width / 2.0)),
                        int(round(center[1] - glyphs.height / 2.0))))
    return solid(size, colour, mask)


def render_ball_strips():
    art = glossy_ball(BALL_DIAMETER * SS, BALL_BLUE)
    up = Image.new("RGBA", (BALL_CELL * 40, BALL_CELL), (0, 0, 0, 0))
    down = Image.new("RGBA", (BALL_CELL * 40, BALL_CELL), (0, 0, 0, 0))
    for n in range(1, 41):
        up.paste(ball_cell(n, False, art), ((n - 1) * BALL_CELL, 0))
        down.paste(ball_cell(n, True, art), ((n - 1) * BALL_CELL, 0))
    return up, down


# ---------------------------------------------------------------- background

WIDTH, HEIGHT = 630, 460
BAND = 120
FACE = (236, 236, 236)


def band_base():
    """The header band's smooth colour field at 1x."""
    size = (WIDTH, BAND)
    base = vertical_ramp(size, [
        (0.0, hex_rgb("#0a1b4d")), (0.55, hex_rgb("#0f2f78")), (1.0, hex_rgb("#143c92")),
    ]).convert("RGBA")
    # Broad glow behind the logo and title.
    glow = radial_mask(size, (95, 78), 260, scale=(1.0, 0.62), power=1.3)
    base.alpha_composite(solid(size, hex_rgb("#2f74e0"), ImageChops.invert(glow).point(lambda v: int(v * 0.55))))
    hot = radial_mask(size, (62, 74), 70, power=1.6)
    base.alpha_composite(solid(size, hex_rgb("#6fb4ff"), ImageChops.invert(hot).point(lambda v: int(v * 0.35))))
    # Calmer, darker right side where the advertisement sits.
    right = linear_mask(size, (330, 0), (630, 0), 0, 255)
    base.alpha_composite(solid(size, hex_rgb("#071640"), right.point(lambda v: int(v * 0.55))))
    # A soft sheen across the top strip.
    sheen = linear_mask(size, (0, 0), (0, 30), 255, 0)
    base.alpha_composite(solid(size, hex_rgb("#ffffff"), sheen.point(lambda v: int(v * 0.05))))
    return base


def band_motifs():
    """Faint rings, bokeh and light sweeps, drawn at SS x (RGBA)."""
    size = (WIDTH * SS, BAND * SS)
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    rings = Image.new("L", size, 0)
    rd = ImageDraw.Draw(rings)
    for cx, cy, r, w, a in [
        (372, 64, 58, 1.2, 50), (442, 8, 44, 1.0, 36), (300, 124, 40, 1.0, 38),
        (402, 118, 22, 1.0, 44), (246, 20, 26, 1.0, 26),
    ]:
        rd.ellipse(((cx - r) * SS, (cy - r) * SS, (cx + r) * SS, (cy + r) * SS),
                   outline=a, width=int(w * SS))
    layer.alpha_composite(solid(size, hex_rgb("#9cc8ff"), rings))
    dots = Image.new("L", size, 0)
    dd = ImageDraw.Draw(dots)
    for cx, cy, r, a in [
        (342, 30, 9, 22), (420, 70, 14, 16), (268, 96, 7, 20), (214, 112, 5, 24),
        (388, 20, 5, 26), (318, 58, 4, 30), (440, 100, 6, 18),
    ]:
        dd.ellipse(((cx - r) * SS, (cy - r) * SS, (cx + r) * SS, (cy + r) * SS), fill=a)
    dots = dots.filter(ImageFilter.GaussianBlur(1.2 * SS))
    layer.alpha_composite(solid(size, hex_rgb("#b8dcff"), dots))
    # Two long sweeps of light low in the band, fading out to both ends.
    sweep = Image.new("L", size, 0)
    sd = ImageDraw.Draw(sweep)
    sd.arc((-120 * SS, 84 * SS, 760 * SS, 420 * SS), 196, 300, fill=150, width=int(1.2 * SS))
    sd.arc((-60 * SS, 96 * SS, 820 * SS, 480 * SS), 200, 300, fill=90, width=int(1 * SS))
    fade = radial_mask(size, (170 * SS, 100 * SS), 300 * SS, scale=(1.0, 0.5), power=1.4)
    sweep = ImageChops.multiply(sweep, ImageChops.invert(fade))
    layer.alpha_composite(solid(size, hex_rgb("#8fd0ff"), sweep))
    # Keep the advertisement corner and the top strip quiet.
    quiet = Image.new("L", size, 255)
    qd = ImageDraw.Draw(quiet)
    qd.rectangle((444 * SS, 34 * SS, size[0], 112 * SS), fill=0)
    quiet = quiet.filter(ImageFilter.GaussianBlur(10 * SS))
    return mask_alpha(layer, quiet)


def logo_mark():
    """Three lottery balls in an orbit ring; RGBA at SS x, 96 x 80 logical."""
    w, h = 96 * SS, 80 * SS
    canvas = Image.new("RGBA", (w, h), (0, 0, 0, 0))

    # Orbit ring: an ellipse tilted a little, split into back and front halves.
    ring = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ring_mask = Image.new("L", (w, h), 0)
    rcx, rcy = w / 2.0, h * 0.56
    rx, ry = 44 * SS, 12.5 * SS
    ImageDraw.Draw(ring_mask).ellipse((rcx - rx, rcy - ry, rcx + rx, rcy + ry),
                                      outline=255, width=int(2.4 * SS))
    ring_paint = colorize(linear_mask((w, h), (0, 0), (w, 0)),
                          [(0.0, hex_rgb("#ffd978")), (0.5, hex_rgb("#fff6d8")), (1.0, hex_rgb("#f0a63a"))])
    ring = ring_paint.convert("RGBA")
    ring.putalpha(ring_mask)
    back_half = Image.new("L", (w, h), 0)
    ImageDraw.Draw(back_half).rectangle((0, 0, w, rcy), fill=255)
    front_half = ImageChops.invert(back_half)
    angle = 14
    ring_back = mask_alpha(ring, back_half).rotate(angle, Image.BICUBIC, center=(rcx, rcy))
    ring_front = mask_alpha(ring, front_half).rotate(angle, Image.BICUBIC, center=(rcx, rcy))
    # fade the far part of the ring so it reads as depth
    ring_back = scale_alpha(ring_back, 0.55)

    canvas.alpha_composite(ring_back)
    balls = [
        (BALL_RED, 19, (27, 25)),
        (BALL_GOLD, 19, (69, 23)),
        (BALL_BLUE, 29, (48, 47)),
    ]
    for palette, radius, (cx, cy) in balls:
        d = 2 * radius * SS
        ball = glossy_ball(d, palette)
        shadow = drop_shadow(ball, (int(1.2 * SS), int(2.0 * SS)), 2.2 * SS,
                             colour=hex_rgb("#020a24"), opacity=0.55)
        x, y = int((cx - radius) * SS), int((cy - radius) * SS)
        canvas.alpha_composite(shadow, (x, y))
        canvas.alpha_composite(ball, (x, y))
    # "7" on the front ball, on a white face.
    cx, cy, r = 48 * SS, 49 * SS, 15.5 * SS
    face = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    fd = ImageDraw.Draw(face)
    fd.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(255, 255, 255, 245))
    face.alpha_composite(solid((w, h), hex_rgb("#9db4d8"),
                               _crescent((w, h), (cx, cy), r, 2.0 * SS).point(lambda v: int(v * 0.8))))
    canvas.alpha_composite(face)
    seven_font = font("DejaVuSans-Bold.ttf", 27 * SS)
    seven = _digits_layer((w, h), "7", seven_font, hex_rgb("#d9121f"), (cx + 0.4 * SS, cy + 0.3 * SS))
    canvas.alpha_composite(seven)
    canvas.alpha_composite(ring_front)
    return canvas


def _crescent(size, center, r, shift):
    """The sliver of a disc not covered by the same disc moved down."""
    cx, cy = center
    disc = ellipse_mask(size, (cx - r, cy - r, cx + r, cy + r))
    moved = ellipse_mask(size, (cx - r, cy - r + shift, cx + r, cy + r + shift))
    return ImageChops.subtract(disc, moved).filter(ImageFilter.GaussianBlur(shift * 0.35))


TITLE = "Quorbel"
SUBTITLE = "七乐彩旋转矩阵缩水工具"


def title_art():
    """Title and subtitle as one RGBA layer at SS x over the band."""
    size = (WIDTH * SS, BAND * SS)
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    title_font = font("NotoSansCJK-Bold.ttc", 44 * SS)
    title = text_layer(size, (114 * SS, 74 * SS), TITLE, title_font, spacing=0.5 * SS,
                       fill_stops=[(0.0, (255, 255, 255)), (0.55, hex_rgb("#e6f1ff")),
                                   (1.0, hex_rgb("#a9ccff"))])
    layer.alpha_composite(drop_shadow(title, (int(1.5 * SS), int(2.5 * SS)), 2.5 * SS,
                                      colour=hex_rgb("#020a24"), opacity=0.75))
    layer.alpha_composite(title)

    sub_font = font("NotoSansCJK-Bold.ttc", 18 * SS)
    x0, x1 = 116, 396
    natural = spaced_width(SUBTITLE, sub_font, 0)
    spacing = ((x1 - x0) * SS - natural) / (len(SUBTITLE) - 1)
    sub = text_layer(size, (x0 * SS, 101 * SS), SUBTITLE, sub_font, spacing=spacing,
                     fill_stops=[(0.0, hex_rgb("#fff1c4")), (1.0, hex_rgb("#ffc24a"))])
    layer.alpha_composite(drop_shadow(sub, (int(1 * SS), int(1.5 * SS)), 1.5 * SS,
                                      colour=hex_rgb("#020a24"), opacity=0.8))
    layer.alpha_composite(sub)

    # A fine rule between title and subtitle, bright on the left, fading right.
    rule = Image.new("L", size, 0)
    ImageDraw.Draw(rule).rectangle((116 * SS, 81 * SS, 398 * SS, int(81.6 * SS)), fill=255)
    rule = ImageChops.multiply(rule, linear_mask(size, (290 * SS, 0), (400 * SS, 0), 200, 0))
    layer.alpha_composite(solid(size, hex_rgb("#9cc8ff"), rule))
    return layer


def render_background():
    img = Image.new("RGBA", (WIDTH, HEIGHT), FACE + (255,))
    # Button-face area: almost flat, a whisper lighter at the top.
    face = vertical_ramp((WIDTH, HEIGHT - BAND), [(0.0, (240, 240, 240)), (0.25, FACE), (1.0, (233, 233, 233))])
    img.paste(face, (0, BAND))

    band = band_base()
    art = Image.new("RGBA", (WIDTH * SS, BAND * SS), (0, 0, 0, 0))
    art.alpha_composite(band_motifs())
    logo = logo_mark()
    art.alpha_composite(logo, (14 * SS, 34 * SS))
    art.alpha_composite(title_art())
    band.alpha_composite(shrink(art, (WIDTH, BAND)))
    _dither(band, seed=7, amplitude=1.4)
    img.paste(band, (0, 0))

    # Accent line along the band's lower edge and a soft shade under it.
    accent = Image.new("RGBA", (WIDTH, 3), (0, 0, 0, 0))
    accent_paint = colorize(linear_mask((WIDTH, 3), (0, 0), (WIDTH, 0)),
                            [(0.0, hex_rgb("#f7a21b")), (0.45, hex_rgb("#ffd35a")), (1.0, hex_rgb("#e8871a"))])
    accent.paste(accent_paint, (0, 0))
    accent.putalpha(255)
    img.paste(accent.crop((0, 0, WIDTH, 2)), (0, BAND - 2))
    shade = vertical_ramp((WIDTH, 6), [(0.0, (0, 0, 0)), (1.0, (0, 0, 0))]).convert("RGBA")
    shade.putalpha(linear_mask((WIDTH, 6), (0, 0), (0, 5), 46, 0))
    img.alpha_composite(shade, (0, BAND))

    # One-pixel window frame: dark over the band, mid grey below.
    frame = ImageDraw.Draw(img)
    frame.rectangle((0, 0, WIDTH - 1, HEIGHT - 1), outline=hex_rgb("#8e98a8"))
    frame.line((0, 0, WIDTH - 1, 0), fill=hex_rgb("#050f2e"))
    frame.line((0, 0, 0, BAND - 3), fill=hex_rgb("#050f2e"))
    frame.line((WIDTH - 1, 0, WIDTH - 1, BAND - 3), fill=hex_rgb("#050f2e"))
    return img.convert("RGB")


def _dither(img, seed, amplitude):
    """Break gradient banding with fixed, faint noise (RGBA in place)."""
    rng = random.Random(seed)
    noise = Image.new("L", img.size)
    noise.putdata([int(128 + rng.uniform(-amplitude, amplitude)) for _ in range(img.width * img.height)])
    rgb = img.convert("RGB")
    noisy = ImageChops.add(rgb, Image.merge("RGB", [noise] * 3), scale=1.0, offset=-128)
    img.paste(noisy.convert("RGBA"), (0, 0))


# ------------------------------------------------------------- close button

CLOSE_SIZE = (56, 26)


def close_tab(fill_stops, outline, inner_light, cross_shadow):
    w, h = CLOSE_SIZE[0] * SS, CLOSE_SIZE[1] * SS
    radius = 6 * SS
    shape = Image.new("L", (w, h), 0)
    sd = ImageDraw.Draw(shape)
    # Square top, rounded lower corners.
    sd.rounded_rectangle((0, -radius, w - 1, h - 1), radius=radius, fill=255)
    tab = vertical_ramp((w, h), fill_stops).convert("RGBA")
    # Glassy upper half.
    gloss = Image.new("L", (w, h), 0)
    ImageDraw.Draw(gloss).rectangle((0, 0, w, int(h * 0.48)), fill=255)
    gloss = ImageChops.multiply(gloss, linear_mask((w, h), (0, 0), (0, h * 0.48), 70, 18))
    tab.alpha_composite(solid((w, h), (255, 255, 255), gloss))
    # Outline and an inner highlight line.
    border = Image.new("L", (w, h), 0)
    bd = ImageDraw.Draw(border)
    bd.rounded_rectangle((0, -radius, w - 1, h - 1), radius=radius, outline=255, width=SS)
    inner = Image.new("L", (w, h), 0)
    ImageDraw.Draw(inner).rounded_rectangle((SS, -radius, w - 1 - SS, h - 1 - SS),
                                            radius=radius - SS, outline=255, width=SS)
    tab.alpha_composite(solid((w, h), inner_light, inner.point(lambda v: int(v * 0.45))))
    tab.alpha_composite(solid((w, h), outline, border))
    # The cross.
    cx, cy, arm, stroke = w / 2.0, h / 2.0 - 0.5 * SS, 5.0 * SS, 2.2 * SS
    cross = Image.new("L", (w, h), 0)
    cd = ImageDraw.Draw(cross)
    for sx, sy in ((1, 1), (1, -1)):
        cd.line((cx - arm * sx, cy - arm * sy, cx + arm * sx, cy + arm * sy), fill=255, width=int(stroke))
    for px, py in ((cx - arm, cy - arm), (cx + arm, cy + arm), (cx - arm, cy + arm), (cx + arm, cy - arm)):
        cd.ellipse((px - stroke / 2, py - stroke / 2, px + stroke / 2, py + stroke / 2), fill=255)
    cross_layer = solid((w, h), (255, 255, 255), cross)
    tab.alpha_composite(drop_shadow(cross_layer, (0, int(0.8 * SS)), 0.7 * SS,
                                    colour=cross_shadow, opacity=0.7))
    tab.alpha_composite(cross_layer)
    tab.putalpha(ImageChops.multiply(tab.getchannel("A"), shape))
    return shrink(tab, CLOSE_SIZE)


def render_close_buttons():
    normal = close_tab([(0.0, hex_rgb("#2a4f9c")), (1.0, hex_rgb("#0f275f"))],
                       outline=hex_rgb("#6d8fd2"), inner_light=hex_rgb("#4d79cc"),
                       cross_shadow=hex_rgb("#020a24"))
    hot = close_tab([(0.0, hex_rgb("#ff7a45")), (0.55, hex_rgb("#f0521f")), (1.0, hex_rgb("#c8300f"))],
                    outline=hex_rgb("#ffb08a"), inner_light=hex_rgb("#ff9b6e"),
                    cross_shadow=hex_rgb("#6e1404"))
    return normal, hot


# ------------------------------------------------------------------- glyphs

GLYPH = 40


def _glyph_canvas():
    return Image.new("RGBA", (GLYPH * SS, GLYPH * SS), (0, 0, 0, 0))


def _soft_floor_shadow(size, box, opacity=0.28):
    mask = ellipse_mask(size, box).filter(ImageFilter.GaussianBlur(1.4 * SS))
    return solid(size, (20, 30, 50), mask.point(lambda v: int(v * opacity)))


def _s(*values):
    return tuple(v * SS for v in values)


def glyph_monitor():
    img = _glyph_canvas()
    size = img.size
    img.alpha_composite(_soft_floor_shadow(size, _s(8, 34.2, 32, 38.6)))
    # Stand: neck and foot.
    neck = Image.new("L", size, 0)
    ImageDraw.Draw(neck).polygon([_s(17.5, 27)[0:2], _s(22.5, 27), _s(24, 34), _s(16, 34)], fill=255)
    img.alpha_composite(solid(size, hex_rgb("#5d6b80"), neck))
    foot = Image.new("L", size, 0)
    ImageDraw.Draw(foot).rounded_rectangle(_s(10.5, 33, 29.5, 36.5), radius=1.6 * SS, fill=255)
    foot_paint = vertical_ramp(size, [(0.80, hex_rgb("#9aa6b8")), (0.92, hex_rgb("#4b586c"))]).convert("RGBA")
    foot_paint.putalpha(foot)
    img.alpha_composite(foot_paint)
    # Bezel.
    bezel = Image.new("L", size, 0)
    ImageDraw.Draw(bezel).rounded_rectangle(_s(2.5, 4.5, 37.5, 29), radius=3 * SS, fill=255)
    bezel_paint = vertical_ramp(size, [(0.10, hex_rgb("#56647a")), (0.75, hex_rgb("#27313f"))]).convert("RGBA")
    bezel_paint.putalpha(bezel)
    img.alpha_composite(bezel_paint)
    edge = Image.new("L", size, 0)
    ImageDraw.Draw(edge).rounded_rectangle(_s(2.5, 4.5, 37.5, 29), radius=3 * SS, outline=255, width=int(0.8 * SS))
    img.alpha_composite(solid(size, hex_rgb("#1a222d"), edge))
    top_light = Image.new("L", size, 0)
    ImageDraw.Draw(top_light).line(_s(5, 5.4, 35, 5.4), fill=120, width=int(0.7 * SS))
    img.alpha_composite(solid(size, (255, 255, 255), top_light))
    # Screen.
    screen_box = _s(5, 7, 35, 25.5)
    screen = Image.new("L", size, 0)
    ImageDraw.Draw(screen).rounded_rectangle(screen_box, radius=1.0 * SS, fill=255)
    screen_paint = colorize(linear_mask(size, _s(5, 7), _s(35, 25.5)),
                            [(0.0, hex_rgb("#7cd0ff")), (0.5, hex_rgb("#2f8de8")), (1.0, hex_rgb("#1556b8"))]
                            ).convert("RGBA")
    screen_paint.putalpha(screen)
    img.alpha_composite(screen_paint)
    # Three little balls on screen: the random pick.
    for palette, (cx, cy) in ((BALL_RED, (13, 17.5)), (BALL_GOLD, (20, 15)), (BALL_BLUE, (27, 17.5))):
        d = int(7.6 * SS)
        ball = glossy_ball(d, palette)
        sh = drop_shadow(ball, (0, int(0.6 * SS)), 0.6 * SS, colour=hex_rgb("#06245a"), opacity=0.55)
        x, y = int(cx * SS - d / 2), int(cy * SS - d / 2)
        img.alpha_composite(sh, (x, y))
        img.alpha_composite(ball, (x, y))
    # Glare across the glass.
    glare = Image.new("L", size, 0)
    ImageDraw.Draw(glare).polygon([_s(5, 7), _s(22, 7), _s(11, 25.5), _s(5, 25.5)], fill=48)
    glare = ImageChops.multiply(glare, screen)
    img.alpha_composite(solid(size, (255, 255, 255), glare))
    return shrink(img, (GLYPH, GLYPH))


def glyph_refresh():
    img = _glyph_canvas()
    size = img.size
    cx, cy, r_out, r_in = 20 * SS, 20.5 * SS, 14.8 * SS, 8.8 * SS
    tail, head = -12, 252  # degrees, PIL's clockwise-from-3-o'clock; the arrow turns clockwise
    ring = Image.new("L", size, 0)
    rd = ImageDraw.Draw(ring)
    rd.pieslice((cx - r_out, cy - r_out, cx + r_out, cy + r_out), tail, head, fill=255)
    rd.ellipse((cx - r_in, cy - r_in, cx + r_in, cy + r_in), fill=0)
    # Round the tail end.
    mid = (r_out + r_in) / 2.0
    half = (r_out - r_in) / 2.0
    tx = cx + mid * math.cos(math.radians(tail))
    ty = cy + mid * math.sin(math.radians(tail))
    rd.ellipse((tx - half, ty - half, tx + half, ty + half), fill=255)
    # Arrow head: a wide base across the ring, the tip further along the turn.
    a = math.radians(head)
    flare = 4.3 * SS
    base_out = (cx + (r_out + flare) * math.cos(a), cy + (r_out + flare) * math.sin(a))
    base_in = (cx + (r_in - flare) * math.cos(a), cy + (r_in - flare) * math.sin(a))
    tip_angle = a + math.radians(44)
    tip = (cx + mid * math.cos(tip_angle), cy + mid * math.sin(tip_angle))
    rd.polygon([base_out, tip, base_in], fill=255)
    img.alpha_composite(_soft_floor_shadow(size, _s(8, 35, 32, 39), 0.22))
    shadow = drop_shadow(solid(size, (0, 0, 0), ring), (int(0.6 * SS), int(1.2 * SS)), 0.9 * SS,
                         colour=hex_rgb("#0d3a14"), opacity=0.35)
    img.alpha_composite(shadow)
    paint = colorize(linear_mask(size, _s(10, 3), _s(28, 37)),
                     [(0.0, hex_rgb("#8ee26a")), (0.45, hex_rgb("#3fb54a")), (1.0, hex_rgb("#1d7d33"))]
                     ).convert("RGBA")
    paint.putalpha(ring)
    img.alpha_composite(paint)
    # A light inner stroke fading downwards, and a dark outline, for relief.
    inner_edge = ImageChops.subtract(ring, ring.filter(ImageFilter.MinFilter(2 * SS + 1)))
    hl_fade = linear_mask(size, _s(0, 4), _s(0, 30), 150, 0)
    img.alpha_composite(solid(size, (255, 255, 255), ImageChops.multiply(inner_edge, hl_fade)))
    outline = ImageChops.subtract(ring.filter(ImageFilter.MaxFilter(5)), ring)
    img.alpha_composite(solid(size, hex_rgb("#17602a"), outline.point(lambda v: int(v * 0.75))))
    return shrink(img, (GLYPH, GLYPH))


def _star(cx, cy, r_out, r_in, points=5, rotation=-90):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rotation + i * 180.0 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def glyph_wand():
    img = _glyph_canvas()
    size = img.size
    img.alpha_composite(_soft_floor_shadow(size, _s(3, 34.5, 22, 38.5), 0.22))
    # The stick, drawn upright then turned.
    length, thick = 30 * SS, 4.6 * SS
    stick = Image.new("RGBA", size, (0, 0, 0, 0))
    x0 = size[0] / 2.0 - thick / 2
    y0 = size[1] / 2.0 - length / 2
    body_mask = Image.new("L", size, 0)
    ImageDraw.Draw(body_mask).rounded_rectangle((x0, y0, x0 + thick, y0 + length), radius=thick / 2.2, fill=255)
    shade = colorize(linear_mask(size, (x0, 0), (x0 + thick, 0)),
                     [(0.0, hex_rgb("#5b5f6e")), (0.35, hex_rgb("#2a2d38")), (1.0, hex_rgb("#0c0d12"))]
                     ).convert("RGBA")
    shade.putalpha(body_mask)
    stick.alpha_composite(shade)
    tip_mask = Image.new("L", size, 0)
    ImageDraw.Draw(tip_mask).rectangle((x0, y0, x0 + thick, y0 + 7 * SS), fill=255)
    tip_mask = ImageChops.multiply(tip_mask, body_mask)
    tip = colorize(linear_mask(size, (x0, 0), (x0 + thick, 0)),
                   [(0.0, (255, 255, 255)), (0.5, hex_rgb("#eef1f6")), (1.0, hex_rgb("#b9c0cc"))]).convert("RGBA")
    tip.putalpha(tip_mask)
    stick.alpha_composite(tip)
    stick = stick.rotate(-45, Image.BICUBIC, center=(size[0] / 2.0, size[1] / 2.0))
    stick_layer = Image.new("RGBA", size, (0, 0, 0, 0))
    stick_layer.alpha_composite(stick, (int(-4 * SS), int(4 * SS)))
    img.alpha_composite(drop_shadow(stick_layer, (int(0.8 * SS), int(1.2 * SS)), 0.9 * SS, opacity=0.3))
    img.alpha_composite(stick_layer)
    # Sparkles round the tip: one big star and a few glints.
    star = Image.new("L", size, 0)
    ImageDraw.Draw(star).polygon(_star(28.5 * SS, 11 * SS, 9.5 * SS, 4.0 * SS), fill=255)
    star_paint = colorize(linear_mask(size, _s(20, 3), _s(36, 20)),
                          [(0.0, hex_rgb("#fff3a0")), (0.45, hex_rgb("#ffcf2e")), (1.0, hex_rgb("#f0930c"))]
                          ).convert("RGBA")
    star_paint.putalpha(star)
    img.alpha_composite(drop_shadow(star_paint, (int(0.5 * SS), int(1 * SS)), 0.8 * SS,
                                    colour=hex_rgb("#7a4a00"), opacity=0.35))
    img.alpha_composite(star_paint)
    star_edge = ImageChops.subtract(star.filter(ImageFilter.MaxFilter(3)), star)
    img.alpha_composite(solid(size, hex_rgb("#c47a06"), star_edge.point(lambda v: int(v * 0.8))))
    glints = Image.new("L", size, 0)
    gd = ImageDraw.Draw(glints)
    for gx, gy, gr, colour in ((14, 6, 3.6, 255), (37, 24, 3.0, 255), (19, 16, 2.4, 220), (34, 3.4, 2.2, 220)):
        gd.polygon(_star(gx * SS, gy * SS, gr * SS, gr * SS * 0.28, points=4, rotation=0), fill=colour)
    img.alpha_composite(solid(size, hex_rgb("#3aa0ff"), glints))
    return shrink(img, (GLYPH, GLYPH))


def glyph_floppy16():
    """A 16 x 16 floppy disk set pixel by pixel."""
    outline = hex_rgb("#172c5c") + (255,)
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    px = img.load()
    body_top, body_bottom = hex_rgb("#4f86e0"), hex_rgb("#2551a8")
    # Body with the top-right corner cut.
    for y in range(1, 15):
        for x in range(1, 15):
            if x + (15 - y) > 27:  # corner cut
                continue
            px[x, y] = mix(body_top, body_bottom, (y - 1) / 13.0) + (255,)
    for x in range(1, 13):
        px[x, 1] = outline
    for x in range(1, 15):
        px[x, 14] = outline
    for y in range(1, 15):
        px[1, y] = outline
    for y in range(3, 15):
        px[14, y] = outline
    px[13, 1] = outline
    px[14, 2] = outline
    # Metal shutter with its slot.
    for y in range(2, 6):
        for x in range(4, 12):
            px[x, y] = hex_rgb("#e3e7ee" if y < 4 else "#c5ccd8") + (255,)
    for y in range(2, 6):
        px[4, y] = hex_rgb("#8a95a8") + (255,)
        px[11, y] = hex_rgb("#8a95a8") + (255,)
    for x in range(4, 12):
        px[x, 6] = hex_rgb("#8a95a8") + (255,)
    for y in range(2, 5):
        px[9, y] = hex_rgb("#2a3a5e") + (255,)
        px[10, y] = hex_rgb("#2a3a5e") + (255,)
    # Label.
    for y in range(8, 14):
        for x in range(3, 13):
            px[x, y] = (255, 255, 255, 255)
    for x in range(3, 13):
        px[x, 8] = hex_rgb("#d9dfe8") + (255,)
    for x in range(4, 12):
        px[x, 10] = hex_rgb("#9fb0cc") + (255,)
        px[x, 12] = hex_rgb("#9fb0cc") + (255,)
    # Light edge on the body's upper left.
    for y in range(2, 14):
        if px[2, y][:3] == mix(body_top, body_bottom, (y - 1) / 13.0):
            px[2, y] = mix(hex_rgb("#8db6f4"), body_top, y / 14.0) + (255,)
    for x in range(2, 4):
        px[x, 2] = hex_rgb("#8db6f4") + (255,)
    return img


# ------------------------------------------------------------------ preview

def render_preview(path, bg, close_normal, close_hot, glyphs, floppy, up, down):
    """A mock of the main window built from the assets (not shipped)."""
    ui_font = font("NotoSansCJK-Regular.ttc", 12)
    img = bg.convert("RGBA")
    draw = ImageDraw.Draw(img)
    small = font("DejaVuSans.ttf", 9)
    draw.text((7, 4), "www.quorbel.com  七乐彩缩水工具主页", font=font("NotoSansCJK-Regular.ttc", 10), fill="white")
    draw.line((7, 16, 180, 16), fill="white")
    img.alpha_composite(close_normal, (571, 1))
    draw.text((416, 92), "V1.5.4.0", font=font("DejaVuSans-Bold.ttf", 10), fill="white")
    draw.text((619, 41), "七乐彩开奖号码查询", font=font("NotoSansCJK-Regular.ttc", 12), fill="white", anchor="ra")

    def panel(box):
        draw.rectangle(box, fill="white", outline=(160, 160, 160))

    panel((16, 150, 16 + 415, 150 + 161))
    panel((16, 315, 16 + 415, 315 + 56))
    panel((440, 150, 440 + 172, 150 + 297))
    for n in range(1, 41):
        left = ((n - 1) % 10) * 40 + 12 + 16
        top = ((n - 1) // 10) * 38 + 8 + 150
        strip = down if n in (3, 7, 12, 18, 25, 33, 36, 40) else up
        img.alpha_composite(strip.crop(((n - 1) * 32, 0, n * 32, 32)), (left, top))
    draw.text((24, 323), "已选号码 8 个 [复式投注数量 8 注，缩水投注数量 8 注]", font=ui_font, fill="black")
    draw.line((16, 340, 431, 340), fill=(160, 160, 160))
    draw.text((24, 347), "03 07 12 18 25 33 36 40", font=font("DejaVuSans-Bold.ttf", 13), fill=(0, 0, 128))
    for i, line in enumerate(["01 03 07 12 18 25 33"] * 6):
        draw.text((446, 155 + 14 * i), line, font=small, fill="black")
    img.alpha_composite(floppy, (552, 130))
    draw.text((571, 130), "保存", font=ui_font, fill="black")
    for (x, caption), glyph in zip(((16, "随机选号"), (112, "清空已选号"), (342, "生成投注组合")), glyphs):
        img.alpha_composite(glyph, (x + 25, 386))
        draw.text((x + 45, 430), caption, font=ui_font, fill="black", anchor="ma")
    draw.text((213, 428), "缩水方式", font=ui_font, fill="black")
    draw.rectangle((265, 424, 329, 444), fill="white", outline=(140, 140, 140))
    draw.text((269, 427), "中7保6", font=ui_font, fill="black")
    # Hot close button and a zoomed ball beside the window, for inspection.
    sheet = Image.new("RGBA", (630 + 200, 460), (200, 200, 200, 255))
    sheet.alpha_composite(img)
    sheet.alpha_composite(close_hot, (650, 10))
    sheet.alpha_composite(close_normal, (720, 10))
    for i, strip in enumerate((up, down)):
        cell = strip.crop((32 * 39, 0, 32 * 40, 32)).resize((96, 96), Image.NEAREST)
        sheet.alpha_composite(cell, (650 + i * 95, 50))
    zoom = [g.resize((80, 80), Image.NEAREST) for g in glyphs]
    for i, g in enumerate(zoom):
        sheet.alpha_composite(g, (650 + (i % 2) * 90, 160 + (i // 2) * 90))
    sheet.alpha_composite(floppy.resize((64, 64), Image.NEAREST), (740, 250))
    sheet.convert("RGB").save(path)


# --------------------------------------------------------------------- main

def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", help="also write a window mock to this PNG")
    args = parser.parse_args()

    os.makedirs(APP_ASSETS, exist_ok=True)
    os.makedirs(WHEEL_ASSETS, exist_ok=True)

    bg = render_background()
    bg.save(os.path.join(APP_ASSETS, "background.jpg"), quality=92, subsampling=0, optimize=True)
    normal, hot = render_close_buttons()
    normal.save(os.path.join(APP_ASSETS, "close_normal.png"), optimize=True)
    hot.save(os.path.join(APP_ASSETS, "close_hot.png"), optimize=True)
    glyphs = [glyph_monitor(), glyph_refresh(), glyph_wand()]
    for name, glyph in zip(("glyph_monitor.png", "glyph_refresh.png", "glyph_wand.png"), glyphs):
        glyph.save(os.path.join(APP_ASSETS, name), optimize=True)
    floppy = glyph_floppy16()
    floppy.save(os.path.join(APP_ASSETS, "glyph_floppy16.png"), optimize=True)
    up, down = render_ball_strips()
    up.save(os.path.join(WHEEL_ASSETS, "balls_up.png"), optimize=True)
    down.save(os.path.join(WHEEL_ASSETS, "balls_down.png"), optimize=True)

    if args.preview:
        render_preview(args.preview, Image.open(os.path.join(APP_ASSETS, "background.jpg")),
                       normal, hot, glyphs, floppy, up, down)


if __name__ == "__main__":
    main()
