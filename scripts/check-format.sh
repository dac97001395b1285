#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it with the
# project's .clang-format. Fix with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
else
    mapfile -t files < <(find src tests tools -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
fi
clang-format --dry-run --Werror "${files[@]}"
echo "check-format: ${#files[@]} files formatted"
