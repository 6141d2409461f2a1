#!/usr/bin/env bash
# Builds CorvelXMem if needed and opens the calculator window.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
exec ./build/corvelxmem "$@"
