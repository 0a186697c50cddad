# SPDX-License-Identifier: GPL-3.0-or-later
# Shared steps of the start and test scripts; sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
SANITIZE_BUILD_DIR="${SANITIZE_BUILD_DIR:-$ROOT/build-hardening}"
# The clang of the sanitizer build and the fuzz targets; packages.txt names its packages with it.
export HSPRING_CLANG_VERSION="${HSPRING_CLANG_VERSION:-14}"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the packages of packages.txt that are not installed yet, once per run of the scripts:
# the scripts that scripts/test runs after it find them checked.
install_missing_packages() {
    [ -z "${HSPRING_PACKAGES_CHECKED:-}" ] || return 0
    local wanted missing=()
    wanted=$(grep -v '^\s*#' "$ROOT/packages.txt" | grep -v '^\s*$' |
        sed "s/\$HSPRING_CLANG_VERSION/$HSPRING_CLANG_VERSION/g")
    for pkg in $wanted; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update
        as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y --no-install-recommends "${missing[@]}"
    fi
    export HSPRING_PACKAGES_CHECKED=1
}

# Configures (once) and builds the project in $BUILD_DIR.
build_project() {
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    fi
    cmake --build "$BUILD_DIR"
}

# Configures (once) the sanitizer build in $SANITIZE_BUILD_DIR: clang with AddressSanitizer,
# UndefinedBehaviorSanitizer and libFuzzer's coverage on every object, so that one build of the
# core serves the sanitizer suite (scripts/test-sanitizers) and the fuzz targets (scripts/fuzz).
# A folder configured earlier with another compiler is configured anew.
configure_sanitizer_build() {
    local cache="$SANITIZE_BUILD_DIR/CMakeCache.txt"
    if [ -f "$cache" ] && ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang' "$cache"; then
        echo "Configuring $SANITIZE_BUILD_DIR anew with clang"
        rm -rf "$cache" "$SANITIZE_BUILD_DIR/CMakeFiles" "$SANITIZE_BUILD_DIR/build.ninja"
    fi
    if [ ! -f "$SANITIZE_BUILD_DIR/build.ninja" ]; then
        cmake -S "$ROOT" -B "$SANITIZE_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_CXX_COMPILER="clang++-$HSPRING_CLANG_VERSION" -DHSPRING_SANITIZE=ON
    fi
}
