#!/usr/bin/env bash
# Shows that a seed gives the same figures on Linux and on Windows (under wine): the soak's games
# and monkey frames with their totals, a kestrane-ai match, and a short self-play training run's
# weight and state files byte for byte. Prints each figure once when they agree, both when not.
# Usage: same-figures.sh <Linux build folder> <Windows build folder>
set -u
linux=$(cd "$1" && pwd)/bin
windows=$(cd "$2" && pwd)/bin
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

machine_free() {
    sed -E '/^[0-9.]+ games\/s/d; s/,? ?resident -?[0-9]+ KiB//g; s/ +[0-9.]+ games\/s +[0-9]+ s left//'
}

# Runs the same command on both systems from an empty folder of each; the lines that depend on the
# machine (memory, speed) are left out.
both() {
    local name=$1
    shift
    mkdir -p "$work/linux-$name" "$work/windows-$name"
    (cd "$work/linux-$name" && "$linux/$1" "${@:2}") 2>&1 | machine_free >"$work/$name.linux"
    (cd "$work/windows-$name" && "$root/cmake/wine-run" "$windows/$1.exe" "${@:2}") 2>&1 |
        machine_free >"$work/$name.windows"
    if cmp -s "$work/$name.linux" "$work/$name.windows"; then
        grep -E 'at the end|wins|rate [0-9.]+%|games [0-9]+/' "$work/$name.linux" | sed "s/^/$name: /"
    else
        echo "FAIL: $name differs (Linux, then Windows):"
        cat "$work/$name.linux" "$work/$name.windows"
        failures=$((failures + 1))
    fi
}

both soak kestrane-soak --games 40 --frames 3000 --seed 4000000000
both match kestrane-ai match --a net --b pubeval --games 40 --seed 7
both train kestrane-ai train --out run --games 100 --seed 3 --check-every 50 --bench-games 20
for file in "net-160 (0).dat" "net-160 (1).dat" train-state.txt; do
    if cmp "$work/linux-train/run/$file" "$work/windows-train/run/$file"; then
        echo "train: $file the same, $(wc -c <"$work/linux-train/run/$file") bytes," \
            "sha256 $(sha256sum <"$work/linux-train/run/$file" | cut -c1-16)"
    else
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] && echo "same figures on Linux and Windows"
exit $((failures > 0))
