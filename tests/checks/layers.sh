#!/usr/bin/env bash
# The product's folders are layers, and includes only go down:
#   app -> mainwindow -> speech and dialogs -> widgets and engine
# (speech and dialogs, side by side, include nothing of each other).
# The engine uses Qt Core alone, and bench/ and tests/ compile no product
# source of their own. Prints every include that breaks this.
set -euo pipefail
src=$1 qtcore=$2
cd "$src"

declare -A allowed=(
    [app]="mainwindow speech dialogs widgets engine"
    [mainwindow]="speech dialogs widgets engine"
    [speech]="widgets engine"
    [dialogs]="widgets engine"
    [widgets]=""
    [engine]=""
)
layers=(app mainwindow speech dialogs widgets engine)
[ -d "$qtcore" ] && [ -f "$qtcore/QString" ] || { echo "no Qt Core headers in $qtcore"; exit 1; }

faults=0
fault() {
    echo "$1"
    faults=$((faults + 1))
}

for layer in "${layers[@]}"; do
    for file in "$layer"/*.h "$layer"/*.cpp; do
        [ -f "$file" ] || continue
        while IFS= read -r line; do
            header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
            if [[ $line == *'"'* ]]; then
                for other in "${layers[@]}"; do
                    [ "$other" != "$layer" ] && [ -f "$other/$header" ] || continue
                    [[ " ${allowed[$layer]} " == *" $other "* ]] || fault "$file includes $other/$header: $layer may not include $other"
                done
            elif [ "$layer" = engine ] && [[ $header == Q* ]]; then
                case $header in
                    QtCore/*) ;;
                    Qt*/*) fault "$file includes <$header>: the engine uses Qt Core only" ;;
                    *) [ -f "$qtcore/$header" ] || fault "$file includes <$header>, which is not a Qt Core header" ;;
                esac
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
    done
done

# Benchmarks and tests link the product's targets instead of compiling its
# files again.
while IFS= read -r hit; do
    fault "$hit: compiles a product source; link its target instead"
done < <(grep -nE '((PROJECT|CMAKE)_SOURCE_DIR\}|\.\.)/(app|mainwindow|speech|dialogs|widgets|engine)/[^ )]*\.cpp' \
    bench/CMakeLists.txt tests/CMakeLists.txt tests/*/CMakeLists.txt 2>/dev/null || true)

if ((faults > 0)); then
    echo "$faults include(s) break the layers"
    exit 1
fi
echo "layers: every include goes down; the engine uses Qt Core only"
