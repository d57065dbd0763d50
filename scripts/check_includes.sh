#!/usr/bin/env bash
# Fails on an #include "..." that crosses the allowed arrows between the
# source folders (cmake/layers.txt). A folder is platform/<area>,
# mainwindow/run or a top-level folder; a file may always include from its
# own folder. Tests and benchmarks are white-box and not checked.
set -euo pipefail
cd "$(dirname "$0")/.."

# The one table of arrows, which the build also makes its libraries from.
ALLOWED=$(grep -v '^#' cmake/layers.txt)

git grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' -- '*.h' '*.cpp' ':!tests' ':!bench' |
  awk -v allowed="$ALLOWED" '
    # The deepest folder of the table that holds `path`, else its top folder.
    function folder(path,    best, f) {
      best = ""
      for (f in known)
        if (index(path, f "/") == 1 && length(f) > length(best)) best = f
      if (best != "") return best
      if (path ~ /\//) { split(path, p, "/"); return p[1] }
      return "."
    }
    BEGIN {
      n = split(allowed, rows, "\n")
      for (i = 1; i <= n; i++) {
        if (split(rows[i], f, " ") == 0) continue
        from = f[1]; sub(/:$/, "", from); known[from] = 1
        for (j = 2; j in f; j++) may[from, f[j]] = 1
      }
    }
    {
      file = $0; sub(/:.*/, "", file)
      target = $0; sub(/^[^"]*"/, "", target); sub(/".*/, "", target)
      if (target !~ /\//) next  # a file-relative include
      from = folder(file); to = folder(target)
      if (from == to || (from, to) in may) next
      printf "%s: includes %s (%s may not use %s)\n", file, target, from, to
      bad++
    }
    END {
      if (bad) { printf "check_includes: %d include(s) cross the allowed arrows\n", bad > "/dev/stderr"; exit 1 }
      print "check_includes: every include follows the allowed arrows"
    }'
