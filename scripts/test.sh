#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
kyv_install_packages
kyv_build -DKYV_WERROR=ON
cmake --build "$KYV_BUILD" --target format-check
cd "$KYV_BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
