# Runs one build of orlavix-check on the demo host, as a person would from a
# shell, and checks exit codes and findings. Sourced by tools/test.sh.
#   orlavix_check_demo LOG HOST-EXE ZEN-FOLDER ENCODING -- PROGRAM...
# HOST-EXE and ZEN-FOLDER are paths as the program sees them; ENCODING is the
# encoding of its readable output. Writes gtest-style counts to LOG.

orlavix_check_demo() {
  local log="$1" host="$2" zen="$3" encoding="$4"
  shift 5
  local passed=0 failed=0 out err rc
  out=$(mktemp) err=$(mktemp)
  : > "$log"
  expect() {  # expect WHAT CONDITION...
    local what="$1"; shift
    if "$@"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      { echo "Failure: $what"; echo "--- stdout"; head -c 3000 "$out"; echo "--- stderr"; head -c 2000 "$err"; } >> "$log"
    fi
  }
  readable_has() { iconv -f "$encoding" -t UTF-8 "$out" | grep -q "$1"; }

  "$@" "$host" > "$out" 2> "$err"; rc=$?
  expect "the demo host has findings: exit 1" test "$rc" -eq 1
  expect "Aqua's missing logo, with its line and key" grep -q 'Aqua.skin\.ini:26: \[missing-image\] LogoSkin: ' "$out"
  expect "the report row's own text, in the console's encoding" readable_has 'LogoSkin: 存在していないファイル: logo.png'
  expect "the summary" readable_has 'スキン 3 個を調べました: 指摘 4 件 (スキン 1 個)'
  expect "Aqua's unused bitmap" grep -q 'unused_old\.bmp: \[unused-image\]' "$out"
  expect "Aqua's comment before [General]" grep -q 'Aqua.skin\.ini:1: \[before-first-section\]' "$out"
  expect "Aqua's unknown key, which a save keeps" readable_has 'skin.ini:19: \[unknown-key\] TabHoverText: .*保存しても残ります'

  "$@" --json "$host" > "$out" 2> "$err"; rc=$?
  expect "JSON: exit 1" test "$rc" -eq 1
  expect "JSON: the missing logo" grep -q '"code": "missing-image", "file": "skin.ini", "line": 26, "key": "LogoSkin", "name": "logo.png", "message": "存在していないファイル: logo.png"' "$out"
  expect "JSON: three skins, one with four findings" grep -q '"summary": {"skins": 3, "skinsWithFindings": 1, "findings": 4}' "$out"
  expect "JSON: image sizes" grep -q '"name": "tab.png", "keys": \["TabSkin"\], "file": "controls/tab.png", "format": "png", "width": [0-9]' "$out"
  expect "JSON: the button's five states" grep -q '"name": "button.png", "keys": \["ButtonSkin"\], .*"width": 360, "height": 24, "states": 5}' "$out"

  "$@" --quiet "$zen" > "$out" 2> "$err"; rc=$?
  expect "a clean skin: exit 0, nothing said" test "$rc" -eq 0 -a ! -s "$out"

  "$@" "$zen/no such skin" > "$out" 2> "$err"; rc=$?
  expect "a missing path: exit 2 with a message" test "$rc" -eq 2 -a -s "$err"
  "$@" > "$out" 2> "$err"; rc=$?
  expect "no path: exit 2 with the usage" test "$rc" -eq 2 -a -s "$err"

  rm -f "$out" "$err"
  [ "$failed" -eq 0 ] && echo "[  PASSED  ] $passed tests." >> "$log"
  [ "$failed" -ne 0 ] && { echo "[  PASSED  ] $passed tests."; echo "[  FAILED  ] $failed tests"; } >> "$log"
  [ "$failed" -eq 0 ]
}
