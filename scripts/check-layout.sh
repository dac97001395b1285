#!/usr/bin/env bash
# Checks the dependency rule of the source tree:
#   records → book → ui → pages (income, analysis, settings) → mainwindow
# A folder includes only its own layer and the layers before it; records/ and
# book/ (and their tests) use Qt Core only, never Qt Gui or Widgets.
# With a build folder, also checks that the core tests' binaries do not load
# Qt Gui or Widgets.
# Usage: scripts/check-layout.sh [BUILD_DIR]
set -euo pipefail
build_dir="${1:+$(realpath "$1")}"
cd "$(dirname "$0")/.."

declare -A layer=([records]=0 [book]=1 [ui]=2 [income]=3 [analysis]=3 [settings]=3 [mainwindow]=4)
qt_headers="${QT_HEADERS:-$(qtpaths6 --query QT_INSTALL_HEADERS 2>/dev/null || true)}"
[ -d "$qt_headers/QtCore" ] || { echo "check-layout: Qt headers not found (set QT_HEADERS)"; exit 2; }
failures=0
fail() {
    echo "$1"
    failures=$((failures + 1))
}

# Project includes ("folder/file.h") of one file.
project_includes() { sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"; }
# System includes (<...>) of one file.
system_includes() { sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1/p' "$1"; }

# The Qt module a <...> include comes from ("" when it is not Qt's).
qt_module() {
    local name="$1"
    if [[ "$name" == Qt*/* ]]; then
        echo "${name%%/*}"
        return
    fi
    [[ "$name" == Q* && "$name" != */* ]] || return 0
    local dir
    for dir in QtCore QtTest QtGui QtWidgets QtCharts QtOpenGL QtOpenGLWidgets QtSvg QtPrintSupport; do
        if [ -f "$qt_headers/$dir/$name" ]; then
            echo "$dir"
            return
        fi
    done
    echo "unknown"
}

# Qt modules a core file may use: Qt Core, and Qt Test in tests.
check_core_file() {
    local file="$1" allowed="$2" inc module
    while read -r inc; do
        module="$(qt_module "$inc")"
        [ -z "$module" ] && continue
        [[ " $allowed " == *" $module "* ]] ||
            fail "$file: includes <$inc> ($module); records/ and book/ use Qt Core only"
    done < <(system_includes "$file")
}

# 1. Every include in src/ points to the same layer or one before it.
while IFS= read -r file; do
    rel="${file#src/}"
    folder="${rel%%/*}"
    [ "$folder" = "$rel" ] && continue # src/main.cpp: the top, may include anything
    own="${layer[$folder]:-}"
    if [ -z "$own" ]; then
        fail "$file: folder src/$folder/ has no place in the layer table of scripts/check-layout.sh"
        continue
    fi
    while read -r inc; do
        target="${inc%%/*}"
        [ "$target" = "$inc" ] && continue # a file beside it
        to="${layer[$target]:-}"
        [ -z "$to" ] && continue
        ((to <= own)) || fail "$file: includes \"$inc\": src/$folder/ must not depend on src/$target/"
    done < <(project_includes "$file")
    case "$folder" in records | book) check_core_file "$file" "QtCore" ;; esac
done < <(find src -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

# 2. Tests of the core build without the window: Qt Core and Qt Test only, no
#    adapter, page or window headers.
for dir in tests/records tests/book; do
    [ -d "$dir" ] || continue
    while IFS= read -r file; do
        check_core_file "$file" "QtCore QtTest"
        while read -r inc; do
            target="${inc%%/*}"
            to="${layer[$target]:-}"
            if { [ -n "$to" ] && ((to > layer[book])); } || [[ "$inc" == windowfixture.h || "$inc" == guitest.h ]]; then
                fail "$file: includes \"$inc\"; a core test needs no window"
            fi
        done < <(project_includes "$file")
    done < <(find "$dir" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
done

# 3. The built core tests (CTest label "core") load neither Qt Gui nor Widgets.
if [ -n "$build_dir" ]; then
    core_tests="$(cd "$build_dir" && ctest -N -L core | sed -n 's/^ *Test *#[0-9]*: *//p')"
    [ -n "$core_tests" ] || fail "$build_dir: no test carries the label core"
    for name in $core_tests; do
        binary="$(find "$build_dir" -type f -name "$name" -perm -u+x | head -n1)"
        if [ -z "$binary" ]; then
            fail "$build_dir: core test $name is not built"
        elif readelf -d "$binary" | grep -Eq 'NEEDED.*libQt6(Gui|Widgets|Charts)'; then
            fail "$binary: a core test links Qt Gui or Widgets"
        fi
    done
fi

if ((failures > 0)); then
    echo "check-layout: $failures problem(s); the rule is records → book → ui → pages → mainwindow"
    exit 1
fi
echo "check-layout: the layers hold"
