"""Reading PE files (Windows executables) in the tests: header fields, sections and the resource tree."""
import struct

PE32_MAGIC, PE32_PLUS_MAGIC = 0x10B, 0x20B


def u16(data, off):
    return struct.unpack_from("<H", data, off)[0]


def u32(data, off):
    return struct.unpack_from("<I", data, off)[0]


class Pe:
    """The few parts of a PE file read here: header fields, sections and the resource tree."""

    def __init__(self, data):
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = u32(data, 0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.data = data
        self.machine = u16(data, pe + 4)
        sections = u16(data, pe + 6)
        opt = pe + 24
        self.magic = u16(data, opt)
        self.subsystem = u16(data, opt + 68)
        first = opt + u16(data, pe + 20)
        # Names longer than 8 bytes (.eh_frame, .debug_info) are "/<offset>" into the COFF string table.
        strings = u32(data, pe + 12) + 18 * u32(data, pe + 16)
        self.sections = []
        for i in range(sections):
            s = first + 40 * i
            name = data[s:s + 8].rstrip(b"\0").decode("latin-1")
            if name.startswith("/") and name[1:].isdigit():
                start = strings + int(name[1:])
                name = data[start:data.index(b"\0", start)].decode("latin-1")
            size = max(u32(data, s + 8), u32(data, s + 16))  # in memory, in the file
            self.sections.append((name, u32(data, s + 12), size, u32(data, s + 20)))
        # Data directory 2 (resources): the directories start 96 bytes into a PE32 optional header, 112 into
        # a PE32+ one (its image base is 8 bytes wide and the stack and heap sizes are too).
        directories = {PE32_MAGIC: 96, PE32_PLUS_MAGIC: 112}.get(self.magic)
        self.resource_rva = u32(data, opt + directories + 2 * 8) if directories else 0

    def offset(self, rva):
        for _, va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def resources(self):
        """{type: {id: {language: bytes}}} for numbered types and names."""
        if not self.resource_rva:
            return {}
        try:
            base = self.offset(self.resource_rva)
        except ValueError:
            raise ValueError(f"the resource directory (RVA {self.resource_rva:#x}) lies in no section")

        def directory(off, depth):
            entries = {}
            count = u16(self.data, off + 12) + u16(self.data, off + 14)
            for i in range(count):
                name, target = struct.unpack_from("<II", self.data, off + 16 + 8 * i)
                if name & 0x80000000:
                    length = u16(self.data, base + (name & 0x7FFFFFFF))
                    start = base + (name & 0x7FFFFFFF) + 2
                    name = self.data[start:start + 2 * length].decode("utf-16-le")
                if target & 0x80000000:
                    if depth == 2:
                        raise ValueError("resource tree deeper than type, name, language")
                    entries[name] = directory(base + (target & 0x7FFFFFFF), depth + 1)
                else:
                    rva, size = struct.unpack_from("<II", self.data, base + target)
                    start = self.offset(rva)
                    entries[name] = self.data[start:start + size]
            return entries

        return directory(base, 0)
