# Shared by run.sh and test.sh: install what is missing, then configure and build into build/.
# Safe to run again: installed packages are skipped and the build is incremental.

KYV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KYV_BUILD="$KYV_ROOT/build"
KYV_PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-serialport-dev
  libgl-dev libgit2-dev desktop-file-utils clang-format)

kyv_install_packages() {
  local missing=()
  local pkg
  for pkg in "${KYV_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing ${missing[*]} ..."
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# kyv_build [extra cmake arguments...]
kyv_build() {
  cmake -S "$KYV_ROOT" -B "$KYV_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$KYV_BUILD" -j "$(nproc)"
}
