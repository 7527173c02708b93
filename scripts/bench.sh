#!/usr/bin/env bash
# Our GetNMEA against the peers on one workload, in one run: builds the Release benchmarks in
# build-bench, checks that every program writes the same cycle, then runs limit_c, the Node and
# Python peers and our benchmark in interleaved rounds and prints ns per epoch and the ratios;
# last, Transmit to a pty beside write(2), with limit_c's builder in front of write(2) as a bound.
#
# Usage: scripts/bench.sh                      (defaults below)
#        RUNS=7 N_C=2000000 N_NODE=100000 N_PY=20000 scripts/bench.sh
#        NORV_BENCH_PEERS=/path/to/bench-peers scripts/bench.sh
# The peers' directory may be read-only: they are copied into build-bench/peers and built there.
# The Node peer needs its npm package (nmea-simple 3.3.0): `npm ci` fetches it from the npm
# registry once; without it the Node rows are left out.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
peers_src=${NORV_BENCH_PEERS:-"$(dirname "$0")/../../shared/bench-peers"}
peers_src=$(cd "$peers_src" && pwd)
build=$here/build-bench
out=$here/bench-out
RUNS=${RUNS:-5}
N_C=${N_C:-1000000}
N_NODE=${N_NODE:-200000}
N_PY=${N_PY:-50000}
MIN_TIME=${MIN_TIME:-1}

echo "== build (Release, -O2 like limit_c)"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
  -DNORV_BUILD_BENCH=ON -DNORV_BUILD_TESTS=OFF -DNORV_BUILD_APP=OFF "-DNORV_BENCH_PEERS=$peers_src" \
  -DNORV_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target norv_sentences_bench norv_transmit_bench >/dev/null
ours=$build/bin/norv_sentences_bench

peers=$build/peers
mkdir -p "$peers" "$out"
cp -f "$peers_src"/limit_c.c "$peers_src"/Makefile "$peers_src"/peer_*.* "$peers_src"/package*.json "$peers"/
make -s -C "$peers" build/limit_c
node_ok=0
if command -v node >/dev/null; then
  if [ -d "$peers/node_modules/nmea-simple" ] ||
     (cd "$peers" && npm ci --no-audit --no-fund >/dev/null 2>&1); then
    node_ok=1
  else
    echo "note: npm ci failed (no npm registry?); the Node peer is left out"
  fi
fi

echo "== machine"
echo "nproc: $(nproc); $(grep -m1 'model name' /proc/cpuinfo); load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "gcc: $(gcc -dumpfullversion)  python: $(python3 --version 2>&1)  node: $(node --version 2>/dev/null || echo none)"

echo "== one cycle each, compared with limit_c"
"$peers"/build/limit_c 1 "$out"/limit_c.nmea >/dev/null
python3 "$peers"/peer_python.py 1 "$out"/peer_python.nmea >/dev/null
cmp "$out"/limit_c.nmea "$out"/peer_python.nmea && echo "peer_python: byte-identical"
if [ "$node_ok" = 1 ]; then
  (cd "$peers" && node peer_node_nmea_simple.js 1 "$out"/peer_node_plain.nmea --plain >/dev/null)
  cmp "$out"/limit_c.nmea "$out"/peer_node_plain.nmea && echo "peer_node_plain: byte-identical"
fi
# Our benchmark refuses to run unless its epoch equals this cycle byte for byte.
export NORV_PEER_CYCLE=$out/limit_c.nmea
"$ours" --benchmark_filter=NONE 2>&1 | grep -i epoch

run_ours() {
  "$ours" --benchmark_filter='^BM_GetNMEA_PeerWorkload$' --benchmark_min_time="$MIN_TIME" \
    --benchmark_format=json 2>/dev/null |
    python3 -c 'import json,sys; b=json.load(sys.stdin)["benchmarks"][0]; print("peer=ours ns_per_cycle=%.1f allocs=%.2f" % (b["real_time"], b["allocs"]))'
}

echo "== $RUNS interleaved rounds"
: > "$out"/rounds.txt
for r in $(seq "$RUNS"); do
  {
    echo "round=$r $("$peers"/build/limit_c "$N_C")"
    echo "round=$r $(run_ours)"
    if [ "$node_ok" = 1 ]; then
      echo "round=$r $(cd "$peers" && node peer_node_nmea_simple.js "$N_NODE")"
      echo "round=$r $(cd "$peers" && node peer_node_nmea_simple.js "$N_NODE" --plain)"
    fi
    echo "round=$r $(python3 "$peers"/peer_python.py "$N_PY")"
  } | tee -a "$out"/rounds.txt | sed 's/^/   /'
done

echo "== summary (median over rounds; ratios taken within each round)"
python3 - "$out"/rounds.txt <<'EOF' | tee "$out"/summary.txt
import collections, statistics, sys
rounds = collections.defaultdict(dict)
for line in open(sys.argv[1]):
    kv = dict(item.split("=", 1) for item in line.split() if "=" in item)
    if "peer" not in kv or "ns_per_cycle" not in kv:
        continue
    name = kv["peer"]
    if name == "peer_node_nmea_simple" and "plain" in line:
        name = "peer_node_plain"
    rounds[kv["round"]][name] = float(kv["ns_per_cycle"])
    if "memcpy_ns_per_cycle" in kv:
        rounds[kv["round"]]["memcpy floor"] = float(kv["memcpy_ns_per_cycle"])
names = ["memcpy floor", "limit_c", "ours", "peer_node_nmea_simple", "peer_node_plain", "peer_python"]
def spread(values):
    return f"{statistics.median(values):10.1f}  ({min(values):.1f} .. {max(values):.1f})"
print(f"{'program':<24}{'ns/epoch median':>16}  (min .. max)")
for n in names:
    values = [r[n] for r in rounds.values() if n in r]
    if values:
        print(f"{n:<24}{spread(values)}")
def ratio(a, b):
    values = [r[a] / r[b] for r in rounds.values() if a in r and b in r]
    return spread(values) if values else "n/a"
print()
print(f"{'ours / limit_c':<24}{ratio('ours', 'limit_c')}")
print(f"{'node / ours':<24}{ratio('peer_node_nmea_simple', 'ours')}")
print(f"{'node plain / ours':<24}{ratio('peer_node_plain', 'ours')}")
print(f"{'python / ours':<24}{ratio('peer_python', 'ours')}")
EOF

echo "== Transmit to a pty beside write(2) of the same bytes (throughput ratios, median of batches)"
"$build"/bin/norv_transmit_bench --benchmark_filter='^BM_Transmit_vs_RawWrite_Pty' \
  --benchmark_format=json 2>/dev/null | tee "$out"/transmit.json |
  python3 -c '
import json, sys
b = json.load(sys.stdin)["benchmarks"][0]
for key in ("raw_MBps", "send_over_raw", "transmit_over_raw", "limit_c_build_write_over_raw"):
    if key in b:
        print(f"{key:<32}{b[key]:8.2f}")'
