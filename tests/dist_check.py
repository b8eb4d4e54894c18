#!/usr/bin/env python3
"""dist_check.py TOP BUILD_DIR WORK_DIR: makes the release archive of the 32-bit BUILD_DIR with scripts/dist
into WORK_DIR/dist and reads it as a user gets it: the checksum beside it, the same bytes when packed again,
the two files in their folder, and in the exe the PE32 i386 header, the version resource (product name, the
version that names the archive, HEAD's commit), the committed icon and the committed manifest. Then
scripts/dist must refuse each broken build tree in `REFUSALS` without writing anything. The archived exe is
left in WORK_DIR/started/app for the start check."""
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import zipfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "support"))
from pe_file import PE32_MAGIC, Pe, u16, u32  # noqa: E402

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
MACHINE_I386, SUBSYSTEM_GUI = 0x14C, 2
VS_FIXEDFILEINFO_SIGNATURE, VFT_APP = 0xFEEF04BD, 1

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
    return ok


def version_info(block):
    """The VS_VERSIONINFO block: (the fixed file info's 13 words, {string name: value})."""

    def node(off):
        length, value_length, kind = struct.unpack_from("<HHH", block, off)
        end = off + length
        if length < 8 or end > len(block):
            raise ValueError(f"a version block of {length} bytes at {off} in {len(block)}")
        key_end = off + 6
        while block[key_end:key_end + 2] != b"\0\0":
            key_end += 2
            if key_end >= end:
                raise ValueError(f"the key of the version block at {off} is not terminated")
        key = block[off + 6:key_end].decode("utf-16-le")
        value = (key_end + 2 + 3) & ~3
        # A text value's length counts UTF-16 units; a binary one counts bytes.
        value_bytes = value_length * 2 if kind == 1 else value_length
        children, child = [], (value + value_bytes + 3) & ~3
        while child < end:
            children.append(node(child))
            child = (child + children[-1][3] + 3) & ~3
        return key, block[value:value + value_bytes], children, length

    key, fixed, children, _ = node(0)
    if key != "VS_VERSION_INFO" or len(fixed) != 52:
        raise ValueError(f"version block named {key!r} with {len(fixed)} bytes of fixed information")
    strings = {}
    for name, _, tables, _ in children:
        if name == "StringFileInfo":
            for _, _, entries, _ in tables:
                for entry, value, _, _ in entries:
                    strings[entry] = value.decode("utf-16-le").rstrip("\0")
    return struct.unpack("<13I", fixed), strings


def icon_images(ico):
    """A .ico file's images: [(width, height, bit count, bytes)]."""
    images = []
    for i in range(u16(ico, 4)):
        w, h, _, _, _, bits, size, off = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        images.append((w, h, bits, ico[off:off + size]))
    return images


def run_dist(top, build, out, env=None):
    return subprocess.run([os.path.join(top, "scripts", "dist"), build, out], capture_output=True, text=True,
                          env={**os.environ, **(env or {})})


def git(top, *args):
    return subprocess.run(["git", "-c", f"safe.directory={top}", "-C", top, *args], capture_output=True,
                          text=True, check=True).stdout.strip()


