#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a fresh root and checks it:
# everything lies below /usr, the desktop entry and the file type are valid, and the installed
# programs work from there with the installed data, writing only into the user's folders.
# usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "check-package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/out/*.deb)
[ -f "$deb" ] || fail "no package written"

dpkg-deb --info "$deb" >"$work/info"
grep -q '^ Package: shiftex$' "$work/info" || fail "package name"
grep -q '^ Depends: .*libqt6sql6-sqlite' "$work/info" || fail "help database driver not a dependency"

# Every file and folder below ./usr.
if dpkg-deb --contents "$deb" | awk '{print $6}' | grep -v -e '^\./$' -e '^\./usr/' ; then
    fail "files outside /usr"
fi

root="$work/root"
dpkg -x "$deb" "$root"
for f in usr/bin/shiftex usr/bin/shiftex-cli usr/share/shiftex/Holidays/Default/FileList.ini \
         usr/share/shiftex/help/shiftex.qhc usr/share/shiftex/help/shiftex.qch \
         usr/share/shiftex/examples/ward.sxt usr/share/applications/shiftex.desktop \
         usr/share/mime/packages/shiftex.xml usr/share/icons/hicolor/scalable/apps/shiftex.svg; do
    [ -e "$root/$f" ] || fail "missing $f"
done
desktop-file-validate "$root/usr/share/applications/shiftex.desktop"
grep -q 'glob pattern="\*.sxt" case-sensitive="false"' "$root/usr/share/mime/packages/shiftex.xml" ||
    fail "the .SXT glob"

# The installed command line reads the example with the installed holidays, as a user would.
export HOME="$work/home"
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
touch "$work/stamp"
"$root/usr/bin/shiftex-cli" dump "$root/usr/share/shiftex/examples/ward.sxt" >"$work/dump.json"
for expected in '"monthTitle":"January 2027"' '{"name":"Ward A"' '{"name":"Ward B"' \
                '"customQuery":{"visible":true'; do
    grep -qF "$expected" "$work/dump.json" || fail "the example's dump lacks $expected"
done
[ -d "$HOME/.local/share/Shiftex/Shiftex/Holidays/Default" ] || fail "holidays not copied for the user"

# The installed window starts, opens the example and finds its help (a screen large enough
# for no notice about its size).
env -u QT_QPA_PLATFORM SHIFTEX_SCREENSHOT="$work/shot.png" SHIFTEX_SCREENSHOT_SIZE=800x600 \
    timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$root/usr/bin/shiftex" "$root/usr/share/shiftex/examples/ward.sxt" \
    >"$work/gui.log" 2>&1 || { cat "$work/gui.log" >&2; fail "the window did not start"; }
[ -s "$work/shot.png" ] || fail "the window showed nothing"
[ -f "$HOME/.local/share/Shiftex/Shiftex/help/shiftex.qhc" ] || fail "help not set up for the user"

# Nothing was written into the installed tree.
if [ -n "$(find "$root" -newer "$work/stamp" -print -quit)" ]; then
    find "$root" -newer "$work/stamp" >&2
    fail "something was written below the installed /usr"
fi
echo "check-package: $(basename "$deb") is sound"
