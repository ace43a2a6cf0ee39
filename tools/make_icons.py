#!/usr/bin/python3
"""Draws every icon and bitmap resource of the application and writes resources/icons*.

    /usr/bin/python3 tools/make_icons.py   # writes resources/icons/*.ico, *.bmp, icons.rc, icons.h

Each icon is drawn once as simple vector shapes on a 32-unit grid, rendered at 8 times the final
size and reduced (box filter) to 16 and 32 pixels, so edges are anti-aliased. Outlines keep a fixed
pixel width at both sizes. One palette is used throughout. The outputs are committed, so building
the application never needs this script (it needs python3 with PIL only when the icons change).
"""
import math
import os
import struct
import sys

from PIL import Image, ImageDraw

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "resources", "icons")
SS = 8  # supersampling factor

# ---- palette ---------------------------------------------------------------------------------
C = {
    "out": (43, 58, 74), "white": (255, 255, 255), "paper": (250, 250, 246),
    "blue": (59, 125, 216), "lblue": (156, 195, 245), "dblue": (36, 82, 150),
    "green": (58, 163, 91), "lgreen": (168, 224, 181), "dgreen": (34, 110, 60),
    "red": (217, 69, 59), "lred": (244, 169, 163), "dred": (150, 40, 34),
    "yellow": (242, 182, 50), "lyellow": (253, 231, 166), "gold": (214, 160, 30),
    "orange": (240, 138, 36), "lorange": (250, 200, 150),
    "purple": (138, 92, 201), "lpurple": (205, 184, 240),
    "grey": (138, 150, 163), "lgrey": (223, 229, 234), "dgrey": (90, 100, 112),
    "brown": (160, 106, 59), "lbrown": (224, 192, 154),
    "teal": (42, 163, 163), "lteal": (160, 225, 225),
    "pink": (232, 104, 160), "lpink": (248, 196, 220),
    "skin": (246, 204, 160), "black": (40, 40, 44),
}


class Pen:
    """Draws on a supersampled canvas in 32-unit coordinates, optionally moved and scaled."""

    def __init__(self, draw, size, ox=0.0, oy=0.0, k=1.0):
        self.d, self.size, self.ox, self.oy, self.k = draw, size, ox, oy, k
        self.u = size * SS / 32.0
        self.ow = (1.0 if size <= 16 else 1.5) * SS  # outline width in canvas pixels

    def sub(self, x, y, k):
        return Pen(self.d, self.size, self.ox + x * self.k, self.oy + y * self.k, self.k * k)

    def p(self, x, y):
        return ((self.ox + x * self.k) * self.u, (self.oy + y * self.k) * self.u)

    def box(self, x0, y0, x1, y1):
        a, b = self.p(x0, y0), self.p(x1, y1)
        return [a[0], a[1], b[0] - 1, b[1] - 1]

    def col(self, c):
        return C[c] if isinstance(c, str) else c

    def rect(self, x0, y0, x1, y1, fill, r=0, outline="out"):
        o = self.col(outline) if outline else None
        b = self.box(x0, y0, x1, y1)
        if r > 0:
            self.d.rounded_rectangle(b, radius=r * self.k * self.u, fill=self.col(fill), outline=o,
                                     width=int(self.ow) if o else 0)
        else:
            self.d.rectangle(b, fill=self.col(fill), outline=o, width=int(self.ow) if o else 0)

    def ellipse(self, x0, y0, x1, y1, fill, outline="out"):
        o = self.col(outline) if outline else None
        self.d.ellipse(self.box(x0, y0, x1, y1), fill=self.col(fill), outline=o,
                       width=int(self.ow) if o else 0)

    def circle(self, cx, cy, r, fill, outline="out"):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, fill, outline)

    def poly(self, pts, fill, outline="out"):
        o = self.col(outline) if outline else None
        self.d.polygon([self.p(x, y) for x, y in pts], fill=self.col(fill), outline=o,
                       width=int(self.ow) if o else 0)

    def line(self, pts, color="out", w=None):
        width = self.ow if w is None else max(SS * 1.0, w * self.u * self.k)
        self.d.line([self.p(x, y) for x, y in pts], fill=self.col(color), width=int(width), joint="curve")

    def arc(self, x0, y0, x1, y1, a0, a1, color="out", w=None):
        width = self.ow if w is None else max(SS * 1.0, w * self.u * self.k)
        self.d.arc(self.box(x0, y0, x1, y1), a0, a1, fill=self.col(color), width=int(width))

    def star(self, cx, cy, r, fill, points=5, inner=0.45, outline="out"):
        pts = []
        for i in range(points * 2):
            rr = r if i % 2 == 0 else r * inner
            a = -math.pi / 2 + i * math.pi / points
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        self.poly(pts, fill, outline)


# ---- glyphs: each draws inside the 32 x 32 grid -------------------------------------------------

def card_blank(p, c="blue", lc="lblue"):
    p.rect(2, 7, 30, 25, c, r=3)


def credit_card(c="blue", lc="lblue"):
    def g(p):
        p.rect(2, 7, 30, 25, c, r=3)
        p.rect(2.8, 11, 29.2, 14.5, "black", outline=None)
        p.rect(5, 17, 11, 21, "lyellow", r=1)
        p.line([(14, 20), (26, 20)], lc, w=1.6)
    return g


def bank(p):
    p.poly([(16, 3), (30, 11), (2, 11)], "lgrey")
    p.rect(3, 26, 29, 30, "lgrey")
    for x in (6, 12.5, 19, 25.5):
        p.rect(x - 1.8, 12, x + 1.8, 26, "white")
    p.circle(16, 8.2, 1.5, "gold", outline=None)


def pin_pad(p):
    p.rect(6, 2, 26, 30, "lgrey", r=3)
    p.rect(9, 5, 23, 10, "lgreen", r=1)
    for r in range(3):
        for k in range(3):
            p.rect(9 + k * 5, 13 + r * 5, 12.5 + k * 5, 16 + r * 5, "white", r=0.5, outline="dgrey")


def wallet(p):
    p.rect(3, 8, 27, 27, "brown", r=3)
    p.rect(3, 8, 27, 13, "lbrown", r=2)
    p.rect(18, 14, 30, 22, "lbrown", r=2)
    p.circle(22, 18, 1.6, "gold", outline=None)


def banknote(p):
    p.rect(2, 8, 30, 24, "lgreen", r=1)
    p.rect(5, 11, 27, 21, "lgreen", outline="green")
    p.circle(16, 16, 4, "green", outline="dgreen")


def coins(p):
    for cx, cy in ((11, 22), (21, 20), (15, 12)):
        p.ellipse(cx - 8, cy - 6, cx + 8, cy + 6, "yellow")
        p.ellipse(cx - 5, cy - 3.5, cx + 5, cy + 3.5, "lyellow", outline="gold")


def piggy(p):
    p.ellipse(4, 9, 27, 27, "lpink")
    p.rect(8, 24, 12, 30, "lpink")
    p.rect(19, 24, 23, 30, "lpink")
    p.ellipse(24, 14, 31, 21, "pink")
    p.poly([(9, 10), (11, 4), (15, 9)], "pink")
    p.rect(13, 7, 19, 9, "gold", r=0.5)
    p.circle(20, 14, 1, "out", outline=None)


def chart(p):
    p.rect(3, 3, 29, 29, "white", r=1)
    for x, h, c in ((7, 8, "blue"), (13, 13, "green"), (19, 10, "orange"), (25, 19, "red")):
        p.rect(x - 2.2, 26 - h, x + 2.2, 26, c, outline=None)
    p.line([(5, 20), (12, 14), (18, 17), (27, 6)], "out", w=1.4)


def safe(p):
    p.rect(3, 4, 29, 27, "grey", r=2)
    p.rect(6, 7, 26, 24, "lgrey", r=1)
    p.circle(16, 15.5, 5, "white")
    p.line([(16, 15.5), (19, 12.5)], "out", w=1.5)
    p.rect(6, 27, 10, 30, "dgrey", outline=None)
    p.rect(22, 27, 26, 30, "dgrey", outline=None)


def calculator(p):
    p.rect(6, 2, 26, 30, "dgrey", r=2)
    p.rect(9, 5, 23, 11, "lgreen", r=1)
    for r in range(3):
        for k in range(3):
            col = "orange" if k == 2 else "white"
            p.rect(9 + k * 5, 14 + r * 5, 12 + k * 5, 17 + r * 5, col, outline=None)


