"""What a screen reader gets over AT-SPI from the running program.

usage: a11y_tree.py APP WINDOW [WINDOW...]
       a11y_tree.py APP --menu
Finds the application APP on the accessibility bus, and in it each shown window whose name is
given; with --menu, waits (30 s at most) for a menu entry to take the focus, as a screen reader
learns of a pop-up menu, and takes that entry's menu. Prints every node of those windows;
exits 1 if a node that a screen reader stops at has no name, or a control that the keyboard
reaches (button, check box, text box, list, menu entry) has no description. Prints "listening"
once it listens for the menu.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# Containers and parts of views: a screen reader passes through them or reads them as part
# of their view. Rows and cells are a list's data.
PASSED_OVER = {"filler", "frame", "scroll bar", "separator", "table cell", "tree item",
               "list item", "table column header", "application"}
# Controls whose description a screen reader reads as what they do.
DESCRIBED = {"push button", "check box", "text", "tree", "menu item", "tree table"}
# Controls without context help by design: the tab strip and its parts, Qt's own scroll arrows.
UNDESCRIBED = {"page tab list", "page tab"}


def find_app(name):
    desktop = Atspi.get_desktop(0)
    for _ in range(100):
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name:
                return app
        time.sleep(0.1)
    return None


def walk(node, depth, problems, seen, inside_tab_list=False):
    role = node.get_role_name()
    name = node.get_name() or ""
    description = node.get_description() or ""
    print(f"{'  ' * depth}{role} | {name} | {description[:40]}")
    seen[0] += 1
    if role not in PASSED_OVER and not name.strip():
        problems.append(f"unnamed {role} at depth {depth}")
    elif role in DESCRIBED and not description.strip() and not inside_tab_list and name != "?":
        problems.append(f"{role} '{name}' has no description")
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child, depth + 1, problems, seen, inside_tab_list or role == "page tab list")


def focused_menu():
    found = []

    def on_focus(event):
        source = event.source
        if source is not None and source.get_role_name() == "menu item" and event.detail1:
            found.append(source.get_parent())
            Atspi.event_quit()

    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")
    GLib.timeout_add_seconds(30, lambda: Atspi.event_quit() or False)
    GLib.idle_add(lambda: print("listening", flush=True) or False)
    Atspi.event_main()
    return found[0] if found else None


def main():
    if sys.argv[2:] == ["--menu"]:
        menu = focused_menu()
        if menu is None:
            sys.exit("no menu entry took the focus")
        problems, seen = [], [0]
        walk(menu, 0, problems, seen)
        if seen[0] < 2 or problems:
            print("\n".join(problems))
            sys.exit(1)
        return
    app = find_app(sys.argv[1])
    if app is None:
        sys.exit(f"{sys.argv[1]} is not on the accessibility bus")
    wanted = sys.argv[2:]
    problems, seen = [], [0]
    found = set()
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window is None:
            continue
        label = "menu" if window.get_role_name() in ("popup menu", "menu") else window.get_name()
        showing = window.get_state_set().contains(Atspi.StateType.SHOWING)
        if label in wanted and showing:
            found.add(label)
            walk(window, 0, problems, seen)
    missing = [w for w in wanted if w not in found]
    if missing:
        for i in range(app.get_child_count()):
            window = app.get_child_at_index(i)
            if window is not None:
                print(f"window: {window.get_role_name()} | {window.get_name()} | showing "
                      f"{window.get_state_set().contains(Atspi.StateType.SHOWING)}")
        sys.exit(f"windows not found: {missing}")
    if seen[0] < 5:
        sys.exit(f"only {seen[0]} nodes")
    if problems:
        print("\n".join(problems))
        sys.exit(1)


main()
