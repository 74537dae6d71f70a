#!/usr/bin/env bash
# Checksum speed and memory, each figure beside a reference run made in the same invocation.
#
#   bench/run_bench.sh [--repeat N] [--big-mib N] [--small-files N] [--no-4g]
#
#   --repeat N       runs of every timed command; the best (shortest) counts. Default 2.
#   --big-mib N      size of the big file in MiB. Default 1024 (1 GiB).
#   --small-files N  number of 1 KiB files. Default 20000.
#   --no-4g          skip the 4 GiB memory run (its files are sparse, so it costs no disk).
#
# What it does:
#   1. Builds a Release tree in build-release/ (only what checksum_bench needs).
#   2. Creates the data in a temporary folder ($TMPDIR or /tmp, removed at the end): a big file
#      of random bytes and many 1 KiB files; reads everything once so it sits in the page cache.
#   3. Big file, for each of the eleven algorithm/size choices: our throughput beside
#      `openssl dgst` and the coreutils tool (md5sum, sha1sum, sha224sum … sha512sum; coreutils
#      has no SHA-3 tool), as ratios. Every checksum of ours is compared with openssl's.
#   4. CRC32 beside the raw read of the cached file (dd bs=1M of=/dev/null), judged on the read
#      loops alone (process start-up shown apart), and the CRC-32 libraries (zlib, libdeflate,
#      ISA-L) side by side on a buffer already in memory.
#   5. The small files: FileChecksum over all of them in one process beside sha256sum over the
#      same files, and the same job through the real checksum worker (run_worker_job below).
#   6. Maximum resident memory for a 1 GiB and a 4 GiB file: it must not grow with the size.
#
# Every time is the wall-clock time of the whole command, ours included, so start-up costs
# count the same on both sides (except the CRC32 target, see step 4). MB/s: 10^6 bytes/second.
# Targets: every algorithm >= 0.95 x openssl dgst; CRC32 >= 0.7 x raw read.
# A default run takes about three minutes on two cores (plus the first build).
set -euo pipefail
export LC_ALL=C  # dd's report and awk's numbers in one known format

repeat=2
big_mib=1024
small_files=20000
with_4g=1
while [ $# -gt 0 ]; do
  case "$1" in
    --repeat) repeat="$2"; shift 2 ;;
    --big-mib) big_mib="$2"; shift 2 ;;
    --small-files) small_files="$2"; shift 2 ;;
    --no-4g) with_4g=0; shift ;;
    -h|--help) sed -n '2,/^set -euo/p' "$0" | sed '$d'; exit 0 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-release"
tool="$build/bin/checksum_bench"

step() { printf '\n== %s\n' "$*"; }

step "build: $build"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target checksum_bench job_bench -- -j2 >/dev/null

data="$(mktemp -d "${TMPDIR:-/tmp}/sumvane-bench-XXXXXX")"
trap 'rm -rf "$data"' EXIT
free_kib=$(df -Pk "$data" | awk 'NR == 2 { print $4 }')
if [ "$free_kib" -lt $(( (big_mib + 64) * 1024 + small_files * 8 )) ]; then
  echo "not enough free space in $data" >&2
  exit 1
fi

step "data: $data"
big="$data/big.bin"
small="$data/small"
mkdir "$small"
head -c "$(( big_mib * 1024 * 1024 ))" /dev/urandom >"$big"
"$tool" make-files "$small" "$small_files" 1024
# Read once: every run below finds the data in the page cache.
cat "$big" >/dev/null
find "$small" -type f -print0 | xargs -0 cat >/dev/null
big_bytes=$(stat -c %s "$big")
echo "big file: $big_bytes bytes; small files: $small_files x 1024 bytes"

