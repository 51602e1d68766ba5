#!/usr/bin/env bash
# Installs what the tests need (on a fresh Debian machine, as root), builds
# every target and runs every test: natively, under Wine with the Japanese
# code page, the window tests inside Xvfb, and the fuzzers for a bounded time.
# Prints one summary and exits non-zero on any failure.
set -uo pipefail

source "$(dirname "$0")/env.sh"
FUZZ_SECONDS="${ORLAVIX_FUZZ_SECONDS:-20}"

orlavix_install_packages || exit 1
orlavix_configure_build || exit 1

declare -a SUMMARY=()
TOTAL_PASSED=0
TOTAL_FAILED=0
STATUS=0

# Records one gtest run from its log: counts, and a failure when the run
# failed or counted nothing.
record() {
  local name="$1" rc="$2" log="$3" passed failed
  passed=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -n1 | grep -oE '[0-9]+' | head -n1)
  failed=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -n1 | grep -oE '[0-9]+' | head -n1)
  passed=${passed:-0}
  failed=${failed:-0}
  if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
  if [ "$passed" -eq 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
  TOTAL_PASSED=$((TOTAL_PASSED + passed))
  TOTAL_FAILED=$((TOTAL_FAILED + failed))
  [ "$failed" -eq 0 ] || STATUS=1
  SUMMARY+=("$(printf '%-28s %5d passed, %d failed' "$name" "$passed" "$failed")")
  if [ "$failed" -ne 0 ]; then
    grep -E '^\[  FAILED  \]|Failure|error' "$log" | head -n 40
  fi
}

LOGS="$BUILD/logs"
mkdir -p "$LOGS"

echo "== native unit tests"
"$BUILD/native/tests/orlavix_unit_tests" --gtest_brief=1 > "$LOGS/native.log" 2>&1
record "native unit tests" $? "$LOGS/native.log"
tail -n 3 "$LOGS/native.log"

# orlavix-check on a copy of the demo host, with the stand-in browser as its
# executable: natively here, and the Windows console build under Wine below.
source "$ROOT/tests/check/demo_run.sh"
CHECK_HOST="$BUILD/check-demo"
orlavix_copy_demo "$CHECK_HOST"
echo "== orlavix-check on the demo host"
orlavix_check_demo "$LOGS/check-native.log" "$CHECK_HOST/bin/Velquor.exe" "$CHECK_HOST/resources/skins/Zen" UTF-8 \
  -- "$BUILD/native/check/orlavix-check"
record "orlavix-check on the demo" $? "$LOGS/check-native.log"

orlavix_start_display || exit 1
orlavix_prepare_wine || exit 1

echo "== orlavix-check.exe on the demo host under Wine"
orlavix_check_demo "$LOGS/check-wine.log" \
  "$(LANG=ja_JP.UTF-8 "$(orlavix_wine_binary)" winepath -w "$CHECK_HOST/bin/Velquor.exe" 2>/dev/null)" \
  "$(LANG=ja_JP.UTF-8 "$(orlavix_wine_binary)" winepath -w "$CHECK_HOST/resources/skins/Zen" 2>/dev/null)" CP932 \
  -- orlavix_wine "$BUILD/win64/check/orlavix-check.exe"
record "Wine orlavix-check.exe" $? "$LOGS/check-wine.log"

echo "== unit tests under Wine (code page 932)"
orlavix_wine "$BUILD/win64/tests/orlavix_unit_tests.exe" --gtest_brief=1 > "$LOGS/wine-unit.log" 2>&1
record "Wine unit tests" $? "$LOGS/wine-unit.log"
tail -n 3 "$LOGS/wine-unit.log"

WINDOW_TESTS="$BUILD/win64/tests/window/orlavix_window_tests.exe"
if [ -x "$WINDOW_TESTS" ] || [ -f "$WINDOW_TESTS" ]; then
  echo "== window tests under Wine"
  orlavix_wine "$WINDOW_TESTS" --gtest_brief=1 > "$LOGS/wine-window.log" 2>&1
  record "Wine window tests" $? "$LOGS/wine-window.log"
  tail -n 3 "$LOGS/wine-window.log"
fi

# The downloads, then the end-to-end walks: the program as its own process,
# and the unpacked x64 download starting on the demo host.
E2E_TESTS="$BUILD/win64/tests/e2e/orlavix_e2e_tests.exe"
if [ -f "$E2E_TESTS" ]; then
  echo "== downloads and end-to-end walks under Wine"
  UNPACKED="$BUILD/dist/unpacked-x64"
  rm -rf "$UNPACKED"
  if bash "$ROOT/tools/package.sh" > "$LOGS/package.log" 2>&1 && mkdir -p "$UNPACKED" \
      && unzip -q "$BUILD/dist/orlavix-"*"-x64.zip" -d "$UNPACKED"; then
    export ORLAVIX_PACKAGED_PROGRAM="$UNPACKED/orlavix.exe"
  else
    tail -n 20 "$LOGS/package.log"
    unset ORLAVIX_PACKAGED_PROGRAM
  fi
  ORLAVIX_E2E_CODE_PAGE=932 orlavix_wine "$E2E_TESTS" --gtest_brief=1 > "$LOGS/wine-e2e.log" 2>&1
  record "Wine end-to-end walks" $? "$LOGS/wine-e2e.log"
  # Again on a system whose language for non-Unicode programs is English.
  ORLAVIX_E2E_CODE_PAGE=1252 orlavix_wine_english "$E2E_TESTS" --gtest_brief=1 --gtest_filter='MainRoad.*' \
    > "$LOGS/wine-e2e-1252.log" 2>&1
  record "Wine walks, code page 1252" $? "$LOGS/wine-e2e-1252.log"
  if [ -z "${ORLAVIX_PACKAGED_PROGRAM:-}" ] || grep -q 'SKIPPED' "$LOGS/wine-e2e.log"; then
    echo "   the download could not be built or was not started"
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
    STATUS=1
  fi
  tail -n 3 "$LOGS/wine-e2e.log"
fi

for fuzzer in "$BUILD"/fuzz/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  echo "== $name for ${FUZZ_SECONDS}s"
  corpus="$BUILD/fuzz/corpus-$name"
  mkdir -p "$corpus"
  seeds="$ROOT/fuzz/seeds"
  [ -d "$seeds" ] || seeds=""
  if "$fuzzer" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 "$corpus" $seeds \
      > "$LOGS/$name.log" 2>&1; then
    TOTAL_PASSED=$((TOTAL_PASSED + 1))
    SUMMARY+=("$(printf '%-28s %5d passed, %d failed' "$name" 1 0)")
  else
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
    STATUS=1
    SUMMARY+=("$(printf '%-28s %5d passed, %d failed' "$name" 0 1)")
    tail -n 40 "$LOGS/$name.log"
  fi
done

echo
echo "== summary"
printf '%s\n' "${SUMMARY[@]}"
if [ -f "$BUILD/win32/app/orlavix.exe" ] && [ -f "$BUILD/win32/tools/standin-host/Velquor.exe" ] &&
   [ -f "$BUILD/win32/check/orlavix-check.exe" ]; then
  echo "i686 build: orlavix.exe, orlavix-check.exe and Velquor.exe linked (not run: no 32-bit support here)"
else
  echo "i686 build: orlavix.exe missing"
  STATUS=1
fi
echo "total: $TOTAL_PASSED passed, $TOTAL_FAILED failed"
exit $STATUS
