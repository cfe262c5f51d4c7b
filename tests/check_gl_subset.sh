#!/usr/bin/env bash
# Every GL and GLU call of the core goes through the subset of render/gl_subset.h, whose names the core's
# header render/gl_api.h redirects to the table. A call outside the subset would reach the driver directly
# and fail on the batched renderer's modern context, so it fails here first, by name. The tables' own code
# (the compatibility table and the batched renderer) calls the driver by the same names and is left out; it
# must not include the redirections, or its calls would come back to the table.
# Usage: check_gl_subset.sh REPOSITORY
set -u
cd "$1" || exit 2
listed=$(grep -oE '^  X\([^,]+, [A-Za-z0-9]+,' render/gl_subset.h | sed -E 's/^  X\([^,]+, ([A-Za-z0-9]+),/\1/' |
  sort -u)
driver_side=(render/gl_api.cpp render/gl_api_web.cpp render/batched)
status=0
for file in $(grep -rlE '#include "render/gl_api.h"' "${driver_side[@]}"); do
  echo "$file includes the core's redirections"
  status=1
done
core=(render math timing state effects assets scenes show)
used=$(grep -rhoE '\bglu?[A-Z][A-Za-z0-9]*\(' "${core[@]}" --include='*.cpp' --include='*.h' --exclude-dir=batched \
  --exclude=gl_api.cpp --exclude=gl_api_web.cpp |
  grep -v -E '^glu?(Tess|NewTess|DeleteTess)' | tr -d '(' | sort -u)
for call in $used; do
  name=${call#glu}
  [ "$name" = "$call" ] && name=${call#gl}
  case $call in glu*) [[ $name == LookAt || $name == Perspective ]] || continue ;; esac
  echo "$listed" | grep -qx "$name" || { echo "outside the subset: $call"; status=1; }
done
[ $status -eq 0 ] && echo "every GL call of the core is in the subset ($(echo "$listed" | wc -l) entry points)"
exit $status
