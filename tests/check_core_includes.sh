#!/usr/bin/env bash
# The core (the show itself) must build without any window-system header: only the hosts (the live shell's
# entry and main loop, the platform layer, tools, tests, benchmarks) may include SDL, FLTK, EGL or X11.
cd "$1" || exit 2
hosts='^(platform/|tools/|tests/|bench/|shell/main\.cpp|shell/live_show\.cpp)'
found=$(git ls-files '*.h' '*.cpp' 2>/dev/null || find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||')
bad=$(echo "$found" | grep -v -E "$hosts" | xargs -r grep -n -E '#include *[<"](SDL|FL/|EGL/|epoxy/egl|X11/)' || true)
# The shader layer lives in platform/ but is part of the core.
bad+=$(grep -n -E '#include *[<"](SDL|FL/|EGL/|epoxy/egl|X11/)' platform/cg_layer.* || true)
if [ -n "$bad" ]; then
  echo "window-system headers in the core:"; echo "$bad"; exit 1
fi
echo "core includes: clean"
