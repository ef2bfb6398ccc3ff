#!/bin/sh
# backup.sh - keeps the last N dated archives of a folder.
# usage: backup.sh SOURCE DEST [KEEP]
set -eu

if [ "$#" -lt 2 ]; then
    echo "usage: ${0##*/} SOURCE DEST [KEEP]" >&2
    exit 2
fi

source_dir=$1
dest_dir=$2
keep=${3:-7}
if [ ${#keep} -gt 3 ]; then
    echo "refusing to keep more than 999 archives" >&2
    exit 2
fi
stamp=$(date +%Y-%m-%d_%H%M)
archive="$dest_dir/$(basename "$source_dir")-$stamp.tar.gz"

log() {
    printf '%s %s\n' "$(date '+%H:%M:%S')" "$*"
}

cleanup() {
    rm -f "$archive.part"
}
trap cleanup EXIT INT TERM

[ -d "$source_dir" ] || { log "no such folder: $source_dir"; exit 1; }
mkdir -p "$dest_dir"

log "archiving $source_dir"
tar -czf "$archive.part" -C "$(dirname "$source_dir")" "$(basename "$source_dir")"
mv "$archive.part" "$archive"

# Remove the oldest archives beyond $keep.
count=0
for old in $(ls -1t "$dest_dir"/*.tar.gz 2>/dev/null); do
    count=$((count + 1))
    if [ "$count" -gt "$keep" ]; then
        log "removing $old"
        rm -f -- "$old"
    fi
done

case "$keep" in
    0|1) log 'warning: keeping a single archive' ;;
    *) ;;
esac

size=$(du -h "$archive" | cut -f1)
log "done: $archive ($size)"
