#!/usr/bin/env bash
# Measures what docs/ reports and writes it there: the accuracy report against IAPWS-95
# (docs/accuracy.md) and the benchmarks (docs/speed.md), from a Release build with the
# benchmarks. Takes about ten minutes on 2 cores; run it on an otherwise idle machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh -DSTEAM_BUILD_BENCHMARKS=ON
mkdir -p docs
bin=build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/accuracy_report" 20000 4000 2000 --markdown="$work/accuracy.md" > /dev/null
{
    echo "# Accuracy against IAPWS-95"
    echo
    echo "Written by \`scripts/measure.sh\` (\`accuracy_report 20000 4000 2000\`); do not edit by hand."
    echo
    cat "$work/accuracy.md"
} > docs/accuracy.md

"$bin/core_bench" --markdown="$work/core.md" > /dev/null
"$bin/batch_bench" --markdown="$work/batch.md" > /dev/null
QT_QPA_PLATFORM=offscreen "$bin/diagram_bench" --markdown="$work/diagram.md" > /dev/null
{
    echo "# Speed"
    echo
    echo "Written by \`scripts/measure.sh\` from the benchmark programs; do not edit by hand."
    echo
    cat "$work/core.md"
    echo
    cat "$work/batch.md"
    echo
    cat "$work/diagram.md"
} > docs/speed.md
echo "wrote docs/accuracy.md and docs/speed.md"
