#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs (when missing) and configures and builds
# everything into build/. Run as root on a fresh machine; later runs only rebuild. Arguments
# are passed to CMake's configure step (e.g. -DSTEAM_WARNINGS_AS_ERRORS=ON).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev libglx-dev libvulkan-dev
    libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev
    fonts-wqy-microhei fonts-dejavu-core
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build build -j"$(nproc)"
