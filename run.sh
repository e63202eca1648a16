#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
if [ -x build/app/vgr47 ]; then
  work="${VGR47_HOME:-$HOME/.local/share/vgr47}"
  mkdir -p "$work"
  cp -f build/language.sys "$work/"
  if [ ! -f "$work/system.ini" ]; then
    printf '[computer]\ncom=sim\n' > "$work/system.ini"
  fi
  cd "$work"
  exec "$OLDPWD/build/app/vgr47" "$@"
elif [ -x build/cli/vgr47-cli ]; then
  echo "Built. Command-line tool: build/cli/vgr47-cli"
else
  echo "Built the codeplug library; the program itself is not part of this build yet."
fi
