#!/usr/bin/env bash
# Installs the built game into a temporary prefix and plays it from folders that hold no data,
# checks the installed desktop files and manual pages, then builds the Debian package and checks
# its files and lintian's verdict. Needs an X display (DISPLAY) and xdotool.
# Usage: install-and-package.sh <build folder>
set -u
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

# Starts a game binary from folder $2, Escape once its window has the focus; the status and
# stderr land in $work/status and $work/stderr.
play_and_escape() {
    local game=$1 folder=$2
    (cd "$folder" && exec timeout 60 "$game" 2>"$work/stderr") &
    local pid=$!
    local w
    w=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name '^Kestrane Alpha ver$' \
        2>/dev/null | head -n 1)
    if [ -n "$w" ]; then
        timeout 10 xdotool windowfocus --sync "$w" 2>/dev/null || true
        xdotool key --clearmodifiers Escape
    fi
    wait "$pid"
    echo $? >"$work/status"
}

# 1. The installed game from a folder with no data: it finds the installed weights, and Escape
#    ends it with status 0.
mkdir -p "$work/elsewhere" "$work/another"
play_and_escape "$prefix/bin/kestrane" "$work/elsewhere"
[ "$(cat "$work/status")" -eq 0 ] || fail "installed game: exit status $(cat "$work/status")"
if grep -q "weights" "$work/stderr"; then fail "installed game: $(cat "$work/stderr")"; fi

# 2. The same program where no data folder is beside it warns, naming every place it tried.
mkdir -p "$work/bare/bin"
cp "$prefix/bin/kestrane" "$work/bare/bin/"
play_and_escape "$work/bare/bin/kestrane" "$work/elsewhere"
[ "$(cat "$work/status")" -eq 0 ] || fail "bare game: exit status $(cat "$work/status")"
grep -q "net-160 (0).dat: not found (tried ./net-160 (0).dat, $work/bare/share/kestrane/net-160 (0).dat, $work/bare/bin/net-160 (0).dat); the network keeps its random weights" \
    "$work/stderr" || fail "bare game: no warning naming the places tried: $(cat "$work/stderr")"

# 3. kestrane-ai from another folder with no folder named plays as with the installed files named.
position="0 -2 0 0 0 0 5 0 3 0 0 0 -5 5 0 0 0 -3 0 -5 0 0 0 0 2 0 6 5"
found=$(cd "$work/another" && echo "$position" | "$prefix/bin/kestrane-ai" play 2>"$work/stderr")
named=$(echo "$position" | "$prefix/bin/kestrane-ai" play --weights "$prefix/share/kestrane")
[ -s "$work/stderr" ] && fail "installed kestrane-ai: $(cat "$work/stderr")"
[ -n "$found" ] && [ "$found" = "$named" ] || fail "installed kestrane-ai: '$found' vs '$named'"
(cd "$work/another" && "$prefix/bin/kestrane-ai" match --a net --b pubeval --games 2 --seed 1 \
    >/dev/null 2>"$work/stderr") || fail "installed kestrane-ai match: $(cat "$work/stderr")"

# 4. The menu entry, the AppStream metadata and the manual pages, which say what --help says.
desktop-file-validate "$prefix"/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >"$work/as" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/as")"
for program in kestrane kestrane-ai; do
    page=$(MANWIDTH=200 man -l "$prefix/share/man/man6/$program.6.gz" 2>"$work/stderr")
    [ -n "$page" ] && [ ! -s "$work/stderr" ] || fail "man -l $program: $(cat "$work/stderr")"
    for option in $("$prefix/bin/$program" --help | grep -o -- '--[a-z-]*' | sort -u); do
        grep -q -- "$option" <<<"$page" || fail "$program.6 does not describe $option"
    done
done
"$prefix/bin/kestrane" --bogus 2>"$work/stderr"
[ $? -eq 2 ] && [ "$(wc -l <"$work/stderr")" -eq 2 ] || fail "kestrane --bogus: $(cat "$work/stderr")"

# 5. The Debian package: the installed files under /usr, and no lintian errors.
(cd "$build" && cpack -G DEB >"$work/cpack" 2>&1) || fail "cpack: $(cat "$work/cpack")"
deb=$(ls "$build"/kestrane_*_*.deb 2>/dev/null | head -n 1)
if [ -n "$deb" ]; then
    dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; print substr($0, 6) }' |
        grep -v '/$' | sort >"$work/files"
    (cd "$prefix" && find . -type f | sed 's|^\./|./usr/|' | sort) >"$work/expected"
    diff "$work/expected" "$work/files" || fail "the package's files differ from the install's"
    dpkg-deb -f "$deb" Depends | grep -q libsdl2 || fail "the package does not depend on SDL2"
    lintian "$deb" >"$work/lintian" 2>&1
    if grep -q "^E:" "$work/lintian"; then fail "lintian: $(cat "$work/lintian")"; fi
    echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
    grep -v 'root privileges' "$work/lintian" | sed 's/^/  lintian: /'
else
    fail "no package made"
fi

[ "$failures" -eq 0 ] && echo "install and package: all checks passed"
exit $((failures > 0))
