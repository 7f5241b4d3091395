"""A small anti-aliased line rasterizer with GIF and PNG writers (standard library only).

A Canvas holds one ink value per pixel (0.0 white .. 1.0 black). Drawings are made in
the units of the page rectangle the picture is stretched into: the canvas maps a page
position (x, y) to the picture pixel ((x - left) / width * W, (y - top) / height * H),
exactly the stretch the report applies, so a shape drawn at a page position lands under
the page texts placed at that position. Stroke widths are given in picture pixels.
"""

import math
import struct
import zlib

LEVELS = 16  # grey levels in the written GIF: index 0 white .. 15 black


class Canvas:
    def __init__(self, width, height, page_rect):
        self.w = width
        self.h = height
        self.left, self.top, self.right, self.bottom = page_rect
        self.sx = width / (self.right - self.left)
        self.sy = height / (self.bottom - self.top)
        self.ink = [bytearray(width) for _ in range(height)]  # 0..255

    # --- coordinates -------------------------------------------------------------
    def px(self, x, y):
        """Page position -> picture pixel coordinates (continuous, pixel centres at +0.5)."""
        return ((x - self.left) * self.sx, (y - self.top) * self.sy)

    def page(self, px, py):
        return (px / self.sx + self.left, py / self.sy + self.top)

    # --- primitives in pixel space -----------------------------------------------
    def _seg_px(self, x0, y0, x1, y1, hw):
        length = math.hypot(x1 - x0, y1 - y0)
        if length > 48:  # keep bounding boxes of long slanted segments small
            n = int(length // 40) + 1
            for i in range(n):
                a = i / n
                b = (i + 1) / n
                self._seg_px(x0 + (x1 - x0) * a, y0 + (y1 - y0) * a,
                             x0 + (x1 - x0) * b, y0 + (y1 - y0) * b, hw)
            return
        r = hw + 1.0
        ix0 = max(0, int(math.floor(min(x0, x1) - r)))
        ix1 = min(self.w - 1, int(math.ceil(max(x0, x1) + r)))
        iy0 = max(0, int(math.floor(min(y0, y1) - r)))
        iy1 = min(self.h - 1, int(math.ceil(max(y0, y1) + r)))
        dx = x1 - x0
        dy = y1 - y0
        ll = dx * dx + dy * dy
        for iy in range(iy0, iy1 + 1):
            row = self.ink[iy]
            cy = iy + 0.5
            for ix in range(ix0, ix1 + 1):
                cx = ix + 0.5
                if ll > 0:
                    t = ((cx - x0) * dx + (cy - y0) * dy) / ll
                    t = 0.0 if t < 0 else (1.0 if t > 1 else t)
                    ex = x0 + t * dx - cx
                    ey = y0 + t * dy - cy
                else:
                    ex = x0 - cx
                    ey = y0 - cy
                d = math.sqrt(ex * ex + ey * ey)
                c = hw + 0.5 - d
                if c > 0:
                    v = 255 if c >= 1 else int(c * 255 + 0.5)
                    if v > row[ix]:
                        row[ix] = v

    # --- drawing in page units ---------------------------------------------------
    def line(self, x0, y0, x1, y1, width):
        a = self.px(x0, y0)
        b = self.px(x1, y1)
        self._seg_px(a[0], a[1], b[0], b[1], width / 2.0)

    def polyline(self, pts, width, closed=False):
        for i in range(len(pts) - 1):
            self.line(pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1], width)
        if closed and len(pts) > 2:
            self.line(pts[-1][0], pts[-1][1], pts[0][0], pts[0][1], width)

    def rect(self, l, t, r, b, width):
        self.polyline([(l, t), (r, t), (r, b), (l, b)], width, closed=True)

    def arc(self, cx, cy, rx, ry, a0, a1, width, steps=None):
        """Elliptic arc, angles in degrees, 0 = +x, 90 = up (page Y grows downward)."""
        pts = arc_points(cx, cy, rx, ry, a0, a1, steps)
        self.polyline(pts, width)

    def ellipse(self, cx, cy, rx, ry, width):
        self.arc(cx, cy, rx, ry, 0, 360, width)

    def fill(self, inside, bbox, value=1.0, ss=4):
        """Set pixels of the page-unit bbox where inside(x, y) holds, anti-aliased by
        ss x ss supersampling. value 1.0 paints black (max with what is there), 0.0
        erases to white (everything covered is cleared in proportion)."""
        l, t, r, b = bbox
        p0 = self.px(l, t)
        p1 = self.px(r, b)
        ix0 = max(0, int(math.floor(p0[0])) - 1)
        iy0 = max(0, int(math.floor(p0[1])) - 1)
        ix1 = min(self.w - 1, int(math.ceil(p1[0])) + 1)
        iy1 = min(self.h - 1, int(math.ceil(p1[1])) + 1)
        n = ss * ss
        for iy in range(iy0, iy1 + 1):
            row = self.ink[iy]
            for ix in range(ix0, ix1 + 1):
                k = 0
                for sy in range(ss):
                    for sx in range(ss):
                        x, y = self.page(ix + (sx + 0.5) / ss, iy + (sy + 0.5) / ss)
                        if inside(x, y):
                            k += 1
                if k == 0:
                    continue
                cov = k / n
                if value >= 1.0:
                    v = int(cov * 255 + 0.5)
                    if v > row[ix]:
                        row[ix] = v
                else:
                    row[ix] = int(row[ix] * (1.0 - cov) + 0.5)

    def erase_rect(self, l, t, r, b):
        self.fill(lambda x, y: l <= x <= r and t <= y <= b, (l, t, r, b), 0.0, ss=2)

    def fill_polygon(self, pts, value=1.0):
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        self.fill(lambda x, y: point_in_polygon(x, y, pts),
                  (min(xs), min(ys), max(xs), max(ys)), value)

    # --- output ------------------------------------------------------------------
    def indices(self):
        """Pixel rows as palette indices 0 (white) .. LEVELS-1 (black)."""
        out = bytearray()
        scale = (LEVELS - 1) / 255.0
        for row in self.ink:
            out.extend(int(v * scale + 0.5) for v in row)
        return bytes(out)