def receipt(p):
    p.poly([(7, 2), (25, 2), (25, 30), (22, 28), (19, 30), (16, 28), (13, 30), (10, 28), (7, 30)], "paper")
    for y in (8, 12, 16):
        p.line([(10, y), (22, y)], "grey", w=1.2)
    p.line([(15, 22), (22, 22)], "out", w=1.6)


def cart(p):
    p.line([(2, 5), (7, 5), (11, 21), (26, 21)], "out", w=1.8)
    p.poly([(8, 8), (29, 8), (26, 18), (10.5, 18)], "lblue")
    p.circle(12, 26, 2.5, "dgrey")
    p.circle(24, 26, 2.5, "dgrey")


def bag(p):
    p.arc(10, 3, 22, 16, 180, 360, "out", w=1.8)
    p.poly([(5, 10), (27, 10), (29, 29), (3, 29)], "orange")
    p.circle(11, 14, 1, "out", outline=None)
    p.circle(21, 14, 1, "out", outline=None)


def gift(p):
    p.rect(4, 13, 28, 29, "red")
    p.rect(3, 9, 29, 14, "lred")
    p.rect(14, 9, 18, 29, "yellow", outline=None)
    p.ellipse(8, 3, 16, 10, "yellow")
    p.ellipse(16, 3, 24, 10, "yellow")


def tag(p):
    p.poly([(3, 16), (14, 4), (28, 4), (28, 18), (16, 29)], "lorange")
    p.circle(22.5, 9.5, 2, "white")


def ticket(p):
    p.poly([(2, 9), (30, 9), (30, 13), (28, 16), (30, 19), (30, 23), (2, 23), (2, 19), (4, 16), (2, 13)], "lpurple")
    p.line([(21, 10), (21, 22)], "purple", w=1.2)
    p.line([(7, 14), (17, 14)], "purple", w=1.4)
    p.line([(7, 18), (14, 18)], "purple", w=1.4)


def id_card(c="lblue", head="blue"):
    def g(p):
        p.rect(2, 6, 30, 26, c, r=2)
        p.rect(5, 10, 13, 21, "white", outline="grey")
        p.circle(9, 13.5, 2.2, head, outline=None)
        p.ellipse(5.5, 16, 12.5, 22, head, outline=None)
        for y in (12, 16, 20):
            p.line([(16, y), (27, y)], "dgrey", w=1.3)
    return g


def member_badge(p):
    p.rect(6, 8, 26, 30, "white", r=2)
    p.rect(6, 8, 26, 13, "teal", r=1)
    p.rect(13, 2, 19, 10, "grey", r=1)
    p.circle(16, 19, 3, "teal", outline=None)
    p.line([(10, 26), (22, 26)], "dgrey", w=1.4)


def monitor(p):
    p.rect(2, 4, 30, 23, "dgrey", r=2)
    p.rect(4.5, 6.5, 27.5, 20.5, "lblue", outline=None)
    p.rect(13, 23, 19, 27, "grey", outline=None)
    p.rect(8, 27, 24, 30, "grey", r=1)


def laptop(p):
    p.rect(5, 6, 27, 22, "dgrey", r=1.5)
    p.rect(7, 8, 25, 20, "lblue", outline=None)
    p.poly([(2, 23), (30, 23), (28, 27), (4, 27)], "lgrey")


def server(p):
    for y in (3, 12, 21):
        p.rect(5, y, 27, y + 8, "lgrey", r=1)
        p.circle(9, y + 4, 1.3, "green", outline=None)
        p.line([(14, y + 4), (23, y + 4)], "grey", w=1.3)


def network(p):
    p.line([(16, 8), (16, 16), (6, 16), (6, 22)], "out", w=1.5)
    p.line([(16, 16), (26, 16), (26, 22)], "out", w=1.5)
    p.line([(16, 16), (16, 22)], "out", w=1.5)
    p.rect(11, 2, 21, 9, "blue", r=1)
    for x in (6, 16, 26):
        p.rect(x - 4, 22, x + 4, 29, "lblue", r=1)


def wifi(p):
    for r in (14, 9.5, 5):
        p.arc(16 - r, 25 - r, 16 + r, 25 + r, 222, 318, "blue", w=3.4)
    p.circle(16, 25, 2.8, "blue", outline=None)


def printer(p):
    p.rect(8, 3, 24, 12, "white")
    p.rect(3, 11, 29, 24, "lgrey", r=2)
    p.rect(8, 19, 24, 29, "white")
    p.line([(11, 23), (21, 23)], "grey", w=1.2)
    p.circle(25, 15, 1.2, "green", outline=None)


def floppy(p):
    p.rect(3, 3, 29, 29, "blue", r=2)
    p.rect(9, 3, 23, 12, "lgrey")
    p.rect(18, 5, 21, 10, "dgrey", outline=None)
    p.rect(7, 17, 25, 29, "white")


def disc(p):
    p.circle(16, 16, 13.5, "lgrey")
    p.arc(6, 6, 26, 26, 200, 250, "lblue", w=3)
    p.arc(6, 6, 26, 26, 20, 70, "lpurple", w=3)
    p.circle(16, 16, 4, "white")


def usb_stick(p):
    p.rect(11, 2, 21, 10, "lgrey")
    p.rect(13, 4, 15, 6, "dgrey", outline=None)
    p.rect(17, 4, 19, 6, "dgrey", outline=None)
    p.rect(9, 10, 23, 30, "blue", r=2)
    p.circle(16, 24, 1.5, "lblue", outline=None)


def keyboard(p):
    p.rect(1, 9, 31, 25, "lgrey", r=2)
    for r in range(2):
        for k in range(6):
            p.rect(4 + k * 4.2, 12 + r * 4, 6.6 + k * 4.2, 14.5 + r * 4, "white", outline="dgrey")
    p.rect(9, 20.5, 23, 22.5, "white", outline="dgrey")


def address_book(p):
    p.rect(5, 2, 27, 30, "teal", r=2)
    p.rect(8, 2, 27, 30, "lteal", r=1)
    for y in (7, 13, 19, 25):
        p.rect(3, y - 1, 7, y + 1, "dgrey", r=0.5, outline=None)
    p.circle(17.5, 13, 3.2, "teal", outline=None)
    p.ellipse(11.5, 17, 23.5, 25, "teal", outline=None)


def person(c="blue"):
    def g(p):
        p.circle(16, 10, 6, "skin")
        p.poly([(4, 30), (6, 21), (11, 18), (21, 18), (26, 21), (28, 30)], c)
    return g


def people(p):
    p.circle(22, 9, 5, "skin")
    p.poly([(13, 28), (15, 19), (19, 16), (26, 16), (29, 19), (31, 28)], "green")
    p.circle(11, 12, 5.5, "skin")
    p.poly([(1, 31), (3, 22), (7, 19), (15, 19), (19, 22), (21, 31)], "blue")


def business_card(p):
    p.rect(1, 9, 29, 27, "white", r=1)
    p.rect(4, 5, 31, 23, "paper", r=1)
    p.circle(9.5, 11.5, 2.5, "orange", outline=None)
    p.line([(15, 11), (28, 11)], "out", w=1.6)
    p.line([(7, 16), (28, 16)], "grey", w=1.2)
    p.line([(7, 19.5), (22, 19.5)], "grey", w=1.2)


def briefcase(p):
    p.rect(11, 4, 21, 10, "lbrown", r=2)
    p.rect(13.5, 6.5, 18.5, 10, "white", outline=None)
    p.rect(2, 9, 30, 28, "brown", r=2)
    p.line([(2.5, 17), (29.5, 17)], "out")
    p.rect(14, 15, 18, 19.5, "gold", r=0.5)


def office(p):
    p.rect(6, 3, 26, 30, "lgrey")
    for r in range(5):
        for k in range(3):
            p.rect(9 + k * 5.5, 6 + r * 4.3, 12 + k * 5.5, 8.5 + r * 4.3, "lblue", outline=None)
    p.rect(13.5, 25, 18.5, 30, "dgrey", outline=None)


def store(p):
    p.rect(4, 13, 28, 29, "white")
    p.poly([(2, 6), (30, 6), (30, 13), (2, 13)], "red")
    for x in (6, 14, 22):
        p.rect(x, 6.7, x + 4, 12.3, "white", outline=None)
    p.rect(7, 17, 14, 29, "lbrown")
    p.rect(17, 17, 25, 24, "lblue")


def grad_cap(p):
    p.poly([(16, 5), (31, 12), (16, 19), (1, 12)], "black")
    p.poly([(8, 15.5), (24, 15.5), (24, 23), (16, 26), (8, 23)], "dgrey")
    p.line([(27, 13.5), (27, 23)], "yellow", w=1.4)
    p.circle(27, 24, 1.6, "yellow", outline=None)


