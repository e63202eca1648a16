#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in a per-user working folder.
set -euo pipefail
cd "$(dirname "$0")"
src="$PWD"
scripts/setup.sh
scripts/build.sh

work="${VGR47_HOME:-$HOME/.local/share/vgr47}"
mkdir -p "$work"
cp -f build/language.sys "$work/"
if [ -d resources/help ]; then
  mkdir -p "$work/help"
  cp -f resources/help/*.html "$work/help/" 2>/dev/null || true
fi
if [ ! -f "$work/system.ini" ]; then
  # Start against the simulated radio, in English unless the user's locale is Chinese.
  lang=200000
  case "${LC_ALL:-${LANG:-}}" in zh*) lang=100000 ;; esac
  printf '[computer]\ncom=sim\n[language]\nlanguage=%s\n' "$lang" > "$work/system.ini"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found, so the window cannot be shown. A short command-line demonstration instead:"
  cli="$src/build/cli/vgr47-cli"
  demo="$work/demo-model15.dat"
  echo "\$ vgr47-cli new --model 15 --output $demo"
  "$cli" new --model 15 --output "$demo"
  echo "\$ vgr47-cli info $demo"
  "$cli" info "$demo"
  echo "Run ./run.sh on a desktop (or under xvfb-run) to start the program."
  exit 0
fi

cd "$work"
exec "$src/build/app/vgr47" "$@"
