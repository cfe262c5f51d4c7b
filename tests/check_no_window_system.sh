#!/usr/bin/env bash
# The programs that never open a window (velmora-frame, velmora-capture, the headless benchmarks, the core's
# tests) must not load SDL, FLTK or X11, not even through another library: ldd lists everything they load.
# Usage: check_no_window_system.sh PROGRAM...
status=0
for program in "$@"; do
  [ -e "$program" ] || { echo "missing: $program"; status=1; continue; }
  found=$(ldd "$program" | grep -o -E 'lib(SDL2|fltk|X11)[^ ]*' | sort -u | tr '\n' ' ')
  if [ -n "$found" ]; then
    echo "$(basename "$program") loads $found"
    status=1
  fi
done
[ $status -eq 0 ] && echo "no window system in: $(for p in "$@"; do basename "$p"; done | tr '\n' ' ')"
exit $status
