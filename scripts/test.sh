#!/usr/bin/env bash
# Builds everything (installing missing packages) with warnings as errors and runs every test,
# then runs the core and command-line tests again in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer (scripts/sanitize.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh -DSTEAM_WARNINGS_AS_ERRORS=ON
(
    export QT_QPA_PLATFORM=offscreen
    cd build
    ctest --output-on-failure -j"$(nproc)"
)
bash scripts/sanitize.sh