def book(c="red", lc="lred"):
    def g(p):
        p.rect(6, 3, 27, 29, c, r=1.5)
        p.rect(8.5, 26, 27, 29, "paper", outline=None)
        p.line([(8.5, 3.5), (8.5, 28)], "out")
        p.rect(12, 7, 23, 12, lc, outline=None)
    return g


def newspaper(p):
    p.rect(3, 4, 29, 28, "paper")
    p.rect(6, 7, 26, 11, "dgrey", outline=None)
    p.rect(6, 14, 14, 22, "lblue", outline=None)
    for y in (15, 18, 21, 24):
        p.line([(17, y), (26, y)], "grey", w=1.1)
    p.line([(6, 25), (14, 25)], "grey", w=1.1)


def envelope(p):
    p.rect(2, 7, 30, 26, "white")
    p.line([(2.5, 7.5), (16, 18), (29.5, 7.5)], "out")
    p.line([(2.5, 25.5), (12, 15)], "grey", w=1)
    p.line([(29.5, 25.5), (20, 15)], "grey", w=1)


def at_sign(p):
    p.circle(16, 16, 13, "lyellow")
    p.circle(16, 16, 4.5, "white")
    p.arc(6.5, 6.5, 25.5, 25.5, 0, 300, "blue", w=2.2)
    p.circle(16, 16, 4.5, "lyellow", outline="blue")
    p.line([(20.5, 13), (20.5, 19), (24, 21)], "blue", w=2.2)


def globe(p, c="blue", lc="lblue"):
    p.circle(16, 16, 13.5, lc)
    p.ellipse(10, 3, 22, 29, None, outline=c)
    p.line([(16, 3), (16, 29)], c, w=1.1)
    p.line([(3, 16), (29, 16)], c, w=1.1)
    p.arc(5, 1, 27, 12, 30, 150, c, w=1.1)
    p.arc(5, 20, 27, 31, 210, 330, c, w=1.1)
    p.circle(16, 16, 13.5, None)


def cloud(p):
    p.circle(11, 18, 6.5, "lblue", outline=None)
    p.circle(18, 13, 8, "lblue", outline=None)
    p.circle(24, 19, 5.5, "lblue", outline=None)
    p.rect(6, 18, 26, 25, "lblue", outline=None)
    p.arc(4.5, 11.5, 17.5, 24.5, 95, 270, "out")
    p.arc(10, 5, 26, 21, 195, 345, "out")
    p.arc(18.5, 13.5, 29.5, 24.5, 280, 90, "out")
    p.line([(11, 24.5), (24, 24.5)], "out")


def key(c="yellow"):
    def g(p):
        p.line([(14, 18), (28, 18)], "out", w=4.2)
        p.line([(14, 18), (27.3, 18)], c, w=2.2)
        p.rect(21, 19, 24, 24, c, outline="out")
        p.rect(25.5, 19, 28.5, 22.5, c, outline="out")
        p.circle(9, 18, 7, c)
        p.circle(7, 18, 2.2, "white")
    return g


def padlock(c="yellow", opened=False):
    def g(p):
        if opened:
            p.arc(14, 2, 26, 18, 180, 360, "grey", w=3.2)
            p.line([(25, 10), (25, 14)], "grey", w=3.2)
        else:
            p.arc(9, 3, 23, 19, 180, 360, "grey", w=3.2)
            p.line([(10.6, 10), (10.6, 15)], "grey", w=3.2)
            p.line([(21.4, 10), (21.4, 15)], "grey", w=3.2)
        p.rect(5, 14, 27, 30, c, r=2)
        p.circle(16, 20.5, 2.2, "out", outline=None)
        p.rect(15, 21, 17, 26, "out", outline=None)
    return g


def shield(p):
    p.poly([(16, 2), (28, 6), (27, 17), (16, 30), (5, 17), (4, 6)], "blue")
    p.poly([(16, 5), (25, 8), (24.3, 16.5), (16, 26.5)], "lblue", outline=None)
    p.line([(10, 15), (14.5, 20), (22, 11)], "white", w=2.2)


def desk_phone(p):
    p.poly([(4, 17), (9, 12), (23, 12), (28, 17), (28, 28), (4, 28)], "red")
    p.rect(2, 5, 30, 11, "red", r=3)
    p.rect(11, 16, 21, 25, "lred", r=1)
    for r in range(2):
        for k in range(3):
            p.circle(13 + k * 3, 18.5 + r * 3.5, 0.8, "out", outline=None)


def mobile(p):
    p.rect(9, 2, 23, 30, "dgrey", r=3)
    p.rect(11, 6, 21, 24, "lblue", outline=None)
    p.circle(16, 27, 1.2, "lgrey", outline=None)


def fax(p):
    p.rect(10, 2, 24, 12, "white")
    for y in (5, 8):
        p.line([(13, y), (21, y)], "grey", w=1.1)
    p.rect(2, 11, 30, 28, "lgrey", r=2)
    p.rect(4, 13, 9, 26, "dgrey", r=1, outline=None)
    p.rect(12, 15, 27, 19, "lgreen", outline=None)
    for k in range(4):
        p.rect(12 + k * 4, 22, 14.5 + k * 4, 24.5, "white", outline=None)


def note_card(c="lyellow", line="gold"):
    def g(p):
        p.rect(3, 6, 29, 26, c, r=1)
        p.line([(3.5, 11), (28.5, 11)], "red", w=1.1)
        for y in (15, 19, 23):
            p.line([(6, y), (26, y)], line, w=1.0)
    return g


def calendar(p):
    p.rect(3, 5, 29, 29, "white", r=2)
    p.rect(3, 5, 29, 12, "red", r=2)
    p.rect(9, 2, 11, 8, "dgrey", outline=None)
    p.rect(21, 2, 23, 8, "dgrey", outline=None)
    for r in range(3):
        for k in range(4):
            p.rect(6 + k * 5.5, 15 + r * 4.5, 9 + k * 5.5, 17.5 + r * 4.5, "lgrey" if (r, k) != (1, 2) else "red", outline=None)


def clock(p):
    p.circle(16, 16, 13.5, "white")
    for i in range(12):
        a = i * math.pi / 6
        p.line([(16 + 10.5 * math.cos(a), 16 + 10.5 * math.sin(a)), (16 + 12 * math.cos(a), 16 + 12 * math.sin(a))], "grey", w=1)
    p.line([(16, 16), (16, 8)], "out", w=1.8)
    p.line([(16, 16), (22, 19)], "out", w=1.8)
    p.circle(16, 16, 1.3, "red", outline=None)


def bell(p):
    p.poly([(16, 3), (22, 7), (24, 20), (28, 24), (4, 24), (8, 20), (10, 7)], "yellow")
    p.circle(16, 27, 3, "gold")


def notepad(p):
    p.rect(5, 4, 25, 30, "lyellow")
    for x in (9, 13, 17, 21):
        p.circle(x, 4.5, 1.5, "grey")
    for y in (11, 15, 19, 23):
        p.line([(8, y), (22, y)], "gold", w=1)
    p.poly([(20, 24), (29, 11), (31, 13), (22, 26), (19, 27)], "orange")


def document(c="paper", lines="grey"):
    def g(p):
        p.poly([(6, 2), (20, 2), (26, 8), (26, 30), (6, 30)], c)
        p.poly([(20, 2), (20, 8), (26, 8)], "lgrey")
        for y in (13, 17, 21, 25):
            p.line([(10, y), (22, y)], lines, w=1.1)
    return g


def certificate(p):
    p.rect(2, 4, 30, 24, "paper")
    p.rect(4.5, 6.5, 27.5, 21.5, None, outline="gold")
    for y in (10, 14):
        p.line([(8, y), (24, y)], "grey", w=1.1)
    p.poly([(19, 22), (17, 30), (20, 28), (23, 30), (22, 22)], "red")
    p.circle(20.5, 20, 4, "red")


def clipboard(p):
    p.rect(5, 4, 27, 30, "brown", r=2)
    p.rect(8, 7, 24, 28, "white", outline=None)
    p.rect(11, 2, 21, 7, "lgrey", r=1)
    for y in (12, 16, 20, 24):
        p.line([(10.5, y), (21.5, y)], "grey", w=1.1)


def pencil(p):
    p.poly([(5, 27), (7, 20), (22, 5), (27, 10), (12, 25)], "yellow")
    p.poly([(5, 27), (7, 20), (12, 25)], "lbrown")
    p.poly([(22, 5), (24.5, 2.5), (29.5, 7.5), (27, 10)], "pink")


