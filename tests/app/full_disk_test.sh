#!/bin/sh
# Runs the saving test against a full disk: a 64 KiB tmpfs mounted in a
# private mount namespace (as root, or through a user namespace), so nothing
# outside the test sees it and it goes away with the test. Exits 77 (skipped)
# where no such namespace can be made.
exe="$1"
if ! unshare -rm true 2>/dev/null; then
  echo "cannot make a private mount namespace here; skipped"
  exit 77
fi
exec unshare -rm sh -c '
  dir=$(mktemp -d) || exit 1
  mount -t tmpfs -o size=64k wl-full-disk "$dir" || exit 77
  WL_FULL_DISK_DIR="$dir" "$0" --gtest_filter="*FullDisk*"
  status=$?
  umount "$dir"; rmdir "$dir"
  exit $status' "$exe"
