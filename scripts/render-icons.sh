#!/usr/bin/env bash
# Renders the SVG icons into the PNG and ICO files of the Windows build, whose Qt has no SVG
# support. Run by hand after an icon changes (needs librsvg2-bin and imagemagick); the results
# are committed.
set -euo pipefail
cd "$(dirname "$0")/../src/ui/shell"
for name in app busy; do
    for size in 16 24 32 48; do
        rsvg-convert -w $size -h $size "icons/$name.svg" -o "icons/$name-$size.png"
    done
done
rsvg-convert -w 240 -h 96 icons/logo.svg -o icons/logo.png
convert icons/app-16.png icons/app-24.png icons/app-32.png icons/app-48.png win/app.ico
rm icons/app-24.png icons/busy-24.png icons/app-48.png icons/busy-48.png
