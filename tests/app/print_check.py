#!/usr/bin/env python3
"""Checks what the print test sent through the private spooler (tests/support/private_cups.sh): waits for
each job's PDF, rasterises it with Ghostscript at 600 dpi, has zbarimg and ZXingReader read the band of
the page that holds the bars, and measures the bars along a row through them. Every bar and space must be a whole multiple of the module
the print chose (module dots at the printer's dpi, in 600 dpi pixels), the narrowest exactly one module,
the bars at least 10 mm high (exactly the chosen height, in whole dots, where the job says one, and a
caption under them only where it says so), with at least 10 modules of quiet zone on the page each side.

usage: print_check.py FOLDER   (FOLDER as private_cups.sh made it: out/job-<id>.pdf, and printed.txt with a
                                "content<TAB>dpi<TAB>module dots<TAB>HORZRES<TAB>PHYSICALOFFSETX[<TAB>bar
                                height dots<TAB>caption 0/1]" line a job in the order printed)
A "sheet<TAB>columns<TAB>rows<TAB>width height top left across down (mm)<TAB>start<TAB>contents" line is a
run printed on a sheet of labels: every page is rasterised, each content must be read by both decoders from
its own label's cell (reading order, from the start position), and every cell before the start and after
the run must be blank. A "size<TAB>bytes<TAB>pages" line is a job whose PDF must stay under that many bytes
and hold that many pages (drawn as vectors, never as a bitmap of the page).
Exit status 0 when every job checks out, 1 otherwise, 77 (a skip) when the spooler was unavailable.
"""
import collections
import glob
import os
import re
import struct
import subprocess
import sys
import time
import zlib

RASTER_DPI = 600
WAIT_SECONDS = 60
DARK = 128  # a pixel below this grey is ink


def png_rows(path):
    """Yields the rows of an 8-bit greyscale PNG (as Ghostscript's pnggray writes it) as bytes, top first."""
    with open(path, "rb") as f:
        data = f.read()
    pos, idat, width, height = 8, [], 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if (depth, colour) != (8, 0):
                raise ValueError(f"{path}: not 8-bit greyscale (depth {depth}, colour type {colour})")
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    raw = zlib.decompress(b"".join(idat))
    previous = bytearray(width)
    for y in range(height):
        start = y * (width + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + width])
        if kind == 1:
            for x in range(1, width):
                line[x] = (line[x] + line[x - 1]) & 255
        elif kind == 2:
            line = bytearray((a + b) & 255 for a, b in zip(line, previous))
        elif kind == 3:
            for x in range(width):
                left = line[x - 1] if x else 0
                line[x] = (line[x] + ((left + previous[x]) >> 1)) & 255
        elif kind == 4:
            for x in range(width):
                a = line[x - 1] if x else 0
                b, c = previous[x], previous[x - 1] if x else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        yield bytes(line)
        previous = line


def runs(row):
    """The lengths of the ink and paper runs from the first ink pixel to the last, and where they start."""
    ink = [value < DARK for value in row]
    first = ink.index(True)
    last = len(ink) - 1 - ink[::-1].index(True)
    lengths, start = [], first
    for x in range(first + 1, last + 2):
        if x == last + 1 or ink[x] != ink[start]:
            lengths.append(x - start)
            start = x
    return first, last, lengths


