#!/usr/bin/env bash
# Judges the test suite by the faults it catches: plants each bug of
# tools/planted-bugs/ in turn in a scratch copy of the tree, builds, runs the
# whole suite and prints which tests fail (one row per bug).
#
#   tools/plant_bugs.sh [REGEX]    only the bugs whose file name matches REGEX
#
# A bug file is a sed script; its first line names the file it edits
# ("# numeric/Numeric_elementary.cpp"), its second says what goes wrong.
# Environment: PLANT_DIR (scratch directory, default /tmp/corvel-plant-bugs),
# PLANT_TIMEOUT (seconds each test may take, default 180), PLANT_JOBS (2).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
work=${PLANT_DIR:-/tmp/corvel-plant-bugs}
tree=$work/tree
build=$tree/build
limit=${PLANT_TIMEOUT:-180}
jobs=${PLANT_JOBS:-2}
only=${1:-.}
# The scratch build shares the compiler cache with a build of the same layout
# (a build/ directory inside the tree), so a planted bug costs one compile.
export CCACHE_BASEDIR=$tree CCACHE_NOHASHDIR=1 QT_QPA_PLATFORM=offscreen
# Temporary directories of their own: tests name theirs after the test, and
# another run of the suite at the same time must not share them.
export TMPDIR=$work/tmp
mkdir -p "$tree" "$work/logs" "$TMPDIR"

# A fresh copy of the tree beside the scratch build; copied files keep their
# time stamps, so only what changed since the last run is compiled again.
find "$tree" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} +
for f in "$root"/* "$root"/.[!.]*; do
    case $(basename "$f") in build*|.git|'.[!.]*') continue ;; esac
    cp -a "$f" "$tree/" || exit 1
done
# Each test gets the same short limit, so a planted hang costs minutes, not hours.
sed -i -E "s/TIMEOUT [0-9]+/TIMEOUT $limit/" "$tree/tests/CMakeLists.txt"
bugs=()
for b in "$root"/tools/planted-bugs/*.sed; do
    [[ $(basename "$b") =~ $only ]] && bugs+=("$b")
done
# The copy keeps time stamps, so a file a planted bug was built from looks
# older than its object: every file a bug edits is compiled again (the cache
# makes that cheap), the bugs of this run or not.
for b in "$root"/tools/planted-bugs/*.sed; do touch "$tree/$(sed -n '1s/^# *//p' "$b")"; done
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVEL_LTO=OFF \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache > "$work/logs/configure.log" 2>&1 || {
        echo "configure failed: $work/logs/configure.log"; exit 1; }
fi

# Prints the names of the failing tests, one a line.
failing() {
    (cd "$build" && nice ctest -j"$jobs" --timeout "$limit" --output-on-failure > "$1" 2>&1)
    sed -n '/The following tests FAILED/,$ s/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$1"
}

nice cmake --build "$build" -j"$jobs" > "$work/logs/base-build.log" 2>&1 || {
    echo "the unplanted tree does not build: $work/logs/base-build.log"; exit 1; }
base=$(failing "$work/logs/base-ctest.log")
ntests=$(grep -c ' Test *#' "$work/logs/base-ctest.log")
echo "suite: $ntests tests; failing without a planted bug: ${base:-none}" | tr '\n' ' '
echo
printf '%-36s %-7s %s\n' "bug" "caught" "by"
caught=0
for b in "${bugs[@]}"; do
    name=$(basename "$b" .sed)
    file=$(sed -n '1s/^# *//p' "$b")
    cp "$tree/$file" "$work/original"
    sed -i -f "$b" "$tree/$file"
    if cmp -s "$tree/$file" "$work/original"; then
        printf '%-36s %-7s %s\n' "$name" "-" "NOT PLANTED (the sed matched nothing)"
        continue
    fi
    if ! nice cmake --build "$build" -j"$jobs" > "$work/logs/$name.build.log" 2>&1; then
        printf '%-36s %-7s %s\n' "$name" "-" "does not build"
    else
        hits=$(failing "$work/logs/$name.ctest.log" | grep -vxF -e "${base:-@none@}")
        n=$(printf '%s' "$hits" | grep -c .)
        if [ "$n" -gt 0 ]; then
            caught=$((caught + 1))
            printf '%-36s %-7s %s\n' "$name" "$n" "$(echo $hits)"
        else
            printf '%-36s %-7s %s\n' "$name" "0" "NOT CAUGHT"
        fi
    fi
    cp "$work/original" "$tree/$file"   # a fresh time stamp: the next build compiles it again
done
echo "caught $caught of ${#bugs[@]}"
