#!/usr/bin/env bash
# Builds the Debian package from build/ and checks it as a user meets it: what it holds, its
# desktop entry, lintian, and the programs run from an unpacked copy in an empty home folder.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "package check: $*" >&2
  exit 1
}

rm -f build/vgr47_*.deb
log=$(cd build && cpack -G DEB 2>&1) || { echo "$log" >&2; fail "cpack failed"; }
debs=(build/vgr47_*_"$(dpkg --print-architecture)".deb)
[ -f "${debs[0]}" ] || fail "no package in build/"
deb=${debs[0]}
echo "== $deb"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/vgr47 usr/bin/vgr47-cli usr/share/vgr47/language.sys \
         usr/share/vgr47/help/vgr47_c.html usr/share/vgr47/help/vgr47_e.html \
         usr/share/applications/vgr47.desktop usr/share/icons/hicolor/scalable/apps/vgr47.svg \
         usr/share/icons/hicolor/48x48/apps/vgr47.png usr/share/icons/hicolor/256x256/apps/vgr47.png \
         usr/share/man/man1/vgr47.1.gz usr/share/man/man1/vgr47-cli.1.gz \
         usr/share/bash-completion/completions/vgr47-cli usr/share/doc/vgr47/copyright; do
  grep -qxF "./$f" <<<"$contents" || fail "$f is missing"
done
dpkg-deb -f "$deb" Description | grep dialout >/dev/null || fail "the description does not name the dialout group"
dpkg-deb -f "$deb" Depends | grep libqt6widgets6 >/dev/null || fail "the dependencies were not computed"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/vgr47-package.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
root="$tmp/root"
dpkg-deb -x "$deb" "$root"
for program in vgr47 vgr47-cli; do
  file -L "$root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done
desktop-file-validate "$root/usr/share/applications/vgr47.desktop" || fail "desktop entry"
for size in 48 256; do
  file "$root/usr/share/icons/hicolor/${size}x$size/apps/vgr47.png" | grep -q "$size x $size" ||
    fail "the ${size}px icon has another size"
done

lint=$(lintian --allow-root "$deb" 2>&1) || true
[ -z "$lint" ] || echo "$lint"
! grep -q '^E:' <<<"$lint" || fail "lintian reports errors"

# The programs from the unpacked copy, in an empty home folder, started from an empty folder.
mkdir -p "$tmp/home" "$tmp/work" "$tmp/runtime"
chmod 700 "$tmp/runtime"
run() {
  (cd "$tmp/work" && env -i PATH=/usr/bin:/bin HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" \
    LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen timeout 60 "$@")
}
run "$root/usr/bin/vgr47-cli" --version | grep -q '^vgr47-cli [0-9.]* (Qt 6\.' || fail "vgr47-cli --version"
run "$root/usr/bin/vgr47" --version | grep -q '^vgr47 [0-9.]* (Qt 6\.' || fail "vgr47 --version"
run "$root/usr/bin/vgr47-cli" new --model 15 --output fleet.dat || fail "vgr47-cli new"
run "$root/usr/bin/vgr47-cli" info fleet.dat | grep -q '^model:' || fail "vgr47-cli info"
errors=$(run "$root/usr/bin/vgr47" --quit-after 1000 2>&1 >/dev/null) || fail "vgr47 did not start: $errors"
! grep -q language.sys <<<"$errors" || fail "vgr47 did not find its texts: $errors"
ini="$tmp/home/.config/vgr47/system.ini"
[ -f "$ini" ] || fail "vgr47 made no per-user folder"
grep -qx 'language=200000' "$ini" || fail "the per-user system.ini does not hold English"
! grep -qi '^com' "$ini" || fail "the per-user system.ini names a port"
[ "$(ls -A "$tmp/work")" = fleet.dat ] || fail "a file was written where the program was started"
bash -c "source '$root/usr/share/bash-completion/completions/vgr47-cli' && complete -p vgr47-cli" \
  >/dev/null || fail "bash completion"
echo "== package checked: contents, desktop entry, lintian, programs from an unpacked copy"