def folder(c="yellow", lc="lyellow", badge=None):
    def g(p):
        p.poly([(2, 7), (12, 7), (14, 10), (29, 10), (29, 27), (2, 27)], c)
        p.poly([(2, 13), (30, 13), (28.5, 27), (2, 27)], lc)
        if badge:
            badge(p.sub(14, 14, 0.55))
    return g


def open_folder(p):
    p.poly([(2, 7), (12, 7), (14, 10), (27, 10), (27, 27), (2, 27)], "yellow")
    p.rect(6, 6, 24, 20, "white", outline="grey")
    p.poly([(6, 15), (31, 15), (27, 27), (2, 27)], "lyellow")


def house(p):
    p.rect(6, 15, 26, 29, "lyellow")
    p.poly([(16, 3), (30, 16), (2, 16)], "red")
    p.rect(20.5, 5, 24, 11, "dred", outline=None)
    p.rect(13, 20, 19, 29, "brown")
    p.rect(21, 19, 24.5, 22.5, "lblue", outline=None)


def car(p):
    p.poly([(3, 17), (8, 9), (24, 9), (29, 17), (30, 24), (2, 24)], "red")
    p.poly([(8.5, 16), (11, 11), (21, 11), (24, 16)], "lblue", outline=None)
    p.line([(16, 11), (16, 16)], "red", w=1.2)
    p.circle(9, 24, 3.5, "dgrey")
    p.circle(23, 24, 3.5, "dgrey")


def medical(p):
    p.rect(2, 2, 30, 30, "white", r=4)
    p.poly([(12, 6), (20, 6), (20, 12), (26, 12), (26, 20), (20, 20), (20, 26), (12, 26), (12, 20),
            (6, 20), (6, 12), (12, 12)], "red")


def airplane(p):
    p.poly([(16, 1), (18.5, 5), (18.5, 12), (30, 19), (30, 22), (18.5, 18), (18, 25), (22, 28), (22, 30),
            (16, 28.5), (10, 30), (10, 28), (14, 25), (13.5, 18), (2, 22), (2, 19), (13.5, 12), (13.5, 5)], "lblue")


def combo_lock(p):
    p.arc(9, 2, 23, 17, 180, 360, "grey", w=3.2)
    p.line([(10.6, 9.5), (10.6, 14)], "grey", w=3.2)
    p.line([(21.4, 9.5), (21.4, 14)], "grey", w=3.2)
    p.circle(16, 21, 9, "dgrey")
    p.circle(16, 21, 5.5, "lgrey", outline=None)
    for i in range(8):
        a = i * math.pi / 4
        p.line([(16 + 6.3 * math.cos(a), 21 + 6.3 * math.sin(a)), (16 + 7.8 * math.cos(a), 21 + 7.8 * math.sin(a))], "white", w=1)
    p.line([(16, 21), (16, 16.5)], "red", w=1.6)


def umbrella(p):
    p.poly([(2, 16), (4, 10), (9, 5.5), (16, 4), (23, 5.5), (28, 10), (30, 16), (25, 14), (20.5, 16),
            (16, 14), (11.5, 16), (7, 14)], "blue")
    p.line([(16, 15), (16, 26)], "out", w=1.8)
    p.arc(10, 22, 16.5, 30, 0, 180, "out", w=1.8)


def bed(p):
    p.rect(2, 8, 5, 28, "brown", outline=None)
    p.rect(27, 17, 30, 28, "brown", outline=None)
    p.rect(3, 17, 29, 23, "lblue")
    p.rect(5, 13, 12, 17.5, "white", r=1.5)
    p.poly([(13, 17), (15, 12), (27, 12), (29, 17)], "blue")


def archive_box(p):
    p.rect(4, 12, 28, 29, "lbrown")
    p.rect(2, 6, 30, 12, "brown")
    p.rect(12, 16, 20, 19, "white", r=1)


def train(p):
    p.rect(6, 2, 26, 25, "blue", r=4)
    p.rect(9, 6, 23, 14, "lblue", outline=None)
    p.circle(11, 19.5, 1.6, "yellow", outline=None)
    p.circle(21, 19.5, 1.6, "yellow", outline=None)
    p.line([(10, 25), (6, 30)], "out", w=1.6)
    p.line([(22, 25), (26, 30)], "out", w=1.6)


def bus(p):
    p.rect(5, 3, 27, 26, "yellow", r=3)
    p.rect(8, 7, 24, 15, "lblue", outline=None)
    p.circle(10, 20.5, 1.6, "white")
    p.circle(22, 20.5, 1.6, "white")
    p.rect(7, 25, 11, 29, "dgrey", outline=None)
    p.rect(21, 25, 25, 29, "dgrey", outline=None)


def ship(p):
    p.rect(14.5, 2, 17.5, 14, "dgrey", outline=None)
    p.poly([(17.5, 3), (26, 12), (17.5, 12)], "white")
    p.poly([(2, 16), (30, 16), (25, 25), (7, 25)], "red")
    p.line([(2, 28), (8, 26.5), (14, 28), (20, 26.5), (26, 28), (30, 27)], "blue", w=1.5)


def bicycle(p):
    p.circle(8, 21, 6, None)
    p.circle(24, 21, 6, None)
    p.line([(8, 21), (13, 12), (22, 12), (24, 21)], "red", w=1.8)
    p.line([(13, 12), (16, 21), (22, 12)], "red", w=1.8)
    p.line([(11, 9), (15, 9)], "out", w=1.8)
    p.line([(22, 12), (21, 7), (24, 7)], "out", w=1.6)


def fuel_pump(p):
    p.rect(4, 4, 20, 29, "red", r=2)
    p.rect(7, 7, 17, 13, "white", outline=None)
    p.line([(20, 9), (25, 12), (25, 23), (28, 23), (28, 10)], "out", w=1.6)
    p.rect(2, 28, 22, 30, "dgrey", outline=None)


def suitcase(p):
    p.rect(12, 3, 20, 9, "dgrey", r=2)
    p.rect(14, 5, 18, 9, "white", outline=None)
    p.rect(4, 8, 28, 28, "orange", r=3)
    p.line([(10, 8.5), (10, 27.5)], "brown", w=1.6)
    p.line([(22, 8.5), (22, 27.5)], "brown", w=1.6)


def map_glyph(p):
    p.poly([(2, 6), (11, 3), (21, 6), (30, 3), (30, 26), (21, 29), (11, 26), (2, 29)], "lgreen")
    p.line([(11, 3.5), (11, 25.5)], "green", w=1)
    p.line([(21, 6.5), (21, 28.5)], "green", w=1)
    p.line([(5, 22), (12, 14), (18, 18), (26, 9)], "red", w=1.4)
    p.circle(26, 9, 2, "red", outline=None)


def compass(p):
    p.circle(16, 16, 13.5, "white")
    p.poly([(16, 4), (19.5, 16), (12.5, 16)], "red", outline=None)
    p.poly([(16, 28), (19.5, 16), (12.5, 16)], "grey", outline=None)
    p.circle(16, 16, 1.5, "out", outline=None)


def star_glyph(c="yellow"):
    def g(p):
        p.star(16, 17, 14.5, c)
    return g


def passport(p):
    p.rect(6, 2, 26, 30, "dblue", r=2)
    p.circle(16, 14, 5.5, None, outline="yellow")
    p.line([(10.5, 14), (21.5, 14)], "yellow", w=0.9)
    p.ellipse(13.5, 8.5, 18.5, 19.5, None, outline="yellow")
    p.line([(11, 24), (21, 24)], "yellow", w=1.4)


def flag(p):
    p.line([(6, 3), (6, 30)], "dgrey", w=2.2)
    p.poly([(7, 4), (28, 4), (23, 10.5), (28, 17), (7, 17)], "red")


def trophy(p):
    p.arc(2, 5, 12, 17, 90, 270, "gold", w=2)
    p.arc(20, 5, 30, 17, 270, 90, "gold", w=2)
    p.poly([(8, 3), (24, 3), (23, 13), (18, 19), (14, 19), (9, 13)], "yellow")
    p.rect(14.5, 19, 17.5, 24, "gold", outline=None)
    p.rect(9, 24, 23, 29, "brown", r=1)


def heart(c="red"):
    def g(p):
        p.poly([(16, 29), (3, 15), (2, 9), (5, 4.5), (10, 3.5), (16, 8), (22, 3.5), (27, 4.5), (30, 9),
                (29, 15)], c)
    return g