def measure(png, dpi, module_dots, bar_dots, caption, crop):
    """Problems with the bars on the page, and a line saying what was measured. The page's full width from
    5 mm above the bars to 5 mm below goes into `crop` (a PGM file), for the decoders. The bars must be
    `bar_dots` high, and ink under them (within those 5 mm) there exactly when `caption` is set."""
    unit = module_dots * RASTER_DPI / dpi  # one module in 600 dpi pixels
    ten_mm = round(10 * RASTER_DPI / 25.4)
    margin = round(5 * RASTER_DPI / 25.4)
    rows = png_rows(png)
    top, above = None, collections.deque(maxlen=margin)
    for y, row in enumerate(rows):
        if min(row) < DARK:
            top, width = y, len(row)
            break
        above.append(row)
    if top is None:
        return ["the page is blank"], ""
    # A row 2 mm below the top of the bars, clear of their ends; then how far down the first bar's ink goes.
    seen = [row] + [next(rows, b"") for _ in range(round(2 * RASTER_DPI / 25.4))]
    if not seen[-1] or min(seen[-1]) >= DARK:
        return ["the bars are not 2 mm high"], ""
    first, last, lengths = runs(seen[-1])
    height = len(seen)
    for row in rows:
        seen.append(row)
        if row[first] >= DARK:
            break
        height += 1
    below = [row for _, row in zip(range(margin), rows)]
    seen += below
    with open(crop, "wb") as f:
        f.write(b"P5 %d %d 255\n" % (width, len(above) + len(seen)))
        f.write(b"".join(above) + b"".join(seen))
    problems, wrong = [], []
    for i, length in enumerate(lengths):
        modules = round(length / unit)
        if modules < 1 or modules > 4 or abs(length - modules * unit) > 1e-6:
            wrong.append(f"{'bar' if i % 2 == 0 else 'space'} {i} is {length} px")
    if wrong:
        problems.append(f"{len(wrong)} of {len(lengths)} bars and spaces are not whole multiples of the "
                        f"{unit:g} px module: {', '.join(wrong[:4])}{', ...' if len(wrong) > 4 else ''}")
    narrowest = min(lengths)
    if narrowest != unit:
        problems.append(f"the narrowest bar or space is {narrowest} px, not one {unit:g} px module")
    if len(lengths) % 6 != 1:
        problems.append(f"{len(lengths)} bars and spaces: not whole symbols and a stop pattern")
    quiet = 10 * unit
    if first < quiet or width - 1 - last < quiet:
        problems.append(f"quiet zones of {first} and {width - 1 - last} px, under 10 modules ({quiet:g} px)")
    if height < ten_mm and bar_dots is None:
        problems.append(f"bars {height} px high, under 10 mm ({ten_mm} px)")
    if bar_dots is not None and height * dpi != bar_dots * RASTER_DPI:
        problems.append(f"bars {height} px high, not the {bar_dots} dots at {dpi} dpi chosen")
    inked = any(min(row) < DARK for row in below[1:])
    if caption is not None and inked != caption:
        problems.append("no caption under the bars" if caption else "ink under the bars without a caption")
    measured = narrowest * dpi / RASTER_DPI
    said = (f"{len(lengths)} bars and spaces at x {first}..{last}, module {narrowest} px at {RASTER_DPI} dpi "
            f"= {measured:g} dots at {dpi} dpi (chosen {module_dots}), bars {height} px high "
            f"= {height * dpi / RASTER_DPI:g} dots, {'a caption' if inked else 'no caption'} under them")
    return problems, said


def read_pgm(path):
    """Width, height and the pixels of a binary PGM, as Ghostscript's pgmraw writes it."""
    with open(path, "rb") as f:
        data = f.read()
    fields = re.sub(rb"#[^\n]*\n", b" ", data[:200]).split()  # a comment may follow the magic number
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[len(data) - width * height:]


def pdf_pages(pdf):
    """The PDF's page count as Ghostscript reads it; 0 where it cannot."""
    gs = subprocess.run(["gs", "-q", "-dNODISPLAY", "-dNOSAFER", "-dBATCH", "-dNOPAUSE", "-c",
                         f"({pdf}) (r) file runpdfbegin pdfpagecount = quit"], capture_output=True, text=True)
    return int(gs.stdout.strip()) if gs.returncode == 0 and gs.stdout.strip().isdigit() else 0


