#!/bin/sh
# Real places where writing fails, for the tests of failed saves and compactions:
#   places.sh mount ROOT [SETTINGS]   mounts and fills them (a leftover mount is replaced)
#   places.sh unmount ROOT   takes them away again; never fails
# ROOT/picture-full and ROOT/passbook-full are small tmpfs volumes filled so that no more
# data fits: their files can be rewritten within the pages they hold, nothing can grow.
# ROOT/passbook-nonew is a tmpfs whose every inode is used: its files stay writable, but no
# new file can be made there. ROOT/picture-nonew is an immutable folder (chattr +i) holding a
# writable old.bmp of 64 KB: that file can be rewritten, nothing can be added.
# ROOT/settings-immutable holds a copy of the settings database SETTINGS in a folder made
# immutable: the file can be read, nothing in the folder can be made, renamed or deleted.
# ROOT/settings-full holds a copy on a tmpfs whose every inode is used, where a new file meets
# a full disk. Without the right to mount (not root), or where the flag cannot be set, the
# places stay empty and the tests that need them skip.
set -u
root=$2
settings=${3:-}
places="picture-full passbook-full passbook-nonew picture-nonew settings-immutable settings-full"

unmount_all() {
  for place in $places; do
    dir=$root/$place
    if mountpoint -q "$dir" 2>/dev/null; then
      chattr -i "$dir" 2>/dev/null || true
      umount "$dir" 2>/dev/null || umount -l "$dir" 2>/dev/null || true
    fi
  done
}

# Zero-filled files of whole pages, so that records rewritten over them need no new page.
reserve() {
  head -c "$2" /dev/zero >"$1"
}

fill_space() {
  cat /dev/zero >"$1/filler" 2>/dev/null || true
}

fill_inodes() {
  i=1
  while [ $i -le 1000 ] && touch "$1/slot$i" 2>/dev/null; do i=$((i + 1)); done
}

set_up() {
  dir=$root/$1
  mkdir -p "$dir"
  if ! mount -t tmpfs -o "$2" tmpfs "$dir" 2>/dev/null; then
    # A stale folder must not look like a place that is ready.
    find "$dir" -mindepth 1 -delete 2>/dev/null || true
    echo "places: cannot mount a tmpfs at $dir (needs root); the tests that need it skip"
    return 0
  fi
  case $1 in
    picture-full)
      printf 'the user'"'"'s own picture, not to be cut short' >"$dir/old.bmp"
      # Named as the save's fresh copies are: the save never opens a file that exists.
      printf 'somebody'"'"'s own file of that name' >"$dir/~LM00000.TMP"
      fill_space "$dir" ;;
    passbook-full)
      reserve "$dir/EDITOR" 8192
      : >"$dir/EMPTY"
      fill_space "$dir" ;;
    passbook-nonew)
      reserve "$dir/EDITOR" 8192
      fill_inodes "$dir" ;;
    settings-immutable)
      if [ -z "$settings" ] || ! cp "$settings" "$dir/tyy1.mdb" || ! chattr +i "$dir" 2>/dev/null; then
        umount "$dir"
        find "$dir" -mindepth 1 -delete 2>/dev/null || true
        echo "places: cannot make $dir immutable; the tests that need it skip"
      fi ;;
    settings-full)
      if [ -n "$settings" ] && cp "$settings" "$dir/tyy1.mdb"; then
        fill_inodes "$dir"
      else
        umount "$dir"
        echo "places: no settings database for $dir; the tests that need it skip"
      fi ;;
    picture-nonew)
      # Longer than the picture saved over it, so that a tail left behind shows.
      head -c 65536 /dev/zero | tr '\0' 'x' >"$dir/old.bmp"
      chmod 666 "$dir/old.bmp"
      chattr +i "$dir" 2>/dev/null || true
      if touch "$dir/probe" 2>/dev/null; then
        echo "places: chattr +i does not hold at $dir; the tests that need it skip"
        chattr -i "$dir" 2>/dev/null || true
        rm -f "$dir/probe" "$dir/old.bmp"
      fi ;;
  esac
}

case $1 in
  mount)
    unmount_all
    set_up picture-full size=64k,mode=0777
    set_up passbook-full size=64k,mode=0777
    set_up passbook-nonew size=256k,nr_inodes=16,mode=0777
    set_up picture-nonew size=1m,mode=0777
    set_up settings-immutable size=64k,mode=0777
    set_up settings-full size=256k,nr_inodes=16,mode=0777 ;;
  unmount)
    unmount_all ;;
esac
exit 0