def pill(p):
    p.rect(2, 11, 30, 21, "white", r=5)
    p.rect(2, 11, 16, 21, "red", r=5)
    p.rect(12, 11.8, 16, 20.2, "red", outline=None)
    p.line([(16, 11.5), (16, 20.5)], "out")


def tooth(p):
    p.poly([(6, 6), (10, 3), (16, 5), (22, 3), (26, 6), (26, 14), (23, 29), (20, 29), (18, 20), (14, 20),
            (12, 29), (9, 29), (6, 14)], "white")


def glasses(p):
    p.circle(9, 18, 6, "lblue")
    p.circle(23, 18, 6, "lblue")
    p.arc(13, 14, 19, 20, 200, 340, "out")
    p.line([(3, 17), (1, 11)], "out")
    p.line([(29, 17), (31, 11)], "out")


def thermometer(p):
    p.rect(13, 2, 19, 23, "white", r=3)
    p.rect(14.8, 10, 17.2, 22, "red", outline=None)
    p.circle(16, 25, 5, "red")
    for y in (6, 10, 14, 18):
        p.line([(19.5, y), (22, y)], "grey", w=1)


def paw(p):
    p.ellipse(8, 15, 24, 29, "brown", outline=None)
    for cx, cy in ((6, 12), (12, 6.5), (20, 6.5), (26, 12)):
        p.ellipse(cx - 3, cy - 3.8, cx + 3, cy + 3.8, "brown", outline=None)


def lightning(p):
    p.poly([(19, 2), (6, 18), (15, 18), (12, 30), (26, 12), (17, 12), (21, 2)], "yellow")


def drop(p):
    p.poly([(16, 2), (22, 12), (25, 18), (24, 24), (20, 28.5), (16, 29.5), (12, 28.5), (8, 24), (7, 18),
            (10, 12)], "lblue")
    p.arc(10, 16, 17, 26, 100, 180, "white", w=1.5)


def flame(p):
    p.poly([(16, 2), (21, 9), (25, 16), (24, 24), (19, 29.5), (13, 29.5), (8, 24), (7, 17), (11, 11),
            (13, 15), (14, 8)], "orange")
    p.poly([(16, 14), (20, 21), (19, 27), (13, 27), (12, 21)], "yellow", outline=None)


def music(p):
    p.line([(12, 24), (12, 6), (27, 3), (27, 21)], "out", w=2)
    p.line([(12, 9), (27, 6)], "out", w=3)
    p.ellipse(5, 20, 13, 27, "purple")
    p.ellipse(20, 17, 28, 24, "purple")


def film(p):
    p.rect(4, 2, 28, 30, "black", r=1)
    for y in range(4, 30, 5):
        p.rect(5.5, y, 8, y + 2.5, "white", outline=None)
        p.rect(24, y, 26.5, y + 2.5, "white", outline=None)
    p.rect(10, 4, 22, 14, "lblue", outline=None)
    p.rect(10, 17, 22, 28, "lorange", outline=None)


def camera(p):
    p.rect(2, 9, 30, 27, "dgrey", r=3)
    p.rect(10, 5, 20, 10, "dgrey", r=1)
    p.circle(16, 18, 6.5, "lgrey")
    p.circle(16, 18, 3.5, "blue", outline=None)
    p.rect(24, 12, 27, 14, "yellow", outline=None)


def gamepad(p):
    p.rect(2, 9, 30, 24, "lgrey", r=7)
    p.rect(6, 15, 13, 17.5, "dgrey", outline=None)
    p.rect(8.3, 12.7, 10.7, 19.8, "dgrey", outline=None)
    p.circle(22, 14, 1.8, "red", outline=None)
    p.circle(25.5, 18, 1.8, "blue", outline=None)


def television(p):
    p.line([(10, 2), (16, 8), (22, 2)], "out", w=1.5)
    p.rect(2, 8, 30, 27, "dgrey", r=3)
    p.rect(5, 11, 24, 24, "lblue", r=1, outline=None)
    p.circle(27, 14, 1.2, "white", outline=None)
    p.circle(27, 19, 1.2, "white", outline=None)


def light_bulb(p):
    p.circle(16, 12, 9.5, "lyellow")
    p.rect(12, 19, 20, 27, "lgrey", r=1)
    p.line([(12.5, 22), (19.5, 22)], "grey", w=1)
    p.rect(14, 27, 18, 30, "dgrey", outline=None)
    p.line([(14, 18), (14, 13), (18, 13), (18, 18)], "orange", w=1.2)


def coffee(p):
    p.arc(21, 11, 30, 21, 270, 90, "out", w=2.2)
    p.poly([(4, 9), (25, 9), (23, 27), (6, 27)], "white")
    p.rect(6, 12, 23, 15, "brown", outline=None)
    p.line([(11, 2), (10, 6)], "grey", w=1.2)
    p.line([(17, 2), (16, 6)], "grey", w=1.2)


def cutlery(p):
    p.line([(10, 2), (10, 10)], "dgrey", w=1.3)
    p.line([(7, 2), (7, 9), (13, 9), (13, 2)], "dgrey", w=1.3)
    p.line([(10, 9), (10, 30)], "dgrey", w=2.4)
    p.poly([(22, 2), (25, 6), (25, 16), (22.5, 16)], "lgrey")
    p.line([(22.5, 16), (22.5, 30)], "dgrey", w=2.4)


def wine(p):
    p.poly([(8, 3), (24, 3), (24, 10), (16, 18), (8, 10)], "white")
    p.poly([(8.8, 7), (23.2, 7), (23.2, 10), (16, 16.8), (8.8, 10)], "red", outline=None)
    p.line([(16, 18), (16, 27)], "out", w=1.6)
    p.line([(10, 28.5), (22, 28.5)], "out", w=2)


def shirt(p):
    p.poly([(11, 3), (16, 6), (21, 3), (30, 8), (27, 14), (24, 12.5), (24, 29), (8, 29), (8, 12.5), (5, 14),
            (2, 8)], "lteal")
    p.line([(16, 6.5), (16, 28)], "teal", w=1)


def diamond(p):
    p.poly([(9, 5), (23, 5), (30, 12), (16, 29), (2, 12)], "lteal")
    p.line([(2.5, 12), (29.5, 12)], "teal", w=1)
    p.line([(9, 5.5), (16, 28), (23, 5.5)], "teal", w=1)


def wristwatch(p):
    p.rect(11, 1, 21, 9, "brown", r=1)
    p.rect(11, 23, 21, 31, "brown", r=1)
    p.circle(16, 16, 9, "lgrey")
    p.circle(16, 16, 6.5, "white", outline=None)
    p.line([(16, 16), (16, 11.5), (16, 16), (19.5, 17.5)], "out", w=1.3)


def cake(p):
    p.rect(4, 15, 28, 29, "lpink", r=2)
    p.line([(4.5, 21), (27.5, 21)], "pink", w=1.6)
    for x in (10, 16, 22):
        p.rect(x - 1, 8, x + 1, 15, "lblue", outline=None)
        p.ellipse(x - 1.5, 4, x + 1.5, 8, "orange", outline=None)


def puzzle(p):
    p.poly([(4, 8), (12, 8), (12, 5), (14, 3), (17, 3), (19, 5), (19, 8), (27, 8), (27, 15), (30, 15),
            (31, 18), (30, 21), (27, 21), (27, 29), (4, 29)], "green")


def anchor(p):
    p.circle(16, 6, 3, None, outline="dblue")
    p.line([(16, 9), (16, 28)], "dblue", w=2.4)
    p.line([(10, 13), (22, 13)], "dblue", w=2.2)
    p.arc(5, 12, 27, 29, 20, 160, "dblue", w=2.4)


def tree(p):
    p.rect(14, 21, 18, 30, "brown", outline=None)
    p.poly([(16, 2), (26, 14), (21, 14), (28, 23), (4, 23), (11, 14), (6, 14)], "green")


def flower(p):
    p.line([(16, 18), (16, 30)], "green", w=1.8)
    p.ellipse(17, 22, 26, 27, "lgreen")
    for i in range(5):
        a = -math.pi / 2 + i * 2 * math.pi / 5
        p.circle(16 + 6 * math.cos(a), 11 + 6 * math.sin(a), 4.2, "lpink")
    p.circle(16, 11, 3.2, "yellow")


def sun(p):
    for i in range(8):
        a = i * math.pi / 4
        p.line([(16 + 10 * math.cos(a), 16 + 10 * math.sin(a)), (16 + 14.5 * math.cos(a), 16 + 14.5 * math.sin(a))], "orange", w=2.2)
    p.circle(16, 16, 8, "yellow")


