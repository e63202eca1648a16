#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with its per-user settings folder.
set -euo pipefail
cd "$(dirname "$0")"
src="$PWD"
scripts/setup.sh
scripts/build.sh

# The same per-user folder as the installed program's; settings kept by earlier versions of this
# script in ~/.local/share/vgr47 move over once.
work="${VGR47_HOME:-${XDG_CONFIG_HOME:-$HOME/.config}/vgr47}"
old="$HOME/.local/share/vgr47"
(umask 077 && mkdir -p "$work")  # private to the user, as the program makes it
if [ ! -e "$work/system.ini" ] && [ -f "$old/system.ini" ] && [ -z "${VGR47_HOME:-}" ]; then
  mv "$old/system.ini" "$work/system.ini"
  if [ -f "$old/isdebug.txt" ] && [ ! -e "$work/isdebug.txt" ]; then
    mv "$old/isdebug.txt" "$work/isdebug.txt"
  fi
  echo "Settings moved from $old to $work"
fi
if [ ! -e "$work/system.ini" ]; then
  # Start against the simulated radio, in English unless the user's locale is Chinese.
  lang=200000
  case "${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}" in zh*) lang=100000 ;; esac
  printf '[computer]\ncom=sim\n[language]\nlanguage=%s\n' "$lang" > "$work/system.ini"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found, so the window cannot be shown. A short command-line demonstration instead:"
  cli="$src/build/cli/vgr47-cli"
  demo="$(mktemp -d)/demo-model15.dat"
  echo "\$ vgr47-cli new --model 15 --output $demo"
  "$cli" new --model 15 --output "$demo"
  echo "\$ vgr47-cli info $demo"
  "$cli" info "$demo"
  rm -rf "$(dirname "$demo")"
  echo "Run ./run.sh on a desktop (or under xvfb-run) to start the program."
  exit 0
fi

cd "$work"
exec "$src/build/app/vgr47" "$@"
