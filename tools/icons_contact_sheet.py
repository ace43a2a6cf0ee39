#!/usr/bin/python3
"""Makes a contact sheet of the committed icon resources.

    /usr/bin/python3 tools/icons_contact_sheet.py [output.png] [--scale N]

Reads resources/icons/*.ico with its own small icon parser (not with the drawing script), so the
sheet shows exactly what the resource compiler puts into the application: the 144 stock icons
(300-443) with their stock numbers at 32 and 16 pixels, then the overlays (296-299), the named icons
(200-232) and the browse-button bitmaps (180, 181). Every icon is shown twice, on white and on the
dialog bar's gradient colour, so edges and transparency can be judged. Default output:
build/icons-contact-sheet.png.
"""
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICONS = os.path.join(ROOT, "resources", "icons")
BAR_BLUE = (129, 169, 226)  # the dialog bar's default end colour


def read_ico(path):
    """{size: RGBA image} for each 32-bit or 24-bit image of an icon file."""
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("%s: not an icon" % path)
    images = {}
    for i in range(count):
        _, _, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        hsize, w, h2, _, bits = struct.unpack_from("<IiiHH", data, offset)
        h = h2 // 2
        if bits not in (24, 32):
            continue
        stride = ((w * bits + 31) // 32) * 4
        mstride = ((w + 31) // 32) * 4
        pos = offset + hsize
        mask_pos = pos + stride * h
        img = Image.new("RGBA", (w, h))
        px = img.load()
        for row in range(h):
            y = h - 1 - row
            for x in range(w):
                q = pos + row * stride + x * (bits // 8)
                b, g, r = data[q], data[q + 1], data[q + 2]
                a = data[q + 3] if bits == 32 else 255
                masked = (data[mask_pos + row * mstride + x // 8] >> (7 - x % 8)) & 1
                if bits == 24 and masked:
                    a = 0
                px[x, y] = (r, g, b, a)
        images[w] = img
    return images


def names():
    table = {}
    path = os.path.join(ICONS, "names.txt")
    if os.path.exists(path):
        for line in open(path, encoding="utf-8"):
            number, _, name = line.rstrip("\n").partition("\t")
            table[int(number)] = name
    return table


def main(argv):
    out = os.path.join(ROOT, "build", "icons-contact-sheet.png")
    scale = 1
    args = list(argv)
    if "--scale" in args:
        i = args.index("--scale")
        scale = int(args[i + 1])
        del args[i:i + 2]
    if args:
        out = args[0]
    label = names()
    font = ImageFont.load_default()

    cols, cell_w, cell_h = 12, 100, 74
    stock_rows = 12
    named = sorted(n for n in label if n < 300)
    named_rows = (len(named) + cols - 1) // cols
    width = cols * cell_w + 20
    height = 40 + stock_rows * cell_h + 40 + named_rows * cell_h + 60
    sheet = Image.new("RGB", (width, height), (255, 255, 255))
    draw = ImageDraw.Draw(sheet)
    draw.text((10, 10), "Stock icons 0-143 (resources 300-443) at 32 and 16 pixels, on white and on the bar colour",
              fill=(0, 0, 0), font=font)

    def cell(x, y, number, caption):
        icons = read_ico(os.path.join(ICONS, "i%03d.ico" % number))
        draw.rectangle([x + 2, y + 2, x + cell_w - 3, y + 40], fill=BAR_BLUE)
        for top in (4, 42):   # on the bar colour, then on white
            if 32 in icons:
                sheet.paste(icons[32], (x + 6, y + top), icons[32])
            if 16 in icons:
                sheet.paste(icons[16], (x + 42, y + top + 8), icons[16])
        draw.text((x + 62, y + 6), str(caption), fill=(0, 0, 0), font=font)
        name = label.get(number, "")
        draw.text((x + 62, y + 46), name[:6], fill=(90, 90, 90), font=font)
        draw.text((x + 62, y + 58), name[6:12], fill=(90, 90, 90), font=font)

    for k in range(144):
        cell(10 + (k % cols) * cell_w, 30 + (k // cols) * cell_h, 300 + k, k)
    y0 = 30 + stock_rows * cell_h + 10
    draw.text((10, y0), "Overlays 296-299 and named icons 200-232 (resource numbers); browse bitmaps 180 and 181",
              fill=(0, 0, 0), font=font)
    for i, number in enumerate(named):
        cell(10 + (i % cols) * cell_w, y0 + 20 + (i // cols) * cell_h, number, number)
    yb = y0 + 20 + named_rows * cell_h + 5
    x = 10
    for number in (180, 181):
        bmp = Image.open(os.path.join(ICONS, "b%03d.bmp" % number)).convert("RGB")
        sheet.paste(bmp, (x, yb))
        draw.text((x + bmp.size[0] + 6, yb), str(number), fill=(0, 0, 0), font=font)
        x += bmp.size[0] + 40
    if scale > 1:
        sheet = sheet.resize((width * scale, height * scale), Image.NEAREST)
    os.makedirs(os.path.dirname(out), exist_ok=True)
    sheet.save(out)
    print("contact sheet: %s" % out)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
