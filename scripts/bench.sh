#!/usr/bin/env bash
# Runs every benchmark program; each prints its figures beside the peer it is compared with.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
for b in "$build"/bench/*; do
    [ -x "$b" ] && [ -f "$b" ] || continue
    echo "== $(basename "$b")"
    "$b"
done
