#!/bin/sh
# Benchmark of the Linux edition's backup and compaction against cp and
# sqlite3, printed as ratios measured in the same run (not part of the
# tests). Builds the libraries with the release preset (build/release).
#
# usage: bench/linux/maintenance.sh [folder for the big files] [backup MiB] [rounds]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/release"
(cd "$root" && cmake --preset release >/dev/null &&
   cmake --build --preset release --target korvane_linux_services >/dev/null)
c++ -std=c++20 -O2 -I"$root/src" "$root/bench/linux/maintenance_bench.cpp" -o "$build/maintenance_bench" \
  "$build/src/linux/services/libkorvane_linux_services.a" "$build/src/libkorvane_core.a" -lsqlite3
exec "$build/maintenance_bench" "$@"
