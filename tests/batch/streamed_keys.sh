#!/bin/sh
# A key script is read as it runs: 20 MB of keys (ten million presses of f)
# go through in a small, fixed amount of memory.
set -e
batch="$1"
out=$( (ulimit -v 250000; yes f | head -c 20000000 | "$batch") | tail -n 20)
echo "$out" | grep -qx "title: CorvelXMem \[f\]" || { echo "unexpected output: $out"; exit 1; }
# An unknown key stops the run where it stands, with no state block.
set +e
err=$(printf '1 2 +\nENTER\n\001bad 3\n' | "$batch" 2>&1 >/dev/null)
rc=$?
set -e
[ "$rc" -eq 2 ] || { echo "exit status $rc, expected 2"; exit 1; }
[ "$err" = 'corvelxmem-batch: unknown key name: \x01bad' ] || { echo "unexpected error: $err"; exit 1; }
[ -z "$(printf 'ENTER zz 3\n' | "$batch" 2>/dev/null)" ] || { echo "a state block after an unknown key"; exit 1; }
