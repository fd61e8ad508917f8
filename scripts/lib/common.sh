# Shared by the scripts: the project root and the packages a fresh Debian 12 machine needs.

OVX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

OVX_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
    libudev-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth fonts-dejavu-core fonts-wqy-microhei
)

# Installs, with apt-get, only the packages that are missing.
ovx_install_missing() {
    local missing=()
    local p
    for p in "${OVX_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

ovx_jobs() { echo "${OVX_JOBS:-$(nproc 2>/dev/null || echo 2)}"; }
