#!/usr/bin/env bash
# Measures the hub bytes each kind's bundled drivers and media add to a program, for the
# figures in src/model/KindRegistry.cpp. Not part of the build or of CI (CI has no FlexSpin).
#
#   scripts/measure_driver_sizes.sh [flexspin] [include folder]
#
# Each kind's driver test program (resources/drivers/tests/, which calls every public method,
# so no method is left out as unused) is compiled at -O1 and the size of a program without the
# driver is taken off: an empty main, plus the serial terminal when the test uses it. The
# figures so lean high, which is the safe side for a fit check.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
FLEXSPIN="${1:-${KYV_FLEXSPIN:-flexspin}}"
INCLUDE="${2:-$(dirname "$(dirname "$(command -v "$FLEXSPIN")")")/include}"

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cp "$ROOT"/resources/drivers/* "$WORK"/ 2>/dev/null || true
cp "$ROOT"/resources/drivers/tests/*.spin2 "$WORK"/
printf 'PUB main()\n  repeat\n' >"$WORK/empty_main.spin2"

program_size() {
  (cd "$WORK" && "$FLEXSPIN" -2 -O1 -L "$INCLUDE" "$1" 2>&1) |
    sed -n 's/^Program size is \([0-9]*\) bytes$/\1/p'
}

EMPTY=$(program_size empty_main.spin2)
SERIAL=$(program_size SimplerSerial_test.spin2)

# kind:the test program that stands for its drivers and media[:bytes of the test's own
# buffers, taken off too]. The camera test captures into a 320x240 RGB565 frame of its own; a
# project's camera fills the QVGA object's picture instead.
MEASURED=(
  "Simple VGA:VGA_SimpleDriver1a_test.spin2"
  "I2C Bus and Scanner:vn_i2c_scanner_test.spin2"
  "Neopixel:vn_rgbx_pixel_kdz_test.spin2"
  "Real Time Clock:rtc_DS1339_test.spin2"
  "Simple Sound:simplesound_test.spin2"
  "Hobby Servo:vn_servo_test.spin2"
  "Analog To Digital Smart Pin:adc_test.spin2"
  "USB Keyboard and/or Mouse:1CogKbM_kdz3b_NoErrorLed_test.spin2"
  "Simple QVGA:QVGA_16bpp_test.spin2"
  "DVP Camera:CameraCapture_test.spin2:153600"
  "Simple HDMI:HDMI_Simple1c_test.spin2"
  "SD card (FSRW):fsrw_test.spin2"
  "SD card (FAT32):FAT32_test.spin2"
)

echo "empty main program: $EMPTY bytes; serial terminal: $((SERIAL - EMPTY)) bytes"
printf '%-32s %-40s %10s\n' "kind" "test program" "hub bytes"
for entry in "${MEASURED[@]}"; do
  IFS=: read -r kind test own <<<"$entry"
  size=$(program_size "$test")
  base=$EMPTY
  grep -q '"SimplerSerial"' "$WORK/$test" && base=$SERIAL
  printf '%-32s %-40s %10d\n' "$kind" "$test" $((size - base - ${own:-0}))
done
