#!/usr/bin/env bash
# Lines of C++ test code against lines of C++ product code (outside tests/ and bench/).
set -euo pipefail
cd "$(dirname "$0")/.."
count() { git ls-files -- "$@" | grep -E '\.(cpp|h)$' | xargs cat 2>/dev/null | wc -l; }
tests=$(count tests)
product=$(git ls-files | grep -E '\.(cpp|h)$' | grep -vE '^(tests|bench)/' | xargs cat | wc -l)
awk -v t="$tests" -v p="$product" 'BEGIN { printf "tests %d, product %d, ratio %.2f\n", t, p, t / p }'
