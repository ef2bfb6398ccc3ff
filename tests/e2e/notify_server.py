#!/usr/bin/python3
"""A desktop notification service (org.freedesktop.Notifications) for the whole-program
tests: it shows nothing and writes each notification it receives to the log, one line each:
"notify APP|ICON|SUMMARY|BODY". The first line, "serving", says it owns the name.

    notify_server.py --log FILE
"""
import sys

import dbus
import dbus.service

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"


class Server(dbus.service.Object):
    def __init__(self, bus, log):
        self.log = log
        self.last = 0
        self.name = dbus.service.BusName(NAME, bus)
        super().__init__(bus, PATH)

    def note(self, line):
        self.log.write(line + "\n")
        self.log.flush()

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.note("notify %s|%s|%s|%s" % (app, icon, summary, body.replace("\n", " ")))
        self.last += 1
        return self.last

    @dbus.service.method(NAME, in_signature="u")
    def CloseNotification(self, id):
        pass

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(NAME, out_signature="ssss")
    def GetServerInformation(self):
        return ("e2e", "brevlin", "1", "1.2")


def main(args):
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    log = open(args[args.index("--log") + 1], "a")
    server = Server(dbus.SessionBus(), log)
    server.note("serving")
    GLib.MainLoop().run()


if __name__ == "__main__":
    main(sys.argv[1:])
