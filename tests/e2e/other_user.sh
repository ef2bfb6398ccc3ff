#!/usr/bin/env bash
# Another user on the same machine can neither reach the running program's socket nor read
# the settings file, even where the folders above them are open to everyone: the program's
# own folders and files are private. Needs root to act as a second user (skipped otherwise).
source "$(dirname "$0")/lib.sh"

if [ "$(id -u)" -ne 0 ] || ! id nobody >/dev/null 2>&1; then
    echo "other user: skipped (needs root and the user nobody)"
    exit 77
fi
as_other() {
    runuser -u nobody -- "$@"
}

# Open folders around the program's own: /tmp-like for the runtime folder, 755 elsewhere.
chmod 755 "$WORK" "$HOME"
mkdir -m 1777 "$WORK/tmp"
chmod 755 "$XDG_CONFIG_HOME"
unset XDG_RUNTIME_DIR BREVLIN_SETTINGS
export TMPDIR=$WORK/tmp
settings=$XDG_CONFIG_HOME/Morvane/Brevlin/settings.reg
umask 022

"$BREVLIN" import "$E2E_DIR/../data/example.bvl" || fail "import failed"
[ -f "$settings" ] || fail "no settings file at $settings"
as_other test -r "$settings" && fail "another user can read the settings file"
as_other cat "$settings" >/dev/null 2>&1 && fail "another user read the settings file"
as_other ls "$XDG_CONFIG_HOME/Morvane/Brevlin" >/dev/null 2>&1 &&
    fail "another user can list the settings folder"
[ "$(stat -c %a "$settings")" = 600 ] || fail "settings file mode $(stat -c %a "$settings")"

start_display
start_tray
start_app
runtime=$TMPDIR/brevlin-$(id -u)
socket=$runtime/brevlin-glosser.socket
[ -S "$socket" ] || fail "no socket at $socket"
[ "$(stat -c %a "$runtime")" = 700 ] || fail "runtime folder mode $(stat -c %a "$runtime")"
# A connection attempt as the other user is refused by the file system.
result=$(as_other /usr/bin/python3 -c '
import socket, sys
s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
try:
    s.connect(sys.argv[1])
    s.sendall(b"Option\n")
    print("connected")
except PermissionError:
    print("refused")
except OSError as e:
    print("error", e)
' "$socket")
[ "$result" = refused ] || fail "another user's connection: $result"
app_running || fail "the program ended"
echo "other user: settings file and socket private"
