#!/usr/bin/env python3
"""Writes the seed corpus of jpeg_fuzz from the saver's own pictures in images/data.

Small lossless crops (jpegtran, Debian package libjpeg-turbo-progs) keep the streams' own
tables and sampling; progressive, arithmetic and restart-marker versions of them, and cut or
damaged ones, reach the decoder's other paths. The output is committed; rerun this only to
remake it:  tests/fuzz/jpeg_seeds.py [OUTDIR]
"""
import os
import struct
import subprocess
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
DATA = os.path.join(ROOT, "images", "data")


def jpegtran(name, *options):
    return subprocess.run(["jpegtran", "-copy", "none", *options, os.path.join(DATA, name)],
                          check=True, stdout=subprocess.PIPE).stdout


def crop(name, geometry, *options):
    return jpegtran(name, "-crop", geometry, *options)


def single(stream):
    return b"\x00" + stream


def masked(colour, mask):
    return b"\x01" + struct.pack("<H", len(colour)) + colour + mask


def scan_data_offset(stream):
    at = stream.index(b"\xff\xda")
    return at + 2 + struct.unpack(">H", stream[at + 2:at + 4])[0]


def damaged(stream, offsets):
    out = bytearray(stream)
    for at in offsets:
        out[at % len(out)] ^= 0x5A
    return bytes(out)


def seeds():
    logo = open(os.path.join(DATA, "LOGO_MASK.jpg"), "rb").read()
    cell = ("JPEG_ORBELINE_RGB.jpg", "JPEG_ORBELINE_MASK.jpg")
    # Cell 17 (column 1, row 1) whole, and a 32 x 32 piece of cell 0's rim.
    whole = [crop(n, "128x128+128+128") for n in cell]
    small = [crop(n, "32x32+96+48") for n in cell]
    progressive = [crop(n, "32x32+96+48", "-progressive") for n in cell]
    arithmetic = [crop(n, "32x32+96+48", "-arithmetic") for n in cell]
    restarts = [crop(n, "32x32+96+48", "-restart", "1") for n in cell]
    logo_scan = scan_data_offset(logo)
    return {
        "masked_cell": masked(*whole),
        "masked_small": masked(*small),
        "masked_progressive": masked(*progressive),
        "masked_arithmetic": masked(*arithmetic),
        "masked_restarts": masked(*restarts),
        "masked_mismatch": masked(small[0], crop(cell[1], "48x32+96+48")),
        "masked_cut_mask": masked(small[0], small[1][:len(small[1]) // 2]),
        "single_logo": single(logo),
        "single_logo_cut_in_scan": single(logo[:logo_scan + 40]),
        "single_logo_cut_in_headers": single(logo[:logo_scan - 20]),
        "single_logo_damaged": single(damaged(logo, [logo_scan + 7, logo_scan + 300, len(logo) // 2])),
        "single_rgb": single(small[0]),
        "single_rgb_progressive_cut": single(progressive[0][:len(progressive[0]) * 2 // 3]),
    }


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "tests", "fuzz", "corpus", "jpeg_fuzz")
    os.makedirs(out, exist_ok=True)
    for name, data in seeds().items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
