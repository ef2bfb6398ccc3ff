#!/usr/bin/python3
"""What real receivers made of a rich paste.

chromium PORT_FILE SCREENSHOT: drives Chromium through its DevTools protocol (a small client
over python3-websocket): focuses the editable area of the open page, pastes with Ctrl+V through
xdotool, as a user does, and reads back from the pasted DOM the colours of the keyword, the
comment and the string and the text's lines; prints them and saves a screenshot.

writer DOCUMENT.odt: reads the document LibreOffice Writer made of the flavour: the colour and
weight of the keyword, the colour and slant of the comment and string, and the text's lines.

Both print what they read, then check it against the bundled style sheet's light colours and
the sample's lines (exit 1 with the reason when it differs).
"""

import base64
import json
import subprocess
import sys
import time
import urllib.request
import xml.etree.ElementTree as ElementTree
import zipfile

import websocket

# The bundled style sheet's light scheme.
KEYWORD = "#0033b3"
COMMENT = "#5f7a5f"
STRING = "#a31515"
# The sample the tests convert: a keyword, a string, a comment, a blank line, four spaces.
LINES = ["int main(void)", "{", "", '    return puts("hi"); // greet', "}"]


def fail(reason):
    sys.exit("FAIL: " + reason)


def hex_colour(css):
    """rgb(0, 51, 179) -> #0033b3"""
    parts = css[css.index("(") + 1:css.index(")")].split(",")
    return "#" + "".join("%02x" % int(float(p)) for p in parts[:3])


class DevTools:
    def __init__(self, url):
        self.socket = websocket.create_connection(url, timeout=60, suppress_origin=True)
        self.next_id = 0

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    fail(f"{method}: {message['error']}")
                return message["result"]

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True)
        if "exceptionDetails" in result:
            fail(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")


def wait(what, condition, seconds=60):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.2)
    fail("waited in vain for " + what)


def page_socket(port_file):
    def port():
        try:
            return int(open(port_file).read().split()[0])
        except (OSError, ValueError, IndexError):
            return None

    number = wait("Chromium's DevTools port", port)

    def editor_page():
        try:
            with urllib.request.urlopen(f"http://127.0.0.1:{number}/json/list", timeout=5) as r:
                targets = json.load(r)
        except OSError:
            return None
        for target in targets:
            if target.get("type") == "page" and target.get("url", "").endswith("editor.html"):
                return target["webSocketDebuggerUrl"]
        return None

    return wait("the editor page", editor_page)


# The pasted DOM as the test reads it: for each piece of text, the element that holds it and
# that element's computed style.
READ_PASTE = r"""
(() => {
  const editor = document.getElementById("editor");
  const styleOf = (text) => {
    const walker = document.createTreeWalker(editor, NodeFilter.SHOW_TEXT);
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      if (node.data.includes(text)) {
        const style = getComputedStyle(node.parentElement);
        return {element: node.parentElement.outerHTML.slice(0, 160), color: style.color,
                weight: style.fontWeight, slant: style.fontStyle};
      }
    }
    return null;
  };
  return {keyword: styleOf("int"), comment: styleOf("// greet"), string: styleOf('"hi"'),
          text: editor.innerText, html: editor.innerHTML};
})()
"""


