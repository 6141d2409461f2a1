#!/bin/sh
# A key script is read as it runs: 20 MB of keys (ten million presses of f) go through in a small, fixed
# amount of memory.
set -e
batch="$1"
out=$( (ulimit -v 250000; yes f | head -c 20000000 | "$batch") | tail -n 20)
echo "$out" | grep -qx "title: CorvelXMem \[f\]" || { echo "unexpected output: $out"; exit 1; }
# An unknown key stops the run where it stands (exit status 2), with no state block.
err=$(printf '1 2 +\nENTER\n\001bad 3\n' | "$batch" 2>&1 >/dev/null) || rc=$?
[ "$rc $err" = '2 corvelxmem-batch: unknown key name: \x01bad' ] || { echo "unexpected: $rc $err"; exit 1; }
[ -z "$(printf 'ENTER zz 3\n' | "$batch" 2>/dev/null)" ] || { echo "a state block after an unknown key"; exit 1; }
# A script of any shape is read in chunks, in little memory: a 50 MB comment line, 100 MB of lines, and a
# 50 MB key, unknown at once and shown cut.
big() { head -c "$1" /dev/zero | tr '\0' "$2"; }
x3() { grep -qx 'X: 3' || { echo "$1: not read to its end"; exit 1; }; }
(ulimit -v 32768; { printf '#'; big 50000000 x; printf '\n1 ENTER 2 +\n'; } | "$batch") | x3 "one long line"
(ulimit -v 32768; { yes '# a line of comment' | head -c 100000000; printf '\n1 ENTER 2 +\n'; } | "$batch") | x3 "lines"
set +e
err=$( (ulimit -v 32768; big 50000000 x | "$batch" 2>&1 >/dev/null) )
[ "$err" = "corvelxmem-batch: unknown key name: $(big 80 x)" ] || { echo "unexpected error: $(echo "$err" | head -c 200)"; exit 1; }
# A script that cannot be read ends the run with its reason and no state block.
out=$("$batch" 2>&1 </)
[ "$?$out" = "2corvelxmem-batch: cannot read the key script: Is a directory" ] || { echo "unreadable script: $out"; exit 1; }
# --stop-after takes plain digits from 1 to 10^15 only.
for n in ' 5' +5 -1 0 5x '' 1000000000000001 18446744073709551616; do
    "$batch" --stop-after "$n" 1 >/dev/null 2>&1
    [ $? -eq 2 ] || { echo "--stop-after '$n' was taken"; exit 1; }
done
"$batch" --stop-after 1000000000000000 1 >/dev/null || { echo "--stop-after 10^15 refused"; exit 1; }
# So does --break, from 1 to 999.
for n in ' 5' +5 -1 0 1000 5x ''; do
    "$batch" --break "$n" 1 >/dev/null 2>&1
    [ $? -eq 2 ] || { echo "--break '$n' was taken"; exit 1; }
done
"$batch" --break 005 1 >/dev/null || { echo "--break 005 refused"; exit 1; }
# A CR in a file name is no break between message lines: it prints as \x0D.
"$batch" --answer yes --answer "$(printf 'a\rb.corvel')" g ENTER |
    grep -qxF 'file [File Selection Dialog Box] -> a\x0Db.corvel' || { echo "a CR in a name not escaped"; exit 1; }
# A file size limit makes a save fail and say so (no signal ends the run), and the empty file the dialog
# made for it goes again.
dir=$(mktemp -d)
out=$(cd "$dir" && ulimit -f 1 && "$batch" --answer yes --answer new.dax f ENTER)
[ "$?" -eq 0 ] && echo "$out" | grep -qx 'message \[File Input Error\] Error in writing to file .*new.dax' &&
    [ -z "$(ls -A "$dir")" ] || { echo "size limit: $(ls -A "$dir") $out"; rm -rf "$dir"; exit 1; }
rm -rf "$dir"
