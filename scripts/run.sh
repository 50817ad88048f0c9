#!/usr/bin/env bash
# Installs what is missing, builds, and opens the Robot example in the program. The first run
# copies the example to demo/, so the example stays clean and later runs keep your changes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
kyv_install_packages
kyv_build
CLI="$KYV_BUILD/src/cli/kyv-cli"
mkdir -p "$KYV_ROOT/demo"
DEMO="$KYV_ROOT/demo/Robot.KYV"
[ -f "$DEMO" ] || cp "$KYV_ROOT/examples/Robot/Robot.KYV" "$DEMO"

echo
"$CLI" info "$DEMO"
echo "Checks (kyv-cli check):"
# check exits with 1 when it finds an error; the findings are printed either way.
findings="$("$CLI" check "$DEMO" || true)"
echo "${findings:-  no problems found}"
echo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<EOF
No display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the program cannot open its
window. Run this from a desktop session, or over ssh with X forwarding (ssh -X).

Without a display, generate and build the example from the command line:
  $CLI generate $DEMO
  (cd $KYV_ROOT/demo && ./build.sh)
build.sh runs flexspin from PATH and writes demo/Robot.binary; with a P2 board on USB,
demo/load.sh loads it with loadp2 and opens the terminal.
EOF
  exit 1
fi

cat <<EOF
Kyv opens demo/Robot.KYV on its "Object List" tab. Next steps, on the "P2 Code Generator" tab:
  1: Generate Code  writes demo/Robot.spin2, build.sh, load.sh and the driver files
  2: Compile        builds demo/Robot.binary with FlexSpin; "Build Output" shows the program size
  Simulate          coming: runs the program without a board once the simulator is in
With a P2 board on USB, "3: Load P2" then loads the program and opens the terminal.
EOF
exec "$KYV_BUILD/src/app/kyv" --object-list "$DEMO"
