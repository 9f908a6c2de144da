#!/usr/bin/env bash
# Every replace-write reaches the disk before it replaces anything: traced
# with strace, the temporary file is synced before it is renamed over the
# file, and the folder is synced after the rename, for the history (record
# and import) and the pool file.
#   durable_write_test.sh ORVANE SAMPLE_HISTORY
set -euo pipefail
orvane=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
command -v strace >/dev/null || { echo "strace is missing (scripts/install-deps.sh installs it)"; exit 1; }

# LeakSanitizer cannot stop a traced process's threads: a sanitized build runs
# traced without it.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

traced() {
  local name=$1; shift
  strace -f -qq -e trace=openat,fsync,fdatasync,close,rename,renameat,renameat2 -o "$work/$name.trace" "$@" >/dev/null
  python3 - "$work/$name.trace" "$name" <<'PY'
import re, sys
path, name = sys.argv[1], sys.argv[2]
opened = {}        # (pid, fd) -> path
synced = set()     # paths whose file was synced while open
renamed = []       # target paths, in order
folder_synced_after = {}
problems = []
for line in open(path):
    m = re.match(r'(\d+)\s+(\w+)\((.*)\)\s+=\s+(-?\d+)', line)
    if not m:
        continue
    pid, call, args, result = m.group(1), m.group(2), m.group(3), int(m.group(4))
    if call == 'openat' and result >= 0:
        opened[(pid, result)] = (re.search(r'"([^"]*)"', args).group(1), 'O_DIRECTORY' in args)
    elif call in ('fsync', 'fdatasync') and result == 0:
        fd = int(args.split(',')[0])
        target, is_folder = opened.get((pid, fd), ('?', False))
        if is_folder:
            for t in renamed:
                folder_synced_after[t] = True
        else:
            synced.add(target)
    elif call == 'close':
        opened.pop((pid, int(args)), None)
    elif call.startswith('rename') and result == 0:
        names = re.findall(r'"([^"]*)"', args)
        source, target = names[0], names[-1]
        if source.endswith('.tmp'):
            if source not in synced:
                problems.append(f'{source} was renamed over {target} before it was synced')
            renamed.append(target)
if not renamed:
    problems.append('no temporary file was renamed into place')
for t in renamed:
    if not folder_synced_after.get(t):
        problems.append(f'the folder of {t} was not synced after the rename')
for p in problems:
    print(f'{name}: {p}')
sys.exit(1 if problems else 0)
PY
}

cp "$sample" "$work/FL6-49.HIT"
traced record "$orvane" record --history "$work/FL6-49.HIT" 10 30 99 01 02 03 04 05 06
printf 'Date,1,2,3,4,5,6\n11/16/1999,7,8,9,10,11,12\n' > "$work/draws.csv"
traced import "$orvane" import "$work/draws.csv" --history "$work/FL6-49.HIT"
traced pool "$orvane" pool --trend 3 --groups 5 --size 12 --draws 2 --history "$work/FL6-49.HIT" --save "$work/Pool.GR"
echo "every replace-write synced its file before the rename and its folder after it"
