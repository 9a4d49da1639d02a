#!/usr/bin/env python3
"""Reads the resources back out of marquill.exe and checks them: the version
information, exactly one manifest with the settings the program relies on,
the two icon groups with their images, and that no DLL beside the program can
be loaded into it: every DLL it imports is a Known DLL or comctl32 (which the
manifest binds), and it makes the system folder the rule for every later load. Then checks the download made from
it: the zip holds just marquill.exe (this one), README.txt and LICENSE, and
its .sha256 file matches it.

Usage: resource_check.py PATH/TO/marquill.exe PATH/TO/marquill-VERSION-win64.zip
"""

import hashlib
import os
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs on Windows 10
# and 11: the loader maps these from the system folder whatever the search
# order says. comctl32 comes from the side-by-side store, through the manifest.
KNOWN_DLLS = {
    "advapi32", "clbcatq", "combase", "comdlg32", "coml2", "difxapi", "gdi32", "gdiplus",
    "imagehlp", "imm32", "kernel32", "msctf", "msvcrt", "normaliz", "nsi", "ole32", "oleaut32",
    "psapi", "rpcrt4", "sechost", "setupapi", "shcore", "shell32", "shlwapi", "user32", "wldap32",
    "ws2_32",
}
MANIFEST_BOUND = {"comctl32"}


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (112 if magic == 0x20B else 96)
        self.image_size = struct.unpack_from("<I", data, optional + 56)[0]
        # (address, size) of each data directory: exports, imports, resources, ...
        self.directories = [struct.unpack_from("<II", data, directories + i * 8)
                            for i in range(struct.unpack_from("<I", data, directories - 4)[0])]
        self.resource_rva = self.directories[2][0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + i * 40 + 8)
            self.sections.append((rva, max(size, raw_size), raw))
        if not self.resource_rva:
            raise ValueError("no resources")
        self.root = self.offset(self.resource_rva)

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address %#x is in no section" % rva)

    def _import_descriptors(self):
        """Where each DLL's descriptor in the import directory lies."""
        at = self.offset(self.directories[1][0])
        while struct.unpack_from("<12xI", self.data, at)[0]:  # its name, or the end
            yield at
            at += 20

    def imported_names(self):
        """The names of the functions the image imports by name."""
        names = []
        for at in self._import_descriptors():
            entry = self.offset(struct.unpack_from("<I", self.data, at)[0])
            while thunk := struct.unpack_from("<Q", self.data, entry)[0]:
                if not thunk >> 63:  # by name, not by ordinal
                    names.append(self._text(thunk + 2))
                entry += 8
        return names

    def imported_dlls(self):
        """The DLLs the image imports, loaded at its start or delay-loaded."""
        static = [self._text(struct.unpack_from("<12xI", self.data, at)[0])
                  for at in self._import_descriptors()]
        return static + sorted(self._delay_loaded())

    def _delay_loaded(self):
        """The DLL names of the delay-load descriptors. GNU ld does not point
        the data directory at MinGW's, so they are looked for: Attributes 1,
        then the addresses of a name, a module handle and two tables."""
        found = set()
        for _, size, raw in self.sections:
            for at in range(raw, min(raw + size, len(self.data)) - 32, 4):
                attributes, *addresses = struct.unpack_from("<5I", self.data, at)
                if attributes != 1 or not all(0 < a < self.image_size for a in addresses):
                    continue
                try:
                    name = self._text(addresses[0])
                except (ValueError, UnicodeDecodeError):
                    continue
                if re.fullmatch(r"[\w.-]+\.dll", name, re.IGNORECASE):
                    found.add(name)
        return found

    def _text(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def _directory(self, at):
        named, numbered = struct.unpack_from("<12xHH", self.data, at)
        entries = []
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, at + 16 + i * 8)
            if name & 0x80000000:
                length = struct.unpack_from("<H", self.data, self.root + (name & 0x7FFFFFFF))[0]
                start = self.root + (name & 0x7FFFFFFF) + 2
                name = self.data[start:start + 2 * length].decode("utf-16-le")
            entries.append((name, target))
        return entries

    def resources(self):
        """{type: {name: [data of each language]}}"""
        found = {}
        for kind, names in self._directory(self.root):
            found[kind] = {}
            for name, languages in self._directory(self.root + (names & 0x7FFFFFFF)):
                blobs = []
                for _, entry in self._directory(self.root + (languages & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, self.root + entry)
                    blobs.append(self.data[self.offset(rva):self.offset(rva) + size])
                found[kind][name] = blobs
        return found


def _align(at):
    return (at + 3) & ~3


def version_block(data, at=0):
    """One node of a VS_VERSIONINFO tree: (key, value bytes, is_text, children)."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, at)
    end = at + length
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = _align(key_end + 2)
    value_size = value_length * 2 if is_text else value_length
    value = data[value_at:value_at + value_size]
    children = []
    child = _align(value_at + value_size)
    while child < end:
        node = version_block(data, child)
        children.append(node)
        child = _align(child + struct.unpack_from("<H", data, child)[0])
    return key, value, is_text, children


class Checker:
    def __init__(self):
        self.failures = []

    def expect(self, condition, what):
        if not condition:
            self.failures.append(what)

    def equal(self, actual, expected, what):
        self.expect(actual == expected, "%s: got %r, expected %r" % (what, actual, expected))


def check_version(check, resources):
    blocks = resources.get(RT_VERSION, {})
    check.equal(sorted(blocks), [1], "version resources")
    if 1 not in blocks:
        return
    key, fixed, _, children = version_block(blocks[1][0])
    check.equal(key, "VS_VERSION_INFO", "version root")
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    check.equal(signature, 0xFEEF04BD, "fixed version signature")
    check.equal((file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF), (1, 0, 0, 0),
                "FILEVERSION")
    check.equal((product_ms >> 16, product_ms & 0xFFFF, product_ls >> 16, product_ls & 0xFFFF),
                (1, 0, 0, 0), "PRODUCTVERSION")
    tables = {}
    for name, _, _, kids in children:
        if name == "StringFileInfo":
            tables.update((language, table) for language, _, _, table in kids)
    check.equal(sorted(tables), ["040904B0"], "string tables")
    strings = {k: v.decode("utf-16-le").rstrip("\0") for k, v, _, _ in tables.get("040904B0", [])}
    expected = {
        "FileVersion": "1.00",
        "ProductVersion": "1.00",
        "ProductName": "Marquill",
        "InternalName": "Marquill",
        "FileDescription": "Marquill",
        "OriginalFilename": "marquill.exe",
        "Comments": "A GUI Utility that uses Microsoft Robocopy as an engine.",
        "LegalTrademarks": "Robocopy is property of Microsoft Inc.",
    }
    for name, text in expected.items():
        check.equal(strings.get(name), text, name)
    for name in ("CompanyName", "LegalCopyright"):
        check.expect(strings.get(name, "").strip(), "%s is missing or empty" % name)


def check_manifest(check, resources):
    manifests = [(name, blob) for name, blobs in resources.get(RT_MANIFEST, {}).items()
                 for blob in blobs]
    check.equal([name for name, _ in manifests], [1], "manifest resources")
    if len(manifests) != 1:
        return
    text = manifests[0][1].decode("utf-8")
    root = ElementTree.fromstring(text)
    v3 = "{urn:schemas-microsoft-com:asm.v3}"
    # Windows 10 1607 knows no PerMonitorV2: it takes the next name in the list,
    # and with none it ignores dpiAware too and runs the program unaware.
    settings = {e.tag.rsplit("}", 1)[1]: (e.text or "").strip()
                for e in root.findall("%sapplication/%swindowsSettings/*" % (v3, v3))}
    check.equal([name.strip() for name in settings.get("dpiAwareness", "").split(",")],
                ["PerMonitorV2", "PerMonitor"], "dpiAwareness")
    check.equal(settings.get("dpiAware"), "true/pm", "dpiAware")
    check.equal(settings.get("longPathAware"), "true", "longPathAware")
    check.expect('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' in text,
                 "manifest lacks Common Controls 6")
    levels = root.findall(
        "%strustInfo/%ssecurity/%srequestedPrivileges/%srequestedExecutionLevel" % ((v3,) * 4))
    check.equal([(e.get("level"), e.get("uiAccess")) for e in levels], [("asInvoker", "false")],
                "requested execution level")


def check_icons(check, resources):
    groups = resources.get(RT_GROUP_ICON, {})
    images = resources.get(RT_ICON, {})
    check.equal(sorted(groups), [1, 2], "icon groups")
    # (size, bits per pixel). The 16-colour images are the ones every Windows
    # reads; the 32-bit program images are what Windows asks for at 100 % to
    # 200 % (small and large icons) and for Explorer's large views.
    wanted = {1: [(32, 4)] + [(size, 32) for size in (16, 20, 24, 32, 40, 48, 64, 256)],
              2: [(16, 4), (32, 4)]}
    for group_id, sizes in wanted.items():
        if group_id not in groups:
            continue
        group = groups[group_id][0]
        _, kind, count = struct.unpack_from("<HHH", group)
        check.equal(kind, 1, "icon group %d type" % group_id)
        found = []
        for i in range(count):
            width, height, colours, _, planes, bits, size, image_id = struct.unpack_from(
                "<BBBBHHIH", group, 6 + i * 14)
            width, height = width or 256, height or 256
            check.equal(width, height, "icon %d is square" % image_id)
            check.equal(colours, 16 if bits == 4 else 0,
                        "icon group %d, %dx%d, %d bits: colours" % (group_id, width, height, bits))
            image = images.get(image_id, [b""])[0]
            check.equal(len(image), size, "icon %d size" % image_id)
            if image.startswith(b"\x89PNG\r\n\x1a\n"):
                check.equal(struct.unpack_from(">4sIIBB", image, 12), (b"IHDR", width, height, 8, 6),
                            "icon %d PNG header (RGBA, 8 bits)" % image_id)
            elif len(image) >= 40:
                header, bmp_width, bmp_height, _, bmp_bits = struct.unpack_from("<IiiHH", image)
                check.equal((header, bmp_width, bmp_height, bmp_bits),
                            (40, width, 2 * height, bits), "icon %d bitmap header" % image_id)
            found.append((width, bits))
        check.equal(sorted(found), sorted(sizes), "icon group %d sizes and depths" % group_id)


def check_loading(check, pe):
    """No DLL beside marquill.exe can be loaded into it: the loader takes a
    Known DLL from the system folder and comctl32 from where the manifest
    binds it, and the program makes the system folder the rule for every
    later load first thing."""
    for dll in pe.imported_dlls():
        name = dll.lower().removesuffix(".dll")
        check.expect(name in KNOWN_DLLS | MANIFEST_BOUND,
                     "imports %s, which is neither a Known DLL nor comctl32: a DLL of that name "
                     "beside marquill.exe would be loaded" % dll)
    check.expect("SetDefaultDllDirectories" in pe.imported_names(),
                 "SetDefaultDllDirectories is not imported")


def check_package(check, package, exe):
    """The zip holds the program itself and the two texts, and nothing else."""
    if not os.path.isfile(package):
        check.expect(False, "%s is missing: build the package target" % package)
        return
    with zipfile.ZipFile(package) as archive:
        check.equal(sorted(archive.namelist()), ["LICENSE", "README.txt", "marquill.exe"],
                    "entries of " + os.path.basename(package))
        with open(exe, "rb") as f:
            check.expect(archive.read("marquill.exe") == f.read(),
                         "the zip's marquill.exe is not the one built")
        for text in ("README.txt", "LICENSE"):
            data = archive.read(text)
            check.expect(data.count(b"\n") == data.count(b"\r\n") > 0,
                         "%s does not have Windows line endings" % text)
    with open(package, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    try:
        with open(package + ".sha256", encoding="ascii") as f:
            recorded = f.read()
    except OSError as error:
        recorded = str(error)
    # The form sha256sum -c reads: the hash, two blanks, the file's name.
    check.equal(recorded.strip(), "%s  %s" % (digest, os.path.basename(package)),
                os.path.basename(package) + ".sha256")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    exe, package = sys.argv[1:]
    with open(exe, "rb") as f:
        pe = PeFile(f.read())
    resources = pe.resources()
    check = Checker()
    check_version(check, resources)
    check_manifest(check, resources)
    check_icons(check, resources)
    check_loading(check, pe)
    check_package(check, package, exe)
    for failure in check.failures:
        print("FAIL:", failure)
    if check.failures:
        sys.exit(1)
    print("%s: version, manifest, icons and imported DLLs as expected; %s holds it with README.txt and "
          "LICENSE, and its .sha256 matches" % (exe, package))


if __name__ == "__main__":
    main()
