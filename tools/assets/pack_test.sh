#!/bin/bash
# pack_test.sh MAKE_ASSETS CONTACT_SHEET WORK_DIR: generates the pack twice into separate folders, requires
# identical bytes in every file, re-runs the checks on the written pack and builds the contact sheet.
set -euo pipefail
make_assets=$1 contact_sheet=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
"$make_assets" "$work/a" > "$work/a.log"
"$make_assets" "$work/b" > "$work/b.log"
count=0
for file in "$work"/a/textures/*; do
  name=$(basename "$file")
  cmp "$file" "$work/b/textures/$name"
  count=$((count + 1))
done
[ "$(ls "$work/b/textures" | wc -l)" -eq "$count" ] || { echo "the two runs wrote different file sets"; exit 1; }
[ "$count" -eq 31 ] || { echo "expected 31 files, found $count"; exit 1; }
"$make_assets" --check "$work/a"
"$contact_sheet" "$work/a" "$work/sheet.png"
echo "pack test: $count files identical across runs"
