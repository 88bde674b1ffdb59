#!/usr/bin/env bash
# Builds everything (installing missing packages) and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec build/bin/steamtables "$@"
