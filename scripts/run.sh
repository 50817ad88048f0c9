#!/usr/bin/env bash
# Installs what is missing, builds, makes a demo project and opens it in the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
kyv_install_packages
kyv_build
mkdir -p "$KYV_ROOT/demo"
DEMO="$KYV_ROOT/demo/Demo.KYV"
[ -f "$DEMO" ] || "$KYV_BUILD/src/cli/kyv-cli" new "$DEMO"
"$KYV_BUILD/src/cli/kyv-cli" info "$DEMO"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo >&2
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the program cannot" >&2
  echo "open its window. Run this from a desktop session, or over ssh with X forwarding" >&2
  echo "(ssh -X). The program is built at $KYV_BUILD/src/app/kyv; kyv-cli works without a display." >&2
  exit 1
fi
exec "$KYV_BUILD/src/app/kyv" "$DEMO"
