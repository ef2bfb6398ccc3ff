#!/usr/bin/env python3
"""Compares the settings in a registry export (regedit's format, UTF-16 with hex(...) values)
with the same settings in the Linux store file (UTF-8, str(7) for string lists). Prints both
as one normalised text and fails on the first difference. With --show prints the export's
tree as read."""
import re
import sys

ROOT = "HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin"


def read_text(path):
    data = open(path, "rb").read()
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le")
    return data.decode("utf-8-sig")


def unquote(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            n = text[i + 1]
            out.append({"0": "\0", "n": "\n", "r": "\r"}.get(n, n))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def parse(path):
    text = read_text(path).replace("\r\n", "\n")
    # Long hex values go on over lines ending in a backslash.
    text = re.sub(r",\\\n\s*", ",", text)
    tree, key = {}, None
    for line in text.split("\n"):
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1]
            if key.upper().startswith(ROOT.upper()):
                key = "ROOT" + key[len(ROOT):]
                tree.setdefault(key, {})
            else:
                key = None
            continue
        if key is None or "=" not in line:
            continue
        m = re.match(r'^(@|"(?:[^"\\]|\\.)*")=(.*)$', line)
        if not m:
            raise SystemExit("cannot read line of %s: %r" % (path, line))
        name = "" if m.group(1) == "@" else unquote(m.group(1)[1:-1])
        value = m.group(2)
        if value.startswith('"'):
            parsed = ("sz", unquote(value[1:-1]))
        elif value.startswith("dword:"):
            parsed = ("dword", int(value[6:], 16))
        elif value.startswith("hex(7):"):
            raw = bytes(int(b, 16) for b in value[7:].split(",") if b)
            items = raw.decode("utf-16-le").split("\0")
            while items and items[-1] == "":
                items.pop()
            parsed = ("multi", items)
        elif value.startswith("str(7):"):
            items = unquote(value[8:-1]).split("\0")
            while items and items[-1] == "":
                items.pop()
            parsed = ("multi", items)
        else:
            raise SystemExit("value type not expected in %s: %r" % (path, line))
        tree[key][name.lower()] = (name, parsed)
    return tree


def render(tree):
    lines = []
    for key in sorted(tree, key=lambda k: [int(p) if p.isdigit() else p for p in k.split("\\")]):
        lines.append("[%s]" % key)
        for _, (name, (kind, value)) in sorted(tree[key].items()):
            lines.append("  %s %s %r" % (name or "@", kind, value))
    return lines


def main():
    if sys.argv[1] == "--show":
        print("\n".join(render(parse(sys.argv[2]))))
        return
    export, store = parse(sys.argv[1]), parse(sys.argv[2])
    a, b = render(export), render(store)
    if a != b:
        for i, (x, y) in enumerate(zip(a + [""] * len(b), b + [""] * len(a))):
            if x != y:
                raise SystemExit("registry and store differ at line %d:\n  registry: %s\n  store:    %s"
                                 % (i + 1, x, y))
    # Booleans are DWORDs of -1 or 0, nothing else.
    for key, values in export.items():
        for name, (kind, value) in values.values():
            if name in ("BeepOnProcess", "OptimizeTags", "HtmlClipboard", "IgnoreCase",
                        "ReplaceTab", "MatchWord"):
                if kind != "dword" or value not in (0, 0xFFFFFFFF):
                    raise SystemExit("%s\\%s is %s %r, not a DWORD of -1 or 0" % (key, name, kind, value))
    print("registry and store agree: %d keys, %d values"
          % (len(export), sum(len(v) for v in export.values())))


main()