def arc_points(cx, cy, rx, ry, a0, a1, steps=None):
    if steps is None:
        steps = max(8, int(abs(a1 - a0) / 6))
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy - ry * math.sin(a)))
    return pts


def point_in_polygon(x, y, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


# --- GIF (89a, one image, global grey palette, LZW) ---------------------------------

def grey_palette():
    pal = bytearray()
    for i in range(LEVELS):
        g = 255 - round(i * 255 / (LEVELS - 1))
        pal += bytes((g, g, g))
    return bytes(pal)


def lzw_encode(data, min_code_size):
    clear = 1 << min_code_size
    eoi = clear + 1
    out = bytearray()
    acc = 0
    nbits = 0

    def emit(code, size):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def reset():
        return {}, eoi + 1, min_code_size + 1

    table, next_code, size = reset()
    emit(clear, size)
    prefix = -1
    for byte in data:
        if prefix < 0:
            prefix = byte
            continue
        key = (prefix << 8) | byte
        code = table.get(key)
        if code is not None:
            prefix = code
            continue
        emit(prefix, size)
        if next_code < 4096:
            table[key] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = reset()
        prefix = byte
    if prefix >= 0:
        emit(prefix, size)
    emit(eoi, size)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(path, canvas):
    bits = max(2, (LEVELS - 1).bit_length())
    pal = grey_palette() + bytes(3 * ((1 << bits) - LEVELS))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", canvas.w, canvas.h, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0)
    data += pal
    data += b","
    data += struct.pack("<HHHHB", 0, 0, canvas.w, canvas.h, 0)
    data.append(bits)
    lzw = lzw_encode(canvas.indices(), bits)
    for i in range(0, len(lzw), 255):
        chunk = lzw[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00;"
    with open(path, "wb") as f:
        f.write(bytes(data))


# --- reading a GIF back (for the checks) ------------------------------------------

def read_gif(path):
    """Returns (width, height, rows of RGB triples) of the first image of a GIF."""
    with open(path, "rb") as f:
        d = f.read()
    if d[:6] not in (b"GIF87a", b"GIF89a"):
        raise ValueError(path + ": not a GIF")
    w, h, flags = struct.unpack("<HHB", d[6:11])
    pos = 13
    pal = None
    if flags & 0x80:
        n = 2 << (flags & 7)
        pal = [tuple(d[pos + 3 * i:pos + 3 * i + 3]) for i in range(n)]
        pos += 3 * n
    while d[pos] == 0x21:  # extensions
        pos += 2
        while d[pos]:
            pos += d[pos] + 1
        pos += 1
    if d[pos] != 0x2C:
        raise ValueError(path + ": no image")
    iw, ih, iflags = struct.unpack("<4xHHB", d[pos + 1:pos + 10])
    pos += 10
    if iflags & 0x80:
        n = 2 << (iflags & 7)
        pal = [tuple(d[pos + 3 * i:pos + 3 * i + 3]) for i in range(n)]
        pos += 3 * n
    mcs = d[pos]
    pos += 1
    stream = bytearray()
    while d[pos]:
        stream += d[pos + 1:pos + 1 + d[pos]]
        pos += d[pos] + 1
    idx = lzw_decode(bytes(stream), mcs)
    if len(idx) < iw * ih or (iw, ih) != (w, h):
        raise ValueError(path + ": short image data")
    rows = [[pal[i] for i in idx[y * w:(y + 1) * w]] for y in range(h)]
    return w, h, rows


def lzw_decode(data, mcs):
    clear = 1 << mcs
    eoi = clear + 1
    out = bytearray()
    size = mcs + 1
    table = [bytes((i,)) for i in range(clear)] + [b"", b""]
    prev = None
    acc = 0
    nbits = 0
    pos = 0
    while True:
        while nbits < size and pos < len(data):
            acc |= data[pos] << nbits
            nbits += 8
            pos += 1
        if nbits < size:
            break
        code = acc & ((1 << size) - 1)
        acc >>= size
        nbits -= size
        if code == clear:
            table = table[:eoi + 1]
            size = mcs + 1
            prev = None
            continue
        if code == eoi:
            break
        if code < len(table):
            entry = table[code]
            if prev is not None:
                table.append(prev + entry[:1])
        else:
            entry = prev + prev[:1]
            table.append(entry)
        out += entry
        prev = entry
        if len(table) == (1 << size) and size < 12:
            size += 1
    return bytes(out)


# --- PNG (for looking at pictures) -------------------------------------------------

def write_png(path, w, h, rows):
    """rows: list of h lists of w (r, g, b) tuples."""
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for p in row:
            raw += bytes(p)

    def chunk(tag, body):
        c = struct.pack(">I", len(body)) + tag + body
        return c + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 6))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