# Best wall-clock seconds of `repeat` runs of the command; its last output goes to $last_output.
last_output="$data/last-output"
best_seconds() {
  local best="" run start end seconds
  for (( run = 0; run < repeat; run++ )); do
    start=$EPOCHREALTIME
    "$@" >"$last_output"
    end=$EPOCHREALTIME
    seconds=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds
    fi
  done
  echo "$best"
}
mb_per_second() { awk -v b="$1" -v s="$2" 'BEGIN { printf "%.0f", b / s / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
at_least() { awk -v r="$1" -v t="$2" 'BEGIN { exit !(r >= t) }'; }
first_word() { awk 'NR == 1 { print $1 }' "$last_output"; }
our_checksum() { sed -n 's/.*checksum=\([0-9a-f]*\).*/\1/p' "$last_output"; }

# name, AlgorithmIndex, bits, openssl digest, coreutils tool ("-" when there is none)
choices=(
  "CRC32    0 0   -        -"
  "MD5      1 0   md5      md5sum"
  "SHA1     2 0   sha1     sha1sum"
  "SHA2-224 3 224 sha224   sha224sum"
  "SHA2-256 3 256 sha256   sha256sum"
  "SHA2-384 3 384 sha384   sha384sum"
  "SHA2-512 3 512 sha512   sha512sum"
  "SHA3-224 4 224 sha3-224 -"
  "SHA3-256 4 256 sha3-256 -"
  "SHA3-384 4 384 sha3-384 -"
  "SHA3-512 4 512 sha3-512 -"
)

step "big file, best of $repeat runs (MB/s; ratio = ours / reference)"
printf '%-9s %9s %9s %7s %9s %7s  %s\n' algorithm ours openssl ratio coreutils ratio verdict
shortfalls=0
for choice in "${choices[@]}"; do
  read -r name algorithm bits openssl_name coreutils_tool <<<"$choice"
  ours_s=$(best_seconds "$tool" hash "$algorithm" "$bits" "$big")
  ours_sum=$(our_checksum)
  ours=$(mb_per_second "$big_bytes" "$ours_s")
  if [ "$openssl_name" = "-" ]; then
    printf '%-9s %9s %9s %7s %9s %7s  %s\n' "$name" "$ours" - - - - "see CRC32 below"
    continue
  fi
  openssl_s=$(best_seconds openssl dgst -r "-$openssl_name" "$big")
  openssl_sum=$(first_word)
  openssl_mb=$(mb_per_second "$big_bytes" "$openssl_s")
  openssl_ratio=$(ratio "$openssl_s" "$ours_s")
  coreutils_mb=- coreutils_ratio=-
  if [ "$coreutils_tool" != "-" ]; then
    coreutils_s=$(best_seconds "$coreutils_tool" "$big")
    coreutils_mb=$(mb_per_second "$big_bytes" "$coreutils_s")
    coreutils_ratio=$(ratio "$coreutils_s" "$ours_s")
  fi
  verdict="ok (>= 0.95 x openssl)"
  if ! at_least "$openssl_ratio" 0.95; then
    verdict="BELOW 0.95 x openssl"
    shortfalls=$((shortfalls + 1))
  fi
  if [ "$ours_sum" != "$openssl_sum" ]; then
    verdict="CHECKSUM DIFFERS from openssl"
    shortfalls=$((shortfalls + 1))
  fi
  printf '%-9s %9s %9s %7s %9s %7s  %s\n' "$name" "$ours" "$openssl_mb" "$openssl_ratio" \
    "$coreutils_mb" "$coreutils_ratio" "$verdict"
done

# Reading a cached file takes about a tenth of a second, so a few milliseconds of starting a
# process (loading libcrypto, for us) weigh in the whole-process figures. Both are shown; the
# target is judged on the read loops alone: the time checksum_bench measures around FileChecksum
# beside the time dd reports for its own copy.
crc_repeat=$(( repeat > 5 ? repeat : 5 ))
step "CRC32 against the raw read of the cached file, best of $crc_repeat runs"
repeat_before=$repeat
repeat=$crc_repeat
crc_s=$(best_seconds "$tool" hash 0 0 "$big")
read_s=$(best_seconds dd if="$big" bs=1M of=/dev/null status=none)
repeat=$repeat_before
crc_loop_s="" read_loop_s=""
for (( run = 0; run < crc_repeat; run++ )); do
  s=$("$tool" hash 0 0 "$big" | sed -n 's/.*seconds=\([0-9.]*\).*/\1/p')
  crc_loop_s=$(awk -v a="$s" -v b="${crc_loop_s:-1e9}" 'BEGIN { print (a < b ? a : b) }')
  s=$(dd if="$big" bs=1M of=/dev/null 2>&1 | sed -n 's/.* copied, \([0-9.e-]*\) s,.*/\1/p')
  read_loop_s=$(awk -v a="$s" -v b="${read_loop_s:-1e9}" 'BEGIN { print (a < b ? a : b) }')
done
crc_ratio=$(ratio "$read_loop_s" "$crc_loop_s")
verdict="ok (>= 0.7 x raw read)"
if ! at_least "$crc_ratio" 0.7; then
  verdict="BELOW 0.7 x raw read"
  shortfalls=$((shortfalls + 1))
fi
printf 'read loops:      CRC32 %s MB/s, dd %s MB/s, ratio %s  %s\n' \
  "$(mb_per_second "$big_bytes" "$crc_loop_s")" "$(mb_per_second "$big_bytes" "$read_loop_s")" \
  "$crc_ratio" "$verdict"
printf 'whole processes: CRC32 %s MB/s, dd %s MB/s, ratio %s\n' \
  "$(mb_per_second "$big_bytes" "$crc_s")" "$(mb_per_second "$big_bytes" "$read_s")" \
  "$(ratio "$read_s" "$crc_s")"
echo "CRC-32 libraries on 256 MiB in memory, 1 MiB pieces (Crc32Update is what FileChecksum uses):"
"$tool" crc-variants 256 | sed 's/^/  /'

# ---- HOOK: the small-file job through the real checksum worker --------------------------------
# Make this function run one checksum job over every file of folder $1 with AlgorithmIndex $2
# and digest size $3 through the real worker (job_bench: the main window offscreen, the folder
# taken in, Calculate pressed, the main loop run to the end of the job) and print its line with
# "seconds=<wall seconds of the job>", the best of the runs.
run_worker_job() {
  local best="" best_line="" line seconds
  for _ in $(seq "$repeat"); do
    line=$("$build/bin/job_bench" "$@" 2>/dev/null | tail -n1)
    seconds=$(sed -n 's/.*seconds=\([0-9.]*\).*/\1/p' <<<"$line")
    [ -n "$seconds" ] || return 1
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best="$seconds"
      best_line="$line"
    fi
  done
  echo "$best_line"
}
# -----------------------------------------------------------------------------------------------

step "$small_files files of 1 KiB, SHA2-256, best of $repeat runs"
if run_worker_job "$small" 3 256 >"$last_output"; then
  ours_label="checksum worker"
  ours_s=$(sed -n 's/.*seconds=\([0-9.]*\).*/\1/p' "$last_output")
else
  ours_label="FileChecksum in one process (job_bench failed)"
  ours_s=$(best_seconds "$tool" folder 3 256 "$small")
fi
sha256sum_files() { find "$small" -type f -print0 | xargs -0 sha256sum; }
coreutils_s=$(best_seconds sha256sum_files)
printf '%s: %s s (%.0f files/s); sha256sum: %s s (%.0f files/s); ratio %s\n' "$ours_label" \
  "$ours_s" "$(awk -v n="$small_files" -v s="$ours_s" 'BEGIN { print n / s }')" "$coreutils_s" \
  "$(awk -v n="$small_files" -v s="$coreutils_s" 'BEGIN { print n / s }')" \
  "$(ratio "$coreutils_s" "$ours_s")"

step "maximum resident memory by file size (sparse files)"
sizes=(1)
if [ "$with_4g" -eq 1 ]; then
  sizes+=(4)
fi
for gib in "${sizes[@]}"; do
  truncate -s "${gib}G" "$data/sparse-$gib"
done
for choice in "CRC32 0 0" "SHA2-256 3 256"; do
  read -r name algorithm bits <<<"$choice"
  line="$name:"
  for gib in "${sizes[@]}"; do
    "$tool" hash "$algorithm" "$bits" "$data/sparse-$gib" >"$last_output"
    line+=" ${gib} GiB $(sed -n 's/.*max_rss_kib=\([0-9]*\).*/\1/p' "$last_output") KiB;"
  done
  echo "$line"
done

step "summary"
if [ "$shortfalls" -eq 0 ]; then
  echo "every target met"
else
  echo "$shortfalls target(s) missed"
fi
