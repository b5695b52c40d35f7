#!/bin/bash
# Builds revision REV beside this checkout and runs this checkout's benchmark
# with REV's gen_qlv.dll as the baseline: both builds measured in turns in
# one run, the figures side by side, and per configuration whether this
# build is faster, slower or the same within the spread.
# Usage: scripts/compare.sh REV   (BUILD_DIR: this checkout's build folder, default build)
# REV is built once, in a scratch worktree under BUILD_DIR/compare that is
# removed again; its DLL stays there for the next comparison with it.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: compare.sh REV" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m -- "${BUILD_DIR:-$root/build}")"
if ! rev="$(git -C "$root" rev-parse --verify --quiet "$1^{commit}")"; then
  echo "compare.sh: no revision $1 in $root" >&2
  exit 2
fi
scratch="$build/compare/${rev:0:12}"
baseline="$scratch/gen_qlv.dll"

if [ ! -f "$baseline" ]; then
  echo "compare.sh: building ${rev:0:12} in $scratch/src"
  rm -rf "$scratch"
  mkdir -p "$scratch"
  # --force: a scratch worktree an interrupted run left registered is taken over.
  git -C "$root" worktree add --force --detach --quiet "$scratch/src" "$rev"
  trap 'git -C "$root" worktree remove --force "$scratch/src" 2>/dev/null || true; rm -rf "$scratch/src" "$scratch/build"' EXIT
  # The DLL alone, with that revision's own toolchain file; no tests.
  cmake -S "$scratch/src" -B "$scratch/build" -DCMAKE_TOOLCHAIN_FILE="$scratch/src/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQLV_BUILD_TESTS=OFF >/dev/null
  cmake --build "$scratch/build" -j"$(nproc)" --target gen_qlv >/dev/null
  cp "$scratch/build/bin/gen_qlv.dll" "$baseline"
  git -C "$root" worktree remove --force "$scratch/src"
  rm -rf "$scratch/build"
  trap - EXIT
fi

BUILD_DIR="$build" "$root/scripts/build.sh" --target title_benchmark >/dev/null
"$root/scripts/wine-session.sh" start "$build/wineprefix"
status=0
"$root/scripts/wine-run.sh" "$build/wineprefix" "$build/bin/title_benchmark.exe" \
    --baseline "Z:$(printf '%s' "$baseline" | tr / '\\')" || status=$?
"$root/scripts/wine-session.sh" stop "$build/wineprefix"
exit $status