def chromium(port_file, screenshot):
    tools = DevTools(page_socket(port_file))
    wait("the page to load", lambda: tools.evaluate(
        "document.readyState === 'complete' && document.getElementById('editor') !== null"))
    tools.evaluate("document.getElementById('editor').focus()")
    wait("the editable area to take the focus",
         lambda: tools.evaluate("document.activeElement.id") == "editor")
    # The keyboard goes to Chromium's window, as a user's does.
    windows = wait("Chromium's window", lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--class", "chromium"],
        capture_output=True, text=True).stdout.split())
    subprocess.run(["xdotool", "windowfocus", "--sync", windows[-1]], check=True, timeout=30)
    subprocess.run(["xdotool", "key", "ctrl+v"], check=True, timeout=30)
    wait("the paste", lambda: "greet" in tools.evaluate(
        "document.getElementById('editor').innerText"))
    read = tools.evaluate(READ_PASTE)
    shot = tools.call("Page.captureScreenshot", format="png")
    with open(screenshot, "wb") as f:
        f.write(base64.b64decode(shot["data"]))

    print("pasted html:", read["html"][:400])
    for name in ("keyword", "comment", "string"):
        print(f"{name}: {read[name]}")
    print("text lines:", json.dumps(read["text"].split("\n")))
    for name in ("keyword", "comment", "string"):
        if read[name] is None:
            fail(f"no {name} in the pasted text")
    check("keyword colour", hex_colour(read["keyword"]["color"]), KEYWORD)
    check("keyword weight", read["keyword"]["weight"], "700")
    check("comment colour", hex_colour(read["comment"]["color"]), COMMENT)
    check("comment slant", read["comment"]["slant"], "italic")
    check("string colour", hex_colour(read["string"]["color"]), STRING)
    check_lines(read["text"].rstrip("\n").split("\n"))


def check(what, found, expected):
    if found != expected:
        fail(f"{what} is {found!r}, not {expected!r}")


def check_lines(lines):
    # A no-break space would look the same but is not what was copied.
    check("the lines", lines, LINES)


ODF = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
}


def q(prefix, name):
    return "{%s}%s" % (ODF[prefix], name)


def writer(odt):
    with zipfile.ZipFile(odt) as archive:
        root = ElementTree.fromstring(archive.read("content.xml"))
    # The automatic styles' text properties, by style name.
    styles = {}
    for style in root.iter(q("style", "style")):
        properties = style.find(q("style", "text-properties"))
        styles[style.get(q("style", "name"))] = {} if properties is None else {
            key.split("}")[1]: value for key, value in properties.attrib.items()}

    # Each run of text with the properties in force there, the paragraph's below the span's.
    runs = []
    lines = []

    def walk(element, inherited):
        properties = dict(inherited)
        properties.update(styles.get(element.get(q("text", "style-name")), {}))
        if element.text:
            runs.append((element.text, properties))
            lines[-1] += element.text
        for child in element:
            if child.tag == q("text", "s"):
                lines[-1] += " " * int(child.get(q("text", "c"), "1"))
            elif child.tag == q("text", "tab"):
                lines[-1] += "\t"
            elif child.tag == q("text", "line-break"):
                lines.append("")
            else:
                walk(child, properties)
            if child.tail:
                runs.append((child.tail, properties))
                lines[-1] += child.tail

    body = root.find(q("office", "body")).find(q("office", "text"))
    for paragraph in body.iter():
        if paragraph.tag in (q("text", "p"), q("text", "h")):
            lines.append("")
            walk(paragraph, {})

    def run_of(text):
        for run, properties in runs:
            if text in run:
                return properties
        fail(f"no {text!r} in the document")

    keyword, comment, string = run_of("int"), run_of("// greet"), run_of('"hi"')
    print("keyword:", keyword)
    print("comment:", comment)
    print("string:", string)
    print("text lines:", json.dumps(lines))
    check("keyword colour", keyword.get("color"), KEYWORD)
    check("keyword weight", keyword.get("font-weight"), "bold")
    check("comment colour", comment.get("color"), COMMENT)
    check("comment slant", comment.get("font-style"), "italic")
    check("string colour", string.get("color"), STRING)
    while lines and lines[-1] == "":
        lines.pop()
    check_lines(lines)


if __name__ == "__main__":
    if sys.argv[1] == "chromium":
        chromium(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "writer":
        writer(sys.argv[2])
    else:
        sys.exit("usage: receivers.py chromium PORT_FILE SCREENSHOT | writer DOCUMENT.odt")
    print("ok")
