#!/usr/bin/env bash
# ejecuta.sh TARGET SCRATCH CORPUS [libFuzzer options...]
# Runs a fuzz target over its seed corpus. What the run finds goes to SCRATCH (emptied first, so
# that a seeded run always starts from the same inputs); a crashing input is kept in SCRATCH too.
set -euo pipefail
objetivo=$1 trabajo=$2 semillas=$3
shift 3
rm -rf "$trabajo"
mkdir -p "$trabajo/nuevos"
exec "$objetivo" -artifact_prefix="$trabajo/" -print_final_stats=0 "$@" "$trabajo/nuevos" "$semillas"
