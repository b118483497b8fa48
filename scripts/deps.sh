# Sourced by run.sh and test.sh: installs the Debian packages that are missing.
KLB_PACKAGES=(cmake g++ make ccache libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n fonts-liberation fonts-dejavu-core
  xvfb xauth poppler-utils qpdf breeze-icon-theme libqt6svg6 clang libclang-rt-14-dev)

klb_install_missing() {
  local missing=()
  for p in "${KLB_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Compiler cache shared by every checkout of the project on this machine:
# paths are taken relative to the checkout, so another clone hits the cache.
# Sets KLB_CACHE_ARGS for the cmake calls.
klb_use_ccache() {
  KLB_CACHE_ARGS=""
  if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$1" CCACHE_NOHASHDIR=true
    KLB_CACHE_ARGS="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  fi
}
