#!/usr/bin/env bash
# A second build with AddressSanitizer and UndefinedBehaviorSanitizer (Debug) into
# build-sanitize/, of the core and the command line only, and their tests. The tables are
# taken from build/ (run scripts/test.sh or scripts/setup.sh first) instead of being
# generated again under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/bin/swater.sqlite ]; then
    echo "sanitize.sh: no tables in build/bin; run scripts/setup.sh first" >&2
    exit 1
fi
cmake --preset sanitizers -DSTEAM_TABLES_FROM="$PWD/build/bin" -DSTEAM_SKIP_DIRS="tests/tables"
cmake --build build-sanitize -j"$(nproc)" --target iapws_tests data_tests numeric_tests search_tests calc_tests \
    cycle_tests panels_tests diagram_tests cli_tests steamcalc tables
cd build-sanitize
ctest --output-on-failure -j"$(nproc)" -L '^(iapws|data|numeric|search|calc|cycle|panels|diagram|cli)$'
