#!/usr/bin/env python3
"""What a Wine prefix holds, one sorted line per file and per registry value, so that two
states can be compared with diff: `file C:\\path size` and `reg [KEY] "name"=data`.
Usage: machine_state.py DRIVE_C [EXPORT.reg ...]   (exports as `reg export` writes them)
Temporary folders are left out: they hold what Windows cleans up by itself."""
import os
import sys


def files(drive_c):
    for folder, dirs, names in os.walk(drive_c):
        # Wine links the profile's folders to the Unix home's: not the prefix's content.
        dirs[:] = sorted(d for d in dirs if d.lower() not in ("temp", "tmp")
                         and not os.path.islink(os.path.join(folder, d)))
        for name in names:
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, drive_c).replace("/", "\\")
            size = os.lstat(path).st_size
            yield f"file C:\\{relative} {size}"
        for name in dirs:
            path = os.path.join(folder, name)
            if not os.listdir(path):
                yield f"dir C:\\{os.path.relpath(path, drive_c).replace('/', chr(92))}"


def readable(line):
    """Expandable and multi-string values as text rather than hex."""
    name, sep, data = line.partition("=hex(")
    if sep and data[:2] in ("2)", "7)"):
        raw = bytes(int(b, 16) for b in data[3:].split(",") if b)
        text = raw.decode("utf-16-le").rstrip("\0").replace("\0", "\\0")
        return f'{name}={"expand" if data[0] == "2" else "multi"}:"{text}"'
    return line


def values(export):
    raw = open(export, "rb").read()
    text = raw.decode("utf-16") if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else raw.decode("utf-8")
    key = None
    pending = ""
    for line in text.splitlines():
        line = pending + line.strip() if pending else line
        if line.endswith("\\") and not line.startswith("["):
            pending = line[:-1]
            continue
        pending = ""
        if line.startswith("[") and line.endswith("]"):
            key = line
            yield f"reg {key}"
        elif key and line and not line.startswith(("#", ";", "Windows Registry", "REGEDIT")):
            yield f"reg {key} {readable(line)}"


def main():
    lines = set(files(sys.argv[1]))
    for export in sys.argv[2:]:
        if os.path.exists(export):
            lines.update(values(export))
    for line in sorted(lines):
        print(line)


if __name__ == "__main__":
    main()
