#!/usr/bin/env bash
# The C++ sources follow .clang-format.
set -euo pipefail
cd "$1"
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find engine widgets mainwindow speech dialogs app tests bench -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror "${files[@]}"
echo "clang-format: ${#files[@]} files clean"
