#!/usr/bin/env bash
# Installs what is missing, builds, and shows a demo project.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
kyv_install_packages
kyv_build
mkdir -p "$KYV_ROOT/demo"
"$KYV_BUILD/src/cli/kyv-cli" new "$KYV_ROOT/demo/Demo.KYV"
"$KYV_BUILD/src/cli/kyv-cli" info "$KYV_ROOT/demo/Demo.KYV"
