#!/usr/bin/env python3
"""Decodes the pictures that app_scan_win_test (or render_print_page_win_test) wrote, with zbarimg and ZXingReader, and compares each
with the content it was made from. One line a kind of picture; exit status 1 when any picture fails or
a kind has no pictures at all.

usage: scan_check.py FOLDER [KIND...]   (FOLDER holds manifest.txt: "kind/NN.bmp <content as hex>" lines;
       the KINDs that must be there, by default those of app_scan_win_test)
"""
import os
import subprocess
import sys

# The shown picture (as saved), the full-size copy C:\1.bmp, the barcode that Ctrl+C copies, and a GS1-128
# full-size copy (its content as transmitted, a GS for each FNC1 separator).
# (Save As's test writes its own folder, of PNGs; the printed pages are "printed", in a folder of theirs.)
KINDS = ("saved", "full", "clipboard", "gs1")
# A printed page is read at its own dots: zxing-cpp 1.4.0 finds its tall bars again in the downscaled copy
# it also tries and stops on an assertion (Result::operator==, lineCount() == 1) while merging the two.
# So is a metafile played back at a printer's resolution ("NN-emf.bmp").
ZXING_OPTIONS = {"printed": ["-noscale"]}


def zxing_options(kind, name):
    return ["-noscale"] if name.endswith("-emf.bmp") else ZXING_OPTIONS.get(kind, [])


def decode(command):
    try:
        result = subprocess.run(command, capture_output=True, timeout=60)
    except (OSError, subprocess.TimeoutExpired) as error:
        return None, str(error)
    return result.stdout, result.stderr.decode(errors="replace").strip()


def main():
    folder = sys.argv[1]
    kinds = tuple(sys.argv[2:]) or KINDS
    failures = []
    counts = {}
    with open(os.path.join(folder, "manifest.txt")) as manifest:
        lines = [line.split() for line in manifest if line.strip()]
    if not lines:
        print("scan_check: the manifest is empty")
        return 1
    for name, hex_content in lines:
        content = bytes.fromhex(hex_content)
        path = os.path.join(folder, name)
        kind = name.split("/")[0]
        read = counts.setdefault(kind, {"pictures": 0, "zbarimg": 0, "ZXingReader": 0})
        read["pictures"] += 1
        decoders = {
            # zbarimg ends its text with a newline.
            "zbarimg": (["zbarimg", "-q", "--raw", path], content + b"\n"),
            "ZXingReader": (["ZXingReader", "-format", "Code128", "-bytes", *zxing_options(kind, name), path],
                            content),
        }
        if kind == "gs1":
            # A GS1-128 symbol: ZXingReader's bytes with the symbology identifier before them, ]C1.
            decoders["ZXingReader"] = (["ZXingReader", "-format", "Code128", path], b"]C1" + content)
        for decoder, (command, expected) in decoders.items():
            output, error = decode(command)
            if kind == "gs1" and decoder == "ZXingReader" and output:
                eci = [line for line in output.decode(errors="replace").splitlines() if line.startswith("BytesECI:")]
                output = bytes.fromhex(eci[0].split(":", 1)[1]) if eci else output
            if output == expected:
                read[decoder] += 1
            else:
                failures.append(f"{decoder} {name}: expected {content!r}, read {output!r} {error}")
    for kind in kinds:
        if kind not in counts:
            failures.append(f"no {kind} pictures in the manifest")
    for kind, read in sorted(counts.items()):
        print(f"{kind}: {read['pictures']} pictures, zbarimg read {read['zbarimg']}, "
              f"ZXingReader read {read['ZXingReader']}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