def mountain(p):
    p.poly([(1, 28), (11, 10), (16, 17), (21, 8), (31, 28)], "grey")
    p.poly([(21, 8), (24.3, 14.5), (22, 13.5), (20, 15.5), (18, 13)], "white", outline=None)
    p.circle(8, 7, 3, "yellow", outline=None)


def tent(p):
    p.poly([(16, 4), (30, 28), (2, 28)], "orange")
    p.poly([(16, 12), (21, 28), (11, 28)], "brown")


def magnifier(p):
    p.line([(19, 19), (28, 28)], "dgrey", w=4.5)
    p.circle(13, 13, 9.5, "lblue")
    p.arc(7, 7, 15, 15, 180, 270, "white", w=1.6)


def gear(p, c="grey"):
    pts = []
    for i in range(32):
        a = i * math.pi / 16
        r = 13.5 if (i // 2) % 2 == 0 else 10.5
        pts.append((16 + r * math.cos(a + math.pi / 32), 16 + r * math.sin(a + math.pi / 32)))
    p.poly(pts, c)
    p.circle(16, 16, 4, "white")


def wrench(p):
    p.line([(7, 25), (20, 12)], "grey", w=4)
    p.circle(22.5, 9.5, 7, "grey")
    p.poly([(22, 3), (26, 3), (29.5, 6.5), (29.5, 10), (25, 10), (22, 7)], "white", outline=None)
    p.circle(7, 25, 3, "grey")


def hammer(p):
    p.line([(9, 28), (20, 12)], "brown", w=3.2)
    p.poly([(12, 8), (19, 2), (30, 12), (26, 16), (20, 10), (16, 13)], "dgrey")


def scales(p):
    p.line([(16, 3), (16, 27)], "out", w=1.8)
    p.line([(4, 7), (28, 7)], "out", w=1.8)
    p.rect(9, 27, 23, 30, "gold", outline=None)
    for x in (6, 26):
        p.line([(x - 0.5, 8), (x - 4, 18), (x + 3.5, 18), (x + 0.5, 8)], "grey", w=1)
        p.poly([(x - 5, 18), (x + 5, 18), (x + 3.5, 21), (x - 3.5, 21)], "yellow")


def fingerprint(p):
    for r in (3, 6, 9, 12):
        p.arc(16 - r, 17 - r, 16 + r, 17 + r, 200, 340 + r, "teal", w=1.6)
        p.arc(16 - r, 17 - r, 16 + r, 17 + r, 10, 120 - r * 3, "teal", w=1.6)


def smile(p):
    p.circle(16, 16, 13.5, "yellow")
    p.circle(11.5, 12.5, 1.8, "out", outline=None)
    p.circle(20.5, 12.5, 1.8, "out", outline=None)
    p.arc(9, 10, 23, 23, 20, 160, "out", w=1.8)


def chat(p):
    p.poly([(3, 4), (29, 4), (29, 21), (14, 21), (7, 28), (8, 21), (3, 21)], "lblue")
    for x in (10, 16, 22):
        p.circle(x, 12.5, 1.6, "blue", outline=None)


def hourglass(p):
    p.rect(6, 2, 26, 5, "brown", outline=None)
    p.rect(6, 27, 26, 30, "brown", outline=None)
    p.poly([(8, 5), (24, 5), (17.5, 16), (24, 27), (8, 27), (14.5, 16)], "white")
    p.poly([(11, 24), (21, 24), (23, 26.5), (9, 26.5)], "yellow", outline=None)
    p.poly([(11.5, 8), (20.5, 8), (16, 14)], "yellow", outline=None)


def picture(p):
    p.rect(2, 5, 30, 27, "white")
    p.rect(5, 8, 27, 24, "lblue", outline=None)
    p.poly([(5, 24), (12, 14), (18, 21), (21, 18), (27, 24)], "green", outline=None)
    p.circle(21, 12.5, 2.5, "yellow", outline=None)


def speaker(p):
    p.poly([(3, 12), (9, 12), (17, 5), (17, 27), (9, 20), (3, 20)], "dgrey")
    p.arc(13, 9, 23, 23, 300, 60, "blue", w=1.8)
    p.arc(12, 4, 29, 28, 300, 60, "blue", w=1.8)


def paperclip(p):
    p.line([(20, 9), (20, 22)], "dgrey", w=1.8)
    p.arc(12, 17, 20, 27, 0, 180, "dgrey", w=1.8)
    p.line([(12, 22), (12, 7)], "dgrey", w=1.8)
    p.arc(12, 2, 24, 12, 180, 360, "dgrey", w=1.8)
    p.line([(24, 7), (24, 24)], "dgrey", w=1.8)
    p.arc(8, 18, 24, 30, 0, 180, "dgrey", w=1.8)
    p.line([(8, 24), (8, 12)], "dgrey", w=1.8)


def handset(p):
    p.poly([(6, 3), (12, 3), (14, 10), (10.5, 13), (19, 21.5), (22, 18), (29, 20), (29, 26), (25, 29.5),
            (18, 28), (10, 22), (4, 14), (2.5, 7)], "green")


def list_glyph(p):
    p.rect(3, 3, 29, 29, "white", r=1)
    for y in (9, 16, 23):
        p.rect(6, y - 1.8, 9.6, y + 1.8, "blue", outline=None)
        p.line([(12, y), (25, y)], "dgrey", w=1.5)


def eraser(p):
    p.poly([(3, 21), (16, 6), (29, 15), (18, 28), (9, 28)], "lpink")
    p.poly([(3, 21), (9.5, 13.5), (22, 22), (18, 28), (9, 28)], "pink")
    p.line([(14, 29.5), (30, 29.5)], "grey", w=1.2)


def clear_x(p):
    p.circle(16, 16, 13.5, "red")
    p.line([(10.5, 10.5), (21.5, 21.5)], "white", w=3)
    p.line([(21.5, 10.5), (10.5, 21.5)], "white", w=3)


def expand_tree(p):
    p.line([(9, 8), (9, 25), (17, 25)], "grey", w=1.3)
    p.line([(9, 16), (17, 16)], "grey", w=1.3)
    p.rect(3, 2, 15, 14, "white", r=1)
    p.line([(6, 8), (12, 8)], "out", w=1.7)
    p.line([(9, 5), (9, 11)], "out", w=1.7)
    p.rect(17, 12.5, 29, 19.5, "lyellow", r=1)
    p.rect(17, 21.5, 29, 28.5, "lyellow", r=1)


def find_go(p):
    magnifier(p)
    p.poly([(18, 17), (25, 17), (25, 13), (31, 20), (25, 27), (25, 23), (18, 23)], "green")


def form_grid(p):
    p.rect(3, 2, 29, 30, "white", r=1)
    p.rect(3, 2, 29, 8, "blue", r=1)
    for y in (12, 18, 24):
        p.line([(6, y), (12, y)], "dgrey", w=1.4)
        p.rect(14, y - 2, 26, y + 2, "lgrey", outline="grey")


def pencil_form(p):
    form_grid(p)
    pencil(p.sub(12, 12, 0.62))


def app_icon(p):
    p.poly([(16, 2), (28, 6), (27, 18), (16, 30), (5, 18), (4, 6)], "dblue")
    p.rect(9, 12, 23, 24, "yellow", r=1.5)
    p.arc(11, 5, 21, 17, 180, 360, "lgrey", w=2.6)
    p.line([(12.3, 11), (12.3, 12)], "lgrey", w=2.6)
    p.line([(19.7, 11), (19.7, 12)], "lgrey", w=2.6)
    p.circle(16, 17, 1.6, "out", outline=None)
    p.rect(15.3, 17, 16.7, 21, "out", outline=None)


def wallet_file(p):
    document()(p)
    app_icon(p.sub(11, 11, 0.62))


def legacy_file(p):
    document("lgrey", "dgrey")(p)
    padlock("grey")(p.sub(12, 12, 0.6))


def form_file(p):
    document()(p)
    form_grid(p.sub(12, 12, 0.62))


def plus_badge(p):
    p.circle(16, 16, 14, "green")
    p.line([(16, 8), (16, 24)], "white", w=4)
    p.line([(8, 16), (24, 16)], "white", w=4)


def arrow_badge(p):
    p.poly([(3, 12), (17, 12), (17, 5), (30, 16), (17, 27), (17, 20), (3, 20)], "green")


def trash(p):
    p.rect(6, 8, 26, 30, "lgrey", r=1)
    p.rect(3, 5, 29, 9, "grey", r=1)
    p.rect(12, 2, 20, 5, "grey", r=1)
    for x in (11, 16, 21):
        p.line([(x, 12), (x, 26)], "grey", w=1.4)


def copy_docs(p):
    document()(p.sub(-3, -1, 0.8))
    document()(p.sub(8, 6, 0.8))


def colour_palette(p):
    p.poly([(16, 3), (25, 5), (30, 12), (29, 20), (24, 22), (20, 22), (18, 25), (19, 28), (14, 30),
            (7, 27), (3, 20), (3, 12), (8, 5)], "lbrown")
    for (x, y, c) in ((10, 10, "red"), (17, 8, "yellow"), (24, 12, "green"), (9, 18, "blue"), (14, 24, "purple")):
        p.circle(x, y, 2.6, c)


def options(p):
    gear(p)
    shield(p.sub(13, 13, 0.6))


def folder_props(p):
    folder()(p)
    pencil(p.sub(13, 11, 0.62))


def text_file(p):
    p.poly([(6, 2), (20, 2), (26, 8), (26, 30), (6, 30)], "white")
    p.poly([(20, 2), (20, 8), (26, 8)], "lgrey")
    for y, x1 in ((11, 22), (15, 18), (19, 22), (23, 15)):
        p.line([(9.5, y), (x1, y)], "blue", w=1.4)


# ---- overlays: small marks drawn in a corner over another icon ----------------------------------

def overlay_shortcut(p):
    p.rect(1, 17, 15, 31, "white", r=1)
    p.poly([(4, 28), (4, 24), (8, 20), (6, 18), (13, 18), (13, 25), (11, 23), (7, 27)], "blue", outline=None)


def overlay_star(p):
    p.star(8, 24, 7.5, "yellow")


def overlay_lock(p):
    p.arc(3.5, 15, 12.5, 25, 180, 360, "grey", w=2.2)
    p.rect(2, 20, 14, 30, "yellow", r=1)


def overlay_clip(p):
    p.rect(1, 17, 15, 31, "white", r=1)
    paperclip(p.sub(1, 17, 0.44))


# ---- catalogue -------------------------------------------------------------------------------

F = folder
STOCK = [
    # index: (name, drawing)
    ("Index card", note_card("lblue", "blue")),                           # 0
    ("Credit card", credit_card("blue", "lblue")),                       # 1
    ("Bank", bank),                                                      # 2
    ("Gold card", credit_card("gold", "lyellow")),                       # 3
    ("PIN pad", pin_pad),                                                # 4
    ("Wallet", wallet),                                                  # 5
    ("Banknote", banknote),                                              # 6
    ("Coins", coins),                                                    # 7
    ("Piggy bank", piggy),                                               # 8
    ("Investments", chart),                                              # 9
    ("Safe", safe),                                                      # 10
    ("Calculator", calculator),                                          # 11
    ("Receipt", receipt),                                                # 12
    ("Shopping cart", cart),                                             # 13
    ("Shopping bag", bag),                                               # 14
    ("Gift", gift),                                                      # 15
    ("Price tag", tag),                                                  # 16
    ("Ticket", ticket),                                                  # 17
    ("Membership badge", member_badge),                                  # 18
    ("ID card", id_card("lblue", "blue")),                               # 19
    ("Computer", monitor),                                               # 20
    ("Laptop", laptop),                                                  # 21
    ("Server", server),                                                  # 22
    ("Network", network),                                                # 23
    ("Wireless", wifi),                                                  # 24
    ("Printer", printer),                                                # 25
    ("Disk", floppy),                                                    # 26
    ("Disc", disc),                                                      # 27
    ("USB stick", usb_stick),                                            # 28
    ("Keyboard", keyboard),                                              # 29
    ("Address book", address_book),                                      # 30
    ("Person", person("blue")),                                          # 31
    ("People", people),                                                  # 32
    ("Business card", business_card),                                    # 33
    ("Briefcase", briefcase),                                            # 34
    ("Office", office),                                                  # 35
    ("Shop", store),                                                     # 36
    ("School", grad_cap),                                                # 37
    ("Book", book("red", "lred")),                                       # 38
    ("Newspaper", newspaper),                                            # 39
    ("Mail", envelope),                                                  # 40
    ("E-mail address", at_sign),                                         # 41
    ("Web", globe),                                                      # 42
    ("Cloud", cloud),                                                    # 43
    ("Web log-in", lambda p: (globe(p), key("yellow")(p.sub(10, 12, 0.62)))),  # 44
    ("Padlock", padlock("yellow")),                                      # 45
    ("Shield", shield),                                                  # 46
    ("Telephone", desk_phone),                                           # 47
    ("Mobile phone", mobile),                                            # 48
    ("Fax", fax),                                                        # 49
    ("Card", note_card()),                                               # 50
    ("Calendar", calendar),                                              # 51
    ("Clock", clock),                                                    # 52
    ("Reminder", bell),                                                  # 53
    ("Notepad", notepad),                                                # 54
    ("My Forms", F("teal", "lteal", form_grid)),                         # 55
    ("Document", document()),                                            # 56
    ("Certificate", certificate),                                        # 57
    ("Clipboard", clipboard),                                            # 58
    ("Pencil", pencil),                                                  # 59
    ("Blue folder", F("blue", "lblue")),                                 # 60
    ("Green folder", F("green", "lgreen")),                              # 61
    ("Red folder", F("red", "lred")),                                    # 62
    ("Purple folder", F("purple", "lpurple")),                           # 63
    ("Orange folder", F("orange", "lorange")),                           # 64
    ("Grey folder", F("grey", "lgrey")),                                 # 65
    ("Starred folder", F("yellow", "lyellow", star_glyph())),            # 66
    ("House", house),                                                    # 67
    ("Car", car),                                                        # 68
    ("Locked folder", F("yellow", "lyellow", padlock("lgrey"))),         # 69
    ("Private folder", F("pink", "lpink", heart())),                     # 70
    ("Medical", medical),                                                # 71
    ("Folder", F()),                                                     # 72
    ("Travel", airplane),                                                # 73
    ("Combination lock", combo_lock),                                    # 74
    ("Open folder", open_folder),                                        # 75
    ("Insurance", umbrella),                                             # 76
    ("Hotel", bed),                                                      # 77
    ("Archive", archive_box),                                            # 78
    ("Key", key("yellow")),                                              # 79
    ("Train", train),                                                    # 80
    ("Bus", bus),                                                        # 81
    ("Ship", ship),                                                      # 82
    ("Bicycle", bicycle),                                                # 83
    ("Fuel", fuel_pump),                                                 # 84
    ("Suitcase", suitcase),                                              # 85
    ("Map", map_glyph),                                                  # 86
    ("Compass", compass),                                                # 87
    ("Favorites", star_glyph()),                                         # 88
    ("Passport", passport),                                              # 89
    ("Flag", flag),                                                      # 90
    ("Trophy", trophy),                                                  # 91
    ("Heart", heart()),                                                  # 92
    ("Pill", pill),                                                      # 93
    ("Dentist", tooth),                                                  # 94
    ("Glasses", glasses),                                                # 95
    ("Thermometer", thermometer),                                        # 96
    ("Pet", paw),                                                        # 97
    ("Electricity", lightning),                                          # 98
    ("Water", drop),                                                     # 99
    ("Driving licence", id_card("lgreen", "green")),                     # 100
    ("Music", music),                                                    # 101
    ("Film", film),                                                      # 102
    ("Camera", camera),                                                  # 103
    ("Game", gamepad),                                                   # 104
    ("Television", television),                                          # 105
    ("Idea", light_bulb),                                                # 106
    ("Gas", flame),                                                      # 107
    ("E-mail account", lambda p: (envelope(p), at_sign(p.sub(14, 12, 0.58)))),  # 108
    ("Shopping list", lambda p: (receipt(p), cart(p.sub(12, 13, 0.6)))),  # 109
    ("Contact", person("green")),                                        # 110
    ("Coffee", coffee),                                                  # 111
    ("Prescription", lambda p: (document()(p), pill(p.sub(10, 12, 0.65)))),  # 112
    ("Restaurant", cutlery),                                             # 113
    ("Wine", wine),                                                      # 114
    ("Clothes", shirt),                                                  # 115
    ("Jewellery", diamond),                                              # 116
    ("Watch", wristwatch),                                               # 117
    ("Birthday", cake),                                                  # 118
    ("Puzzle", puzzle),                                                  # 119
    ("Boat", anchor),                                                    # 120
    ("Garden", tree),                                                    # 121
    ("Flower", flower),                                                  # 122
    ("Holiday", sun),                                                    # 123
    ("Mountains", mountain),                                             # 124
    ("Camping", tent),                                                   # 125
    ("Settings", gear),                                                  # 126
    ("Tools", wrench),                                                   # 127
    ("Find results", magnifier),                                         # 128
    ("Repairs", hammer),                                                 # 129
    ("Legal", scales),                                                   # 130
    ("Membership card", id_card("lpurple", "purple")),                  # 131
    ("Identity", fingerprint),                                           # 132
    ("Fun", smile),                                                      # 133
    ("Messages", chat),                                                  # 134
    ("Subscription", hourglass),                                         # 135
    ("Pictures", picture),                                               # 136
    ("Library", book("blue", "lblue")),                                  # 137
    ("Green book", book("green", "lgreen")),                             # 138
    ("Silver key", key("lgrey")),                                        # 139
    ("Open padlock", padlock("lgrey", opened=True)),                     # 140
    ("Web folder", F("blue", "lblue", globe)),                           # 141
    ("Mail folder", F("yellow", "lyellow", envelope)),                   # 142
    ("Money folder", F("green", "lgreen", coins)),                       # 143
]

# Named icons: the application, file types, banner buttons, dialog headers and actions.
NAMED = [
    (200, "IDI_TL_APP", "Application", app_icon),
    (201, "IDI_TL_WALLET_FILE", "Wallet file", wallet_file),
    (202, "IDI_TL_LEGACY_FILE", "Legacy wallet file", legacy_file),
    (203, "IDI_TL_FORM_FILE", "Form file", form_file),
    # 204-212, 215 and 216 are not used by any screen; they keep the range complete for later ones.
    (204, "IDI_TL_NEW_WALLET", "New wallet", lambda p: (wallet_file(p), plus_badge(p.sub(0, 16, 0.5)))),
    (205, "IDI_TL_OPEN_WALLET", "Open wallet", open_folder),
    (206, "IDI_TL_PASSWORD", "Password", key("yellow")),
    (207, "IDI_TL_HINT", "Password hint", light_bulb),
    (208, "IDI_TL_COPY", "Copy", copy_docs),
    (209, "IDI_TL_MOVE", "Move", lambda p: (folder()(p), arrow_badge(p.sub(12, 13, 0.6)))),
    (210, "IDI_TL_DELETE", "Delete", trash),
    (211, "IDI_TL_ADD_FAVORITE", "Add to favourites", lambda p: (star_glyph()(p), plus_badge(p.sub(16, 16, 0.5)))),
    (212, "IDI_TL_LOCK", "Lock", padlock("yellow")),
    (213, "IDI_TL_FOLDER_PROPS", "Folder properties", folder_props),
    (214, "IDI_TL_ATTACHMENT", "Attachment", paperclip),
    (215, "IDI_TL_DISPLAY", "Display options", monitor),
    (216, "IDI_TL_COLOURS", "Colours", colour_palette),
    (217, "IDI_TL_FIND", "Find", magnifier),
    (218, "IDI_TL_CLEAR", "Clear", eraser),
    (219, "IDI_TL_EXPAND", "Expand and collapse", expand_tree),
    (220, "IDI_TL_FIND_NOW", "Find now", find_go),
    (221, "IDI_TL_OPTIONS", "Options and exchange", options),
    (222, "IDI_TL_FORM", "Card form", pencil_form),
    (223, "IDI_TL_NOTES", "Notes", notepad),
    (224, "IDI_TL_IMAGE", "Image", picture),
    (225, "IDI_TL_SOUND", "Sound", speaker),
    (226, "IDI_TL_CLEAR_ALL", "Clear all", clear_x),
    (227, "IDI_TL_SINGLE", "Card", note_card()),
    (228, "IDI_TL_ACTION_WEB", "Web address", globe),
    (229, "IDI_TL_ACTION_MAIL", "E-mail", envelope),
    (230, "IDI_TL_ACTION_PHONE", "Phone", handset),
    (231, "IDI_TL_TEXT_FILE", "Text file", text_file),
    (232, "IDI_TL_LIST", "Selection list", list_glyph),
]
OVERLAYS = [
    (296, "Shortcut", overlay_shortcut),
    (297, "Star", overlay_star),
    (298, "Lock", overlay_lock),
    (299, "Attachment", overlay_clip),
]


def render(glyph, size):
    img = Image.new("RGBA", (size * SS, size * SS), (0, 0, 0, 0))
    glyph(Pen(ImageDraw.Draw(img), size))
    return img.reduce(SS)


def ico_bytes(images):
    """An icon file of 32-bit images with alpha and a matching 1-bit mask."""
    blobs = []
    for img in images:
        w, h = img.size
        px = img.load()
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        color = bytearray()
        mask = bytearray()
        mstride = ((w + 31) // 32) * 4
        for y in range(h - 1, -1, -1):
            row = bytearray(mstride)
            for x in range(w):
                r, g, b, a = px[x, y]
                if a == 0:
                    r = g = b = 0
                color += bytes((b, g, r, a))
                if a < 128:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        blobs.append(header + bytes(color) + bytes(mask))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        w, h = img.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def bmp_bytes(img):
    """A 24-bit bottom-up BMP."""
    w, h = img.size
    stride = (w * 3 + 3) & ~3
    px = img.convert("RGB").load()
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = px[x, y]
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def browse_strip(size):
    """Two browse-button images side by side on pure green: dark dots (0) and white dots (1).

    Drawn pixel by pixel (an ellipsis of square dots), so no pixel blends into the key colour."""
    img = Image.new("RGB", (2 * size, size), (0, 255, 0))
    d = ImageDraw.Draw(img)
    dot, starts, top = (2, (0, 3, 6), 5) if size == 8 else (3, (2, 7, 12), 10)
    for i, colour in enumerate(((43, 58, 74), (255, 255, 255))):
        for x in starts:
            d.rectangle([i * size + x, top, i * size + x + dot - 1, top + dot - 1], fill=colour)
    return img


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    assert len(STOCK) == 144, len(STOCK)
    rc = ["// Icon and bitmap resources, generated by tools/make_icons.py: do not edit by hand.",
          '#include "icons.h"', ""]
    hdr = ["// Icon and bitmap resource numbers, generated by tools/make_icons.py: do not edit by hand.",
           "#pragma once", ""]

    def icon(number, name, glyph):
        fname = "i%03d.ico" % number
        write(os.path.join(OUT_DIR, fname), ico_bytes([render(glyph, 16), render(glyph, 32)]))
        rc.append('%d ICON "icons/%s"  // %s' % (number, fname, name))

    for number, ident, name, glyph in NAMED:
        hdr.append("#define %s %d" % (ident, number))
        icon(number, name, glyph)
    hdr += ["", "// Overlay marks (images 0 to 3 of the stock lists, overlays 1 to 4).",
            "#define IDI_TL_OVERLAY_FIRST 296", "#define IDI_TL_OVERLAY_COUNT 4", "",
            "// Stock icons: stock icon k is icon resource 300 + k.",
            "#define IDI_TL_STOCK_FIRST 300", "#define IDI_TL_STOCK_COUNT 144", "",
            "// Browse-button strips: two images each, 8 and 16 pixels wide, on pure green.",
            "#define IDB_TL_BROWSE_SMALL 180", "#define IDB_TL_BROWSE_LARGE 181", ""]
    rc.append("")
    for number, name, glyph in OVERLAYS:
        icon(number, "overlay: " + name, glyph)
    rc.append("")
    for k, (name, glyph) in enumerate(STOCK):
        icon(300 + k, "stock %d: %s" % (k, name), glyph)
    rc.append("")
    for number, size in ((180, 8), (181, 16)):
        fname = "b%03d.bmp" % number
        write(os.path.join(OUT_DIR, fname), bmp_bytes(browse_strip(size)))
        rc.append('%d BITMAP "icons/%s"' % (number, fname))
    write(os.path.join(ROOT, "resources", "icons.rc"), ("\n".join(rc) + "\n").encode())
    write(os.path.join(ROOT, "resources", "icons.h"), ("\n".join(hdr) + "\n").encode())
    # The names, for the contact sheet.
    write(os.path.join(OUT_DIR, "names.txt"),
          ("".join("%d\t%s\n" % (300 + k, n) for k, (n, _) in enumerate(STOCK)) +
           "".join("%d\t%s\n" % (num, n) for num, _, n, _ in NAMED) +
           "".join("%d\t%s\n" % (num, n) for num, n, _ in OVERLAYS)).encode())
    print("wrote %d icons and 2 bitmaps to %s" % (len(STOCK) + len(NAMED) + len(OVERLAYS), OUT_DIR))


if __name__ == "__main__":
    sys.exit(main())
