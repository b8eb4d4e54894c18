#!/usr/bin/env python3
"""manifest_check.py EXE: the application manifest in EXE, resource 1 of type 24 (the one Windows reads when
the process starts), parses as XML and declares what the program needs: to run as the user who starts it
(which also keeps Windows from virtualising its saves into the VirtualStore) and the Windows versions it is
made for. It must declare nothing that changes how the skinned windows look or how texts are read: no
Common Controls 6, no DPI awareness, no code page (the program's texts are GBK)."""
import os
import struct
import sys
import xml.etree.ElementTree as ElementTree

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from pe_file import Pe  # noqa: E402

RT_MANIFEST, PROCESS_MANIFEST_ID = 24, 1
ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
COMPATIBILITY = "urn:schemas-microsoft-com:compatibility.v1"
# The supportedOS ids Microsoft gives for each version.
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
# Elements that would change the program's look or its texts, wherever they stand and in any namespace.
FORBIDDEN = {
    "dpiAware": "DPI awareness: Windows would no longer scale the pixel-laid-out window",
    "dpiAwareness": "DPI awareness: Windows would no longer scale the pixel-laid-out window",
    "activeCodePage": "a process code page: the texts are GBK, read with the system's code page",
}
COMMON_CONTROLS = "microsoft.windows.common-controls"


def local(tag):
    return tag.rsplit("}", 1)[-1]


def manifest_failures(data):
    """What is wrong with the PE file `data`'s manifest: a list of texts, empty when nothing is."""
    failures = []
    manifests = Pe(data).resources().get(RT_MANIFEST, {})
    if sorted(manifests) != [PROCESS_MANIFEST_ID] or len(manifests[PROCESS_MANIFEST_ID]) != 1:
        return [f"manifest resources {dict((k, sorted(v)) for k, v in manifests.items())}: not one, number 1"]
    text = next(iter(manifests[PROCESS_MANIFEST_ID].values()))
    try:
        root = ElementTree.fromstring(text)
    except ElementTree.ParseError as e:
        return [f"the manifest is not XML: {e}"]
    if root.tag != f"{{{ASM_V1}}}assembly" or root.get("manifestVersion") != "1.0":
        failures.append(f"the root is {root.tag} version {root.get('manifestVersion')}, not an assembly 1.0")

    parents = {child: parent for parent in root.iter() for child in parent}

    def path(element):
        names = []
        while element is not None:
            names.insert(0, local(element.tag))
            element = parents.get(element)
        return "/".join(names)

    levels = [e for e in root.iter() if local(e.tag) == "requestedExecutionLevel"]
    if len(levels) != 1:
        failures.append(f"{len(levels)} requestedExecutionLevel elements, not 1")
    for level in levels:
        where = path(level)
        if where != "assembly/trustInfo/security/requestedPrivileges/requestedExecutionLevel":
            failures.append(f"requestedExecutionLevel at {where}")
        if (level.get("level"), level.get("uiAccess")) != ("asInvoker", "false"):
            failures.append(f"execution level {level.get('level')!r}, uiAccess {level.get('uiAccess')!r}: "
                            "not asInvoker and false")

    declared = [e.get("Id", "").lower() for e in root.iter(f"{{{COMPATIBILITY}}}supportedOS")
                if path(e) == "assembly/compatibility/application/supportedOS"]
    if sorted(declared) != sorted(SUPPORTED_OS):
        missing = [SUPPORTED_OS[i] for i in SUPPORTED_OS if i not in declared]
        failures.append(f"supportedOS {declared}: missing {missing}, or others or twice")

    for element in root.iter():
        name = local(element.tag)
        if name in FORBIDDEN:
            failures.append(f"{path(element)}: {FORBIDDEN[name]}")
        if name == "assemblyIdentity" and element.get("name", "").lower() == COMMON_CONTROLS:
            failures.append(f"{path(element)}: Common Controls 6 would draw the system's controls themed")
    return failures


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: manifest_check.py EXE")
    try:
        with open(sys.argv[1], "rb") as f:
            failures = manifest_failures(f.read())
    except (OSError, ValueError, struct.error) as e:
        failures = [f"{type(e).__name__}: {e}"]
    for failure in failures:
        print(f"manifest_check: {sys.argv[1]}: {failure}")
    if failures:
        sys.exit(1)
    print(f"manifest_check: {sys.argv[1]} runs as its user on Windows 7 to 11 and changes nothing else")


if __name__ == "__main__":
    main()
