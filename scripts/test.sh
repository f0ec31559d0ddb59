#!/usr/bin/env bash
# Builds the project and runs every test headless; ends non-zero on any
# failure. Each stage below is a script of its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" --tests

stages=(check-format.sh test-unit.sh test-sanitizers.sh test-fuzz.sh test-install.sh test-package.sh)
for stage in "${stages[@]}"; do
    if [ -x "$top/scripts/$stage" ]; then
        echo "=== $stage"
        "$top/scripts/$stage"
    fi
done
