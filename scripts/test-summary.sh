#!/usr/bin/env bash
# Sums the GoogleTest results every suite's process wrote (one XML file a
# suite, see cmake/LhtSuiteTests.cmake) into one line: how many test cases
# ran, failed and were skipped, over how many suites.
set -euo pipefail
dir="${1:?usage: test-summary.sh <results folder>}"
shopt -s nullglob
files=("$dir"/*.xml)
if [ ${#files[@]} -eq 0 ]; then
  echo "test-summary: no results in $dir"
  exit 0
fi
# The <testsuites> element of each file carries the file's totals.
awk '
  /<testsuites / {
    for (i = 1; i <= NF; i++) {
      if ($i ~ /^tests=/)    { gsub(/[^0-9]/, "", $i); tests += $i }
      if ($i ~ /^failures=/) { gsub(/[^0-9]/, "", $i); failures += $i }
      if ($i ~ /^disabled=/) { gsub(/[^0-9]/, "", $i); disabled += $i }
    }
    files++
  }
  /<testcase / && /result="skipped"/ { skipped++ }
  END {
    printf "GoogleTest cases: %d run in %d suite processes, %d failed, %d skipped, %d disabled\n",
           tests, files, failures, skipped, disabled
  }' "${files[@]}"
