#!/usr/bin/env bash
# Makes the example projects with kyv-cli, the way a user would: the project settings from a
# small JSON text, then every object through its editor's OK ("kyv-cli add"), so the pins are
# claimed and the registers calculated exactly as the dialogs do it.
#
#   examples/make_examples.sh KYV-CLI [OUT-DIR]
#
# writes OUT-DIR/<Name>/<Name>.KYV for every example (OUT-DIR defaults to this folder). The tool
# folders are left empty, so the projects call flexspin and loadp2 from PATH on every machine.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 KYV-CLI [OUT-DIR]" >&2
  exit 2
fi
KYV_CLI="$1"
OUT="${2:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# start NAME CLOCK [EXTRA-JSON]: a new project with that clock and no remembered tool folders.
start() {
  local name="$1" clock="$2" extra="${3:-}"
  mkdir -p "$OUT/$name"
  PROJECT="$OUT/$name/$name.KYV"
  cat >"$WORK/$name.json" <<JSON
{
  "clockFreq": "$clock",
  "flexSpinPath": "", "loadP2Path": "", "libraryPath": "", "flexOptions": "", "plan9Path": ""
  $extra
}
JSON
  rm -f "$PROJECT"
  "$KYV_CLI" import "$WORK/$name.json" "$PROJECT"
}

# add KIND [--set KEY=VALUE]...: one object, as its dialog's OK adds it.
add() {
  "$KYV_CLI" add "$PROJECT" "$@" >/dev/null
}

# Serial only: the main loop prints a counter.
start Hello 160_000_000

start Robot 200_000_000
add servo --set iOPin=16
add servo --set iOPin=17
add neopixel --set iOPin=18 --set ledsInString=8 --set cycleRandomColors=1
add i2c --set sclPin=20 --set sdaPin=21 --set internalPullups="1.5 kOhm"
add rtc
add digital --set iOPin=22 --set outStartState=High --set "outHighStateDrive=15 kOhm" \
  --set showINStateInLoop=1
add nco --set iOPin=24 --set desiredFrequencyHz=40_000

start Display 200_000_000
add vga --set basepin=48
add neopixel --set iOPin=18 --set ledsInString=8 --set cycleRandomColors=1

start Sound 200_000_000
add sound --set leftIOPin=14 --set rightIOPin=15 --set playPyrModMusicFileAtStart=1 \
  --set playRandomSoundEffects=1

start Logger 200_000_000 ', "mountSd": 1'
add i2c --set sclPin=20 --set sdaPin=21 --set internalPullups="1.5 kOhm"
add rtc
add adc --set iOPin=40 --set filter=SINC2 --set sampleClocks=6