def check_sheet(pdf, fields, pages):
    """Problems with a sheet of labels, and a line saying what was read."""
    columns, rows, start = int(fields[1]), int(fields[2]), int(fields[4])
    width, height, top, left, across, down = (float(v) for v in fields[3].split())
    contents = fields[5].split()
    name = os.path.basename(pdf)[:-4]
    out = os.path.join(pages, name + "-%d.pgm")
    gs = subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pgmraw", f"-r{RASTER_DPI}",
                         f"-sOutputFile={out}", pdf], capture_output=True, text=True)
    if gs.returncode != 0:
        return [f"{name}: gs failed: {gs.stderr.strip()[-300:]}"], ""
    per_page = columns * rows
    labels = start - 1 + len(contents)
    page_count = (labels + per_page - 1) // per_page
    problems, read = [], 0
    px = lambda mm: round(mm * RASTER_DPI / 25.4)
    for page in range(page_count):
        try:
            page_width, page_height, pixels = read_pgm(out % (page + 1))
        except OSError:
            problems.append(f"{name}: page {page + 1} of {page_count} is missing")
            continue
        for cell in range(per_page):
            at = page * per_page + cell - (start - 1)
            x0, y0 = px(left + cell % columns * across), px(top + cell // columns * down)
            x1, y1 = min(page_width, x0 + px(width)), min(page_height, y0 + px(height))
            crop = b"".join(pixels[y * page_width + x0:y * page_width + x1] for y in range(y0, y1))
            where = f"{name} page {page + 1} cell {cell + 1}"
            if not 0 <= at < len(contents):
                if crop and min(crop) < DARK:
                    problems.append(f"{where}: ink in a label outside the run")
                continue
            path = os.path.join(pages, f"{name}-{page + 1}-{cell + 1}.pgm")
            with open(path, "wb") as f:
                f.write(b"P5 %d %d 255\n" % (x1 - x0, y1 - y0) + crop)
            expected = contents[at].encode()
            for decoder, command, want in (
                    ("zbarimg", ["zbarimg", "-q", "--raw", path], expected + b"\n"),
                    ("ZXingReader", ["ZXingReader", "-format", "Code128", "-noscale", "-bytes", path], expected)):
                output, error = decode(command)
                if output == want:
                    read += 1
                else:
                    problems.append(f"{where} {decoder}: expected {expected!r}, read {output!r} {error}")
    said = (f"{len(contents)} labels on {page_count} pages of {columns} x {rows} from label {start}; "
            f"{read} of {2 * len(contents)} readings in their own cells")
    return problems, said


def decode(command):
    try:
        result = subprocess.run(command, capture_output=True, timeout=120)
    except (OSError, subprocess.TimeoutExpired) as error:
        return None, str(error)
    return result.stdout, result.stderr.decode(errors="replace").strip()[-300:]


def main():
    folder = sys.argv[1]
    unavailable = os.path.join(folder, "unavailable")
    if os.path.exists(unavailable):
        with open(unavailable) as f:
            print(f"print_check: skipped: no private print spooler: {f.readline().strip()}")
        return 77
    try:
        with open(os.path.join(folder, "printed.txt")) as f:
            jobs = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    except OSError as error:
        print(f"print_check: nothing was printed: {error}")
        return 1
    if not jobs:
        print("print_check: printed.txt is empty")
        return 1

    def pdfs():
        found = glob.glob(os.path.join(folder, "out", "job-*.pdf"))
        return sorted(found, key=lambda p: int(re.search(r"job-(\d+)\.pdf$", p).group(1)))

    deadline = time.monotonic() + WAIT_SECONDS
    while len(pdfs()) < len(jobs) and time.monotonic() < deadline:
        time.sleep(0.2)
    found = pdfs()
    if len(found) != len(jobs):
        print(f"print_check: {len(jobs)} jobs printed, {len(found)} PDFs in {folder}/out after {WAIT_SECONDS} s")
        return 1

    pages = os.path.join(folder, "pages")
    os.makedirs(pages, exist_ok=True)
    failures = []
    for pdf, (content, dpi, module_dots, *rest) in zip(found, jobs):
        name = os.path.basename(pdf)[:-4]
        if content == "size":
            size, pages_in = os.path.getsize(pdf), pdf_pages(pdf)
            if size >= int(dpi) or pages_in != int(module_dots):
                failures.append(f"{name}: {size} bytes in {pages_in} pages, asked for under {dpi} in {module_dots}")
            print(f"{name}: {size} bytes, {pages_in} page(s) (under {dpi} asked)")
            continue
        if content == "sheet":
            problems, said = check_sheet(pdf, [content, dpi, module_dots, *rest], pages)
            failures += problems
            print(f"{name}: {said}")
            continue
        look = rest[2:]
        png = os.path.join(pages, name + ".png")
        gs = subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pnggray",
                             f"-r{RASTER_DPI}", f"-sOutputFile={png}", pdf], capture_output=True, text=True)
        if gs.returncode != 0:
            failures.append(f"{name}: gs failed: {gs.stderr.strip()[-300:]}")
            continue
        crop = os.path.join(pages, name + "-bars.pgm")
        bar_dots, caption = (int(look[0]), look[1] == "1") if look else (None, None)
        problems, said = measure(png, int(dpi), int(module_dots), bar_dots, caption, crop)
        failures += [f"{name} {content!r}: {problem}" for problem in problems]
        expected = content.encode()
        decoders = {
            # zbarimg ends its text with a newline. ZXingReader's downscaled pass trips an assertion of its
            # own (Debian 12's zxing-cpp) on a long symbol at 600 dpi; the print at its own scale is what
            # is being checked anyway.
            "zbarimg": (["zbarimg", "-q", "--raw", crop], expected + b"\n"),
            "ZXingReader": (["ZXingReader", "-format", "Code128", "-noscale", "-bytes", crop], expected),
        }
        read = []
        for decoder, (command, want) in decoders.items():
            output, error = decode(command)
            if output == want:
                read.append(f"{decoder} read it")
            else:
                failures.append(f"{name} {decoder}: expected {expected!r}, read {output!r} {error}")
        print(f"{name} {content!r}: {said}; {', '.join(read) or 'no decoder read it'}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
