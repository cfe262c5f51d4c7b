#!/usr/bin/env bash
# Every GL and GLU call of the core goes through the subset of render/gl_api.h: the subset's list names it
# and a redirect sends it to the table. A call outside the subset would reach the driver directly and fail
# on the batched renderer's modern context, so it fails here first, by name.
# Usage: check_gl_subset.sh REPOSITORY
set -u
cd "$1" || exit 2
header=render/gl_api.h
listed=$(grep -oE '^  X\([^,]+, [A-Za-z0-9]+,' "$header" | sed -E 's/^  X\([^,]+, ([A-Za-z0-9]+),/\1/' | sort -u)
redirected=$(grep -oE '^#define glu?[A-Z][A-Za-z0-9]* gGl\.[A-Za-z0-9]+' "$header" | awk '{ print $3 }' |
  sed 's/gGl\.//' | sort -u)
status=0
if [ "$listed" != "$redirected" ]; then
  echo "the subset's list and its redirects differ:"
  diff <(echo "$listed") <(echo "$redirected")
  status=1
fi
core=(render math timing state effects assets scenes show)
used=$(grep -rhoE '\bglu?[A-Z][A-Za-z0-9]*\(' "${core[@]}" --include='*.cpp' --include='*.h' |
  grep -v -E '^glu?(Tess|NewTess|DeleteTess)' | tr -d '(' | sort -u)
for call in $used; do
  name=${call#glu}
  [ "$name" = "$call" ] && name=${call#gl}
  case $call in glu*) [[ $name == LookAt || $name == Perspective ]] || continue ;; esac
  echo "$redirected" | grep -qx "$name" || { echo "outside the subset: $call"; status=1; }
done
[ $status -eq 0 ] && echo "every GL call of the core is in the subset ($(echo "$listed" | wc -l) entry points)"
exit $status
