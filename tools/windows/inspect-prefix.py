#!/usr/bin/env python3
"""What the installer check reads in a Wine prefix: its files and registry, and a shortcut's target.

  inspect-prefix.py snapshot <prefix> <file>     the prefix's files and registry values, one a line
  inspect-prefix.py compare <before> <after>     what the second snapshot holds that the first does
                                                 not, and the reverse; status 1 when anything differs
  inspect-prefix.py shortcut <file.lnk>          the shortcut's target and icon, one a line
  inspect-prefix.py values <prefix> <key>        the values of a key of HKEY_CURRENT_USER,
                                                 "name=value" a line
"""
import pathlib
import re
import struct
import sys

# Wine enumerates the display adapter and monitor again at every start and stamps them; these are
# the machine's, never a program's.
WINE_DEVICE_KEYS = re.compile(r"^system\.reg \[System\\\\CurrentControlSet\\\\(Control\\\\Class|Enum)\\\\")
# Empty keys that Wine's own font code creates the first time a program enumerates the fonts and
# asks DirectWrite for its rendering settings, as Qt does at start; a value under them would still
# count.
WINE_FONT_KEYS = [
    re.compile(r"^registry system\.reg \[Software\\\\Microsoft\\\\Avalon\.Graphics\\\\DISPLAY1\]$"),
    re.compile(r"^registry user\.reg \[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Fonts\]$"),
]
# The system's shared places that a per-user installation creates when they are missing and that
# belong to every program installed so, not to this one: the per-user programs folder
# (FOLDERID_UserProgramFiles) and the list of programs itself.
SHARED_PLACES = [
    re.compile(r"^file users/[^/]+/AppData/Local/Programs d$"),
    re.compile(r"^registry user\.reg \[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\]$"),
]


def snapshot(prefix, output):
    prefix = pathlib.Path(prefix)
    lines = set()
    drive = prefix / "drive_c"
    for path in drive.rglob("*"):
        kind = "d" if path.is_dir() and not path.is_symlink() else "f"
        lines.add(f"file {path.relative_to(drive).as_posix()} {kind}")
    for name in ("system.reg", "user.reg", "userdef.reg"):
        key = None
        for line in (prefix / name).read_text(encoding="utf-8", errors="replace").splitlines():
            if line.startswith("["):
                key = re.sub(r"\]\s+\d+$", "]", line)  # the key's time stamp
                entry = f"{name} {key}"
            elif key is None or not line or line.startswith(("#", ";")):
                continue
            else:
                entry = f"{name} {key} {line}"
            if not WINE_DEVICE_KEYS.match(entry):
                lines.add(f"registry {entry}")
    pathlib.Path(output).write_text("".join(line + "\n" for line in sorted(lines)), encoding="utf-8")


def compare(before, after):
    old = set(pathlib.Path(before).read_text(encoding="utf-8").splitlines())
    new = set(pathlib.Path(after).read_text(encoding="utf-8").splitlines())
    added = sorted(line for line in new - old if not any(p.match(line) for p in SHARED_PLACES + WINE_FONT_KEYS))
    removed = sorted(old - new)
    for line in added:
        print(f"left behind: {line}")
    for line in removed:
        print(f"gone: {line}")
    return 1 if added or removed else 0


def values(prefix, key):
    header = "[" + key.replace("\\", "\\\\") + "]"
    inside = False
    for line in (pathlib.Path(prefix) / "user.reg").read_text(encoding="utf-8").splitlines():
        if line.startswith("["):
            inside = re.sub(r"\]\s+\d+$", "]", line) == header
        elif inside and line.startswith('"'):
            name, value = re.match(r'"((?:[^"\\]|\\.)*)"=(.*)$', line).groups()
            if value.startswith('"'):
                value = value[1:-1]
            value = re.sub(r"\\x([0-9a-fA-F]{1,4})", lambda m: chr(int(m.group(1), 16)), value)
            print(f"{name}={value.replace(chr(92) * 2, chr(92)).replace(chr(92) + chr(34), chr(34))}")


def shortcut(path):
    """The target from the link's item list (Unicode names), and the icon location."""
    data = pathlib.Path(path).read_bytes()
    flags, = struct.unpack_from("<I", data, 0x14)
    position = 0x4C
    names = []
    if flags & 0x1:  # HasLinkTargetIDList
        size, = struct.unpack_from("<H", data, position)
        position += 2
        end = position + size
        while position < end:
            item_size, = struct.unpack_from("<H", data, position)
            if item_size == 0:
                break
            item = data[position:position + item_size]
            kind = item[2] & 0x70
            if kind == 0x20:  # a drive, "C:\"
                names.append(item[3:].split(b"\0")[0].decode("ascii").rstrip("\\"))
            elif kind == 0x30:  # a folder or file: its long name ends the extension block
                extension, = struct.unpack_from("<H", item, item_size - 2)
                block_size, = struct.unpack_from("<H", item, extension)
                block = item[extension:extension + block_size - 2]
                units = struct.unpack(f"<{len(block) // 2}H", block)[:-1]  # without the final NUL
                start = len(units)
                while start > 0 and units[start - 1] != 0:
                    start -= 1
                names.append("".join(map(chr, units[start:])))
            position += item_size
        position = end
    if flags & 0x2:  # HasLinkInfo
        position += struct.unpack_from("<I", data, position)[0]
    icon = ""
    unicode = bool(flags & 0x80)
    # NAME, RELATIVE_PATH, WORKING_DIR, ARGUMENTS, ICON_LOCATION, each present by its flag.
    for bit in (0x4, 0x8, 0x10, 0x20, 0x40):
        if not flags & bit:
            continue
        count, = struct.unpack_from("<H", data, position)
        position += 2
        width = 2 if unicode else 1
        text = data[position:position + count * width].decode("utf-16-le" if unicode else "cp1252")
        position += count * width
        if bit == 0x40:
            icon = text.rstrip("\0")
    print("\\".join(names))
    print(icon)


if __name__ == "__main__":
    command = sys.argv[1] if len(sys.argv) > 1 else ""
    if command == "snapshot" and len(sys.argv) == 4:
        snapshot(sys.argv[2], sys.argv[3])
    elif command == "compare" and len(sys.argv) == 4:
        sys.exit(compare(sys.argv[2], sys.argv[3]))
    elif command == "values" and len(sys.argv) == 4:
        values(sys.argv[2], sys.argv[3])
    elif command == "shortcut" and len(sys.argv) == 3:
        shortcut(sys.argv[2])
    else:
        sys.exit(__doc__)
