#!/usr/bin/env bash
# Checks that the C++ lines changed since a base commit follow .clang-format.
# Only changed lines are checked, so older code need not be reformatted.
# The base is $VORRAK_FORMAT_BASE, else the commit before HEAD.
# Usage: scripts/check-format.sh [BASE]
set -euo pipefail
cd "$(dirname "$0")/.."

if ! git rev-parse --git-dir > /dev/null 2>&1; then
    echo "check-format: not a git checkout, nothing to compare with"
    exit 0
fi
base=${1:-${VORRAK_FORMAT_BASE:-HEAD~1}}
if ! git rev-parse --verify --quiet "$base^{commit}" > /dev/null; then
    echo "check-format: base $base is not in this checkout (a shallow clone?), nothing to compare with"
    exit 0
fi

out=$(git clang-format --binary clang-format --diff --extensions cpp,h "$base" -- 2>&1) || true
case "$out" in
    "" | "no modified files to format" | "clang-format did not modify any files")
        echo "check-format: the C++ lines changed since $(git rev-parse --short "$base") are formatted"
        ;;
    *)
        printf '%s\n' "$out"
        echo "check-format: the lines above differ from .clang-format; run: git clang-format $base" >&2
        exit 1
        ;;
esac
