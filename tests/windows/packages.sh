#!/usr/bin/env bash
# Checks the Windows downloads that scripts/package-windows made, under wine in a prefix of its
# own: the installer installs silently, its Start-menu entries point at the installed programs,
# the installed kestrane-ai plays a match from another folder with the shipped weights and
# without a warning (the game, where it is built, answers --help), and the uninstaller removes
# every file, folder and registry key the installer made; then the zip's programs do the same
# from the unpacked folder.
# Usage: packages.sh <Windows build folder>
set -u
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
export KESTRANE_WINEPREFIX=$work/prefix
wine=${KESTRANE_WINE:-/usr/lib/wine/wine64}
cleanup() {
    WINEPREFIX=$KESTRANE_WINEPREFIX "$(dirname "$wine")/wineserver" -k >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { "$root/cmake/wine-run" "$@"; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
setup=$build/kestrane-$version-win64-setup.exe
zip=$build/kestrane-$version-win64.zip
[ -f "$setup" ] && [ -f "$zip" ] || { echo "FAIL: no $setup or $zip (scripts/package-windows)"; exit 1; }

# Plays a short match with the programs in folder $1 (a Windows path) from the empty folder
# $work/elsewhere, and the game's --help where the game is there.
play_from_elsewhere() {
    local folder=$1 what=$2
    rm -rf "$work/elsewhere" && mkdir -p "$work/elsewhere"
    (cd "$work/elsewhere" && run "$folder\\kestrane-ai.exe" match --a net --b pubeval --games 4 \
        --seed 1 >"$work/out" 2>"$work/err")
    local status=$?
    [ "$status" -eq 0 ] || fail "$what: kestrane-ai match ended with status $status"
    grep -q "^A net: [0-9]* wins$" "$work/out" || fail "$what: no match result: $(cat "$work/out")"
    [ ! -s "$work/err" ] || fail "$what: kestrane-ai warned: $(cat "$work/err")"
    if [ -n "$(find "$work/elsewhere" -mindepth 1)" ]; then
        fail "$what: kestrane-ai left files in the working folder"
    fi
    if [ "$has_game" -eq 1 ]; then
        (cd "$work/elsewhere" && run "$folder\\kestrane.exe" --help >/dev/null 2>&1) ||
            fail "$what: kestrane --help failed"
    fi
}

has_game=0
unzip_list=$(cd "$work" && cmake -E tar tf "$zip" 2>/dev/null)
grep -q "kestrane.exe$" <<<"$unzip_list" && has_game=1

# What the prefix holds: every file and folder (wine's temporary files left out), the keys under
# the two software hives and the installed programs' list.
snapshot() {
    (cd "$KESTRANE_WINEPREFIX" && find drive_c -path '*/Temp' -prune -o -print | sort)
    local key
    for key in 'HKLM\Software' 'HKCU\Software' \
        'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'; do
        run reg query "$key" 2>/dev/null | tr -d '\r' | grep -v '^$'
    done
}

run cmd /c exit >/dev/null 2>&1
before=$(snapshot)

# 1. The installer.
run "$setup" /S || fail "the silent install ended with status $?"
programs="$KESTRANE_WINEPREFIX/drive_c/Program Files/Kestrane"
menu="$KESTRANE_WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrane"
for file in kestrane-ai.exe "net-160 (0).dat" "net-160 (1).dat" pubeval-weights.tsv LICENSE.txt \
    uninstall.exe; do
    [ -f "$programs/$file" ] || fail "installed: no $file"
done
[ -f "$menu/Uninstall Kestrane.lnk" ] || fail "installed: no Start-menu entry for the uninstaller"
if [ "$has_game" -eq 1 ]; then
    [ -f "$programs/kestrane.exe" ] || fail "installed: no kestrane.exe"
    grep -a -q 'kestrane\.exe' "$menu/Kestrane.lnk" 2>/dev/null ||
        fail "installed: the Start-menu entry does not start kestrane.exe"
fi
run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrane' /v \
    UninstallString >/dev/null 2>&1 || fail "installed: no entry in the installed programs"
play_from_elsewhere 'C:\Program Files\Kestrane' installed

# 2. The uninstaller copies itself aside and runs from there, so the test waits for the folder to
# go rather than for the first program to end.
run 'C:\Program Files\Kestrane\uninstall.exe' /S || fail "the silent uninstall ended with status $?"
for _ in $(seq 300); do
    [ -e "$programs" ] || break
    sleep 0.1
done
for _ in $(seq 50); do
    after=$(snapshot)
    [ "$after" = "$before" ] && break
    sleep 0.2
done
if [ "$after" != "$before" ]; then
    fail "the uninstaller left these behind:"
    diff <(echo "$before") <(echo "$after") | grep '^[<>]'
fi

# 3. The zip, unpacked into a folder of its own.
mkdir -p "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
folder=$(cd "$work/unpacked" && ls -d kestrane-*)
play_from_elsewhere "Z:$work/unpacked/$folder" zip

if [ "$failures" -eq 0 ]; then
    echo "Windows installer and zip: installed, played from another folder, uninstalled clean"
fi
exit $((failures > 0))
