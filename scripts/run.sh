#!/usr/bin/env bash
# Installs what Mirtal needs, builds it and starts it. The data folder is the
# folder named by MIRTAL_DATA, or ~/Mirtal; it is created when missing, and
# Mirtal keeps its databases there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

./scripts/setup.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/mirtal-ccache}"
# A configured build tree re-runs its own configure step when a build file changes.
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target mirtal -j "$(nproc)"

data="${MIRTAL_DATA:-$HOME/Mirtal}"
mkdir -p "$data"
cd "$data"
exec "$root/build/bin/mirtal"
