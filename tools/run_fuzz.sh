#!/bin/sh
# Fuzzes the engine and the readers of outside bytes (Registered.txt, the
# profile file, EditorStyle.dat, the document codec): builds the targets with
# clang, AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz/, runs
# fuzz_evaluate for FUZZ_SECONDS (60) and each reader for
# READER_FUZZ_SECONDS (15), and fails on any crash, leak, timeout or
# sanitizer report. Without clang or libFuzzer it says so and succeeds, so
# the test command still runs.
#   FUZZ_SECONDS   seconds of fuzzing the engine (default 60)
#   READER_FUZZ_SECONDS seconds of fuzzing each reader (default 15)
#   FUZZ_BUILD_DIR build tree (default build-fuzz beside the sources)
#   extra arguments are passed to the fuzzer (e.g. -jobs=1 -workers=1)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
reader_seconds=${READER_FUZZ_SECONDS:-15}
readers="registered profile editor_style text_codec"

skip() {
    echo "run_fuzz: SKIPPED: $1; the fuzz target was not run"
    exit 0
}

command -v clang++ >/dev/null 2>&1 || skip "clang++ is not installed"
probe_dir=$(mktemp -d)
trap 'rm -rf "$probe_dir"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$probe_dir/probe.cpp"
clang++ -fsanitize=fuzzer,address,undefined "$probe_dir/probe.cpp" -o "$probe_dir/probe" \
    >/dev/null 2>&1 || skip "clang++ cannot link libFuzzer with the sanitizers"

cmake -S "$root" -B "$build" -DTALLYRIX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz_evaluate $(for r in $readers; do printf ' fuzz_%s' "$r"; done) -j2

# New inputs go to the build tree; the seeds in the sources stay as they are.
mkdir -p "$build/corpus" "$build/artifacts"
cd "$build"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
"$build/tests/fuzz/fuzz_evaluate" -max_total_time="$seconds" -timeout=10 \
    -dict="$root/tests/fuzz/evaluate.dict" -artifact_prefix="$build/artifacts/" \
    -print_final_stats=1 "$@" "$build/corpus" "$root/tests/fuzz/corpus" || status=$?
for reader in $readers; do
    [ "$status" -ne 0 ] && break
    mkdir -p "$build/corpus_$reader"
    "$build/tests/fuzz/fuzz_$reader" -max_total_time="$reader_seconds" -timeout=10 -max_len=4096 \
        -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$@" \
        "$build/corpus_$reader" "$root/tests/fuzz/corpus_$reader" || status=$?
done
if [ "$status" -ne 0 ]; then
    echo "run_fuzz: FAILED (status $status); the input is in $build/artifacts/" >&2
    exit 1
fi
echo "run_fuzz: no finding in $seconds seconds (engine) and $reader_seconds seconds per reader"
