#!/usr/bin/env bash
# Installs what is missing, builds, and starts ZEM on the bundled sample PAT95 data.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ZEM_BUILD_DIR:-$root/build}"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
bin="$build/bin"

# Sample data, and a ZEM.ini pointing at it unless the user already has one.
if [ -x "$bin/zem-sample-data" ]; then
  [ -d "$build/sample-data" ] || "$bin/zem-sample-data" "$build/sample-data"
  if [ ! -f "$bin/ZEM.ini" ]; then
    printf '[Header]\r\n%s\r\n' "$build/sample-data" > "$bin/ZEM.ini"
  fi
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "ZEM is built, but there is no display to show its windows on."
  echo "Start it on a virtual display instead:"
  echo "  xvfb-run -a \"$bin/zem\""
  echo "or run this command again from a desktop session."
  exit 1
fi
exec "$bin/zem"