def check_archive(top, build, work):
    out = os.path.join(work, "dist")
    made = run_dist(top, build, out)
    if not check(made.returncode == 0, f"scripts/dist failed:\n{made.stdout}{made.stderr}"):
        return
    with open(os.path.join(build, "app", "version", "version.txt")) as f:
        version = f.read().strip()
    name = f"Stripewright-{version}-win32.zip"
    check(sorted(os.listdir(out)) == [name, name + ".sha256"], f"{out} holds {sorted(os.listdir(out))}")
    archive = os.path.join(out, name)
    with open(archive, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    with open(archive + ".sha256", "rb") as f:
        check(f.read() == f"{digest}  {name}\n".encode(),
              "the .sha256 file is not sha256sum's line for the zip")

    # Packed again (a second later, as a clock-read time would differ), the same exe gives the same bytes.
    time.sleep(1.1)
    again = run_dist(top, build, os.path.join(work, "again"))
    if check(again.returncode == 0, f"scripts/dist failed the second time:\n{again.stderr}"):
        with open(os.path.join(work, "again", name), "rb") as f:
            same = hashlib.sha256(f.read()).hexdigest() == digest
        check(same, "packing the same exe again gave other bytes")

    folder = f"Stripewright-{version}"
    with zipfile.ZipFile(archive) as z:
        check(z.testzip() is None, "a damaged entry in the zip")
        names = sorted(z.namelist())
        expected = [f"{folder}/README.txt", f"{folder}/Stripewright.exe"]
        if not check(names == expected, f"the zip holds {names}"):
            return
        readme = z.read(f"{folder}/README.txt")
        exe = z.read(f"{folder}/Stripewright.exe")
    # The read-me is for Notepad on any Windows: ASCII, every line ended by CR LF, the version first.
    check(all(b < 0x80 for b in readme), "README.txt is not plain ASCII")
    check(readme.count(b"\n") == readme.count(b"\r\n") > 0, "README.txt has line ends other than CR LF")
    check(readme.startswith(f"Stripewright {version}\r\n".encode()),
          "README.txt does not start with the version")

    started = os.path.join(work, "started", "app")
    os.makedirs(started)
    with open(os.path.join(started, "Stripewright.exe"), "wb") as f:
        f.write(exe)

    pe = Pe(exe)
    check(pe.machine == MACHINE_I386 and pe.magic == PE32_MAGIC,
          f"the exe is machine {pe.machine:#x}, optional header {pe.magic:#x}, not PE32 i386")
    check(pe.subsystem == SUBSYSTEM_GUI, f"the exe's subsystem is {pe.subsystem}, not the GUI one")
    debug = [s[0] for s in pe.sections if s[0].startswith(".debug")]
    check(not debug, f"the archived exe keeps debugging sections {debug}")
    resources = pe.resources()

    # The version resource: one block, the texts Explorer shows, the numbers matching the text.
    blocks = [data for names in resources.get(RT_VERSION, {}).values() for data in names.values()]
    if check(len(blocks) == 1, f"the exe holds {len(blocks)} version resources, not 1"):
        fixed, strings = version_info(blocks[0])
        check(fixed[0] == VS_FIXEDFILEINFO_SIGNATURE, f"fixed file info signature {fixed[0]:#x}")
        check(fixed[9] == VFT_APP, f"file type {fixed[9]}, not an application")
        check(strings.get("ProductName") == "Stripewright", f"ProductName {strings.get('ProductName')!r}")
        check(strings.get("OriginalFilename") == "Stripewright.exe",
              f"OriginalFilename {strings.get('OriginalFilename')!r}")
        check(bool(strings.get("FileDescription")), "no FileDescription (Explorer's name for the program)")
        for key in ("FileVersion", "ProductVersion"):
            check(strings.get(key) == version,
                  f"{key} {strings.get(key)!r}, but the archive is named {version}")
        numbers = (fixed[2] >> 16, fixed[2] & 0xFFFF, fixed[3] >> 16, fixed[3] & 0xFFFF)
        check(fixed[2:4] == fixed[4:6], "the numeric file and product versions differ")
        lead = [int(n) for n in re.match(r"(\d+)\.(\d+)(?:\.(\d+))?", version).groups() if n is not None]
        check(list(numbers[:len(lead)]) == lead, f"numeric version {numbers} does not begin as {version}")
        # The version names HEAD: its hash, or (on a tag) the tag itself.
        head = git(top, "rev-parse", "HEAD")
        commit = re.search(r"-g([0-9a-f]{7,})(-dirty)?$", version)
        if commit:
            check(head.startswith(commit.group(1)), f"version {version} is not HEAD {head}")
        else:
            tags = git(top, "tag", "--points-at", "HEAD").split()
            bare = version.removesuffix("-dirty")
            check(bare in tags or "v" + bare in tags, f"version {version} is no tag of HEAD ({tags})")

    # The icon: group 1 (Explorer shows the lowest-numbered group), image for image the committed .ico.
    groups = resources.get(RT_GROUP_ICON, {})
    if check(sorted(groups)[:1] == [1], f"icon groups {sorted(groups)}: none numbered 1"):
        group = next(iter(groups[1].values()))
        with open(os.path.join(top, "app", "resources", "stripewright.ico"), "rb") as f:
            expected = icon_images(f.read())
        check(u16(group, 4) == len(expected),
              f"icon group of {u16(group, 4)} images, the .ico has {len(expected)}")
        for i, (w, h, bits, image) in enumerate(expected):
            if 6 + 14 * (i + 1) > len(group):
                break
            gw, gh, _, _, _, gbits, _, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            stored = next(iter(resources.get(RT_ICON, {}).get(ident, {}).values()), None)
            check((gw, gh, gbits) == (w, h, bits) and stored == image, f"icon image {i} ({w} x {h}) differs")

    # The manifest Windows reads at start (resource 1), byte for byte the committed one.
    with open(os.path.join(top, "app", "resources", "stripewright.manifest"), "rb") as f:
        manifest = f.read()
    stored = [data for data in resources.get(RT_MANIFEST, {}).get(1, {}).values()]
    check(stored == [manifest], "the exe does not carry app/resources/stripewright.manifest as manifest 1")


# Build trees scripts/dist must refuse: (what, how the copy of the real tree is broken, why).
def no_exe(d):
    os.remove(os.path.join(d, "app", "Stripewright.exe"))


def exe_64_bit(d):
    path = os.path.join(d, "app", "Stripewright.exe")
    with open(path, "r+b") as f:
        pe = u32(f.read(64), 0x3C)
        f.seek(pe + 4)
        f.write(struct.pack("<H", 0x8664))


def exe_not_pe(d):
    write(d, "app/Stripewright.exe", "MZ but nothing more")


def write(d, rel, text):
    with open(os.path.join(d, rel), "w") as f:
        f.write(text)


def version(text):
    def apply(d):
        write(d, "app/version/version.txt", text)
        # The exe is linked after its version is written.
        exe = os.path.join(d, "app", "Stripewright.exe")
        written = os.stat(os.path.join(d, "app/version/version.txt")).st_mtime_ns
        os.utime(exe, ns=(written, written + 10**9))
    return apply


def version_after_exe(d):
    exe = os.stat(os.path.join(d, "app", "Stripewright.exe"))
    os.utime(os.path.join(d, "app/version/version.txt"), ns=(exe.st_atime_ns, exe.st_mtime_ns + 10**9))


# No git repository where the script looks: a checkout without git, or a source tarball.
NO_GIT = {"GIT_DIR": "/nonexistent", "GIT_CEILING_DIRECTORIES": "/"}

REFUSALS = [
    # 0
    ("no exe", no_exe, {}, "a tree that was never built"),
    ("64-bit exe", exe_64_bit, {}, "the win64 twin is not the program that ships"),
    ("truncated exe", exe_not_pe, {}, "a file too short for a PE header is read without running off its end"),
    # 3
    ("version of an older HEAD", version("0.1.1-g0000000\n"), {}, "HEAD moved since the build: a false name"),
    ("version newer than exe", version_after_exe, {}, "the build wrote the new version, then failed to link"),
    ("no git", version("0.1.0-unknown\n"), NO_GIT, "built and packed outside git: there is no version"),
]


def check_refusals(top, build, work, only):
    for index, (what, spoil, env, why) in enumerate(REFUSALS):
        if only is not None and index != only:
            continue
        tree = os.path.join(work, f"refusal-{index}")
        os.makedirs(os.path.join(tree, "app", "version"))
        for rel in ("Stripewright.exe", "version/version.txt"):
            shutil.copy2(os.path.join(build, "app", rel), os.path.join(tree, "app", rel))
        spoil(tree)
        out = os.path.join(tree, "dist")
        made = run_dist(top, tree, out, env)
        lines = made.stderr.splitlines()
        check(made.returncode != 0 and len(lines) == 1 and lines[0].startswith("dist: "),
              f"refusal {index} ({what}: {why}): exit {made.returncode}, stderr {made.stderr!r}")
        check(not os.path.exists(out) or not os.listdir(out), f"refusal {index} ({what}) wrote into {out}")


def main():
    if len(sys.argv) not in (4, 5):
        sys.exit("usage: dist_check.py TOP BUILD_DIR WORK_DIR [refusal index]")
    top, build, work = (os.path.abspath(a) for a in sys.argv[1:4])
    only = int(sys.argv[4]) if len(sys.argv) == 5 else None
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    try:
        if only is None:
            check_archive(top, build, work)
        check_refusals(top, build, work, only)
    except (ValueError, struct.error, zipfile.BadZipFile, subprocess.CalledProcessError, OSError) as e:
        failures.append(f"{type(e).__name__}: {e}")
    for f in failures:
        print(f"dist_check: {f}")
    if failures:
        sys.exit(1)
    print(f"dist_check: the archive of {build} is complete and {len(REFUSALS)} broken trees are refused")


if __name__ == "__main__":
    main()
