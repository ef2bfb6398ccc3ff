#!/usr/bin/python3
"""A StatusNotifierItem tray host for the whole-program tests, and a client that acts on it.

    sni_host.py watch --log FILE [--no-host]   the watcher (and host) on the session bus
    sni_host.py items                          the registered items, one per line
    sni_host.py host                           a host registers with the watcher
    sni_host.py call METHOD [INT ...]          calls Activate, ContextMenu, ... on the item
    sni_host.py twice METHOD [INT ...]         the same call twice at once (a double click)
    sni_host.py prop NAME                      one property of the item
    sni_host.py icon                           a digest of the item's IconPixmap
    sni_host.py menu                           the exported menu: id, type, label, enabled
    sni_host.py click LABEL                    chooses the exported menu entry with that label

The watcher logs what a host sees, one line per event: "registered ITEM", "unregistered
ITEM", "icon DIGEST" (read at each NewIcon), "tooltip TITLE" (read at each NewToolTip).
"""
import hashlib
import sys

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPS = "org.freedesktop.DBus.Properties"


def digest(pixmaps):
    h = hashlib.sha1()
    for w, hgt, data in pixmaps:
        h.update(b"%dx%d:" % (int(w), int(hgt)))
        h.update(bytes(data))
    return "%d:%s" % (len(pixmaps), h.hexdigest()[:16])


class Watcher(dbus.service.Object):
    def __init__(self, bus, log, with_host):
        self.bus = bus
        self.log = log
        self.items = []
        self.watches = {}
        self.host = with_host
        self.name = dbus.service.BusName(WATCHER, bus)
        super().__init__(bus, WATCHER_PATH)

    def note(self, line):
        self.log.write(line + "\n")
        self.log.flush()

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # Either a bus name (the item at the usual path) or an object path of the sender.
        if service.startswith("/"):
            name, path = sender, service
        else:
            name, path = service, "/StatusNotifierItem"
        item = name + path
        if item in self.items:
            return
        self.items.append(item)
        self.note("registered " + item)
        self.follow(name, path)
        self.watches[item] = self.bus.watch_name_owner(
            name, lambda owner, item=item: owner == "" and self.forget(item))
        self.StatusNotifierItemRegistered(item)

    def forget(self, item):
        if item in self.items:
            self.items.remove(item)
            self.watches.pop(item).cancel()
            self.note("unregistered " + item)
            self.StatusNotifierItemUnregistered(item)

    def follow(self, name, path):
        proxy = self.bus.get_object(name, path, introspect=False)

        def read(prop):
            return proxy.Get(ITEM, prop, dbus_interface=PROPS)

        def icon():
            self.note("icon " + digest(read("IconPixmap")))

        def tooltip():
            self.note("tooltip " + str(read("ToolTip")[2]))

        self.bus.add_signal_receiver(icon, "NewIcon", ITEM, name, path)
        self.bus.add_signal_receiver(tooltip, "NewToolTip", ITEM, name, path)
        icon()
        tooltip()

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        self.host = True
        self.StatusNotifierHostRegistered()

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, item):
        pass

    @dbus.service.signal(WATCHER)
    def StatusNotifierHostRegistered(self):
        pass

    @dbus.service.signal(WATCHER)
    def StatusNotifierHostUnregistered(self):
        pass

    def properties(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(self.host),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.properties()[name]

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties()


def watch(args):
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    log = open(args[args.index("--log") + 1], "a")
    watcher = Watcher(dbus.SessionBus(), log, "--no-host" not in args)
    if watcher.host:
        watcher.StatusNotifierHostRegistered()
    watcher.note("watching")
    GLib.MainLoop().run()


def only_item(bus):
    watcher = bus.get_object(WATCHER, WATCHER_PATH, introspect=False)
    items = watcher.Get(WATCHER, "RegisteredStatusNotifierItems", dbus_interface=PROPS)
    if len(items) != 1:
        sys.exit("expected one item, found %d" % len(items))
    name, _, path = str(items[0]).partition("/")
    return bus.get_object(name, "/" + path, introspect=False)


def menu_entries(bus, item):
    path = item.Get(ITEM, "Menu", dbus_interface=PROPS)
    menu = bus.get_object(item.requested_bus_name, path, introspect=False)
    _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface=MENU)
    entries = []
    for child in layout[2]:
        props = child[1]
        entries.append((int(child[0]), str(props.get("type", "standard")),
                        str(props.get("label", "")), bool(props.get("enabled", True)),
                        bool(props.get("visible", True))))
    return menu, entries


def main(args):
    command = args[0]
    if command == "watch":
        return watch(args[1:])
    bus = dbus.SessionBus()
    if command == "host":
        watcher = bus.get_object(WATCHER, WATCHER_PATH, introspect=False)
        watcher.RegisterStatusNotifierHost("org.kde.StatusNotifierHost-test",
                                           dbus_interface=WATCHER)
        return
    if command == "items":
        watcher = bus.get_object(WATCHER, WATCHER_PATH, introspect=False)
        for item in watcher.Get(WATCHER, "RegisteredStatusNotifierItems", dbus_interface=PROPS):
            print(item)
        return
    item = only_item(bus)
    if command in ("call", "twice"):
        for _ in range(2 if command == "twice" else 1):
            getattr(item, args[1])(*[dbus.Int32(int(a)) for a in args[2:]], dbus_interface=ITEM)
    elif command == "prop":
        value = item.Get(ITEM, args[1], dbus_interface=PROPS)
        if args[1] == "ToolTip":
            value = "%s|%s|%s" % (value[0], value[2], value[3])
        elif args[1] == "IconPixmap":
            value = " ".join("%dx%d/%d" % (w, h, len(d)) for w, h, d in value)
        print(value)
    elif command == "icon":
        print(digest(item.Get(ITEM, "IconPixmap", dbus_interface=PROPS)))
    elif command == "menu":
        for entry in menu_entries(bus, item)[1]:
            print("%d\t%s\t%s\t%s\t%s" % entry)
    elif command == "click":
        menu, entries = menu_entries(bus, item)
        ids = [e[0] for e in entries if e[2] == args[1]]
        if len(ids) != 1:
            sys.exit("no single entry %r" % args[1])
        menu.Event(dbus.Int32(ids[0]), "clicked", dbus.Int32(0, variant_level=1),
                   dbus.UInt32(0), dbus_interface=MENU)
    else:
        sys.exit("unknown command " + command)


if __name__ == "__main__":
    main(sys.argv[1:])
