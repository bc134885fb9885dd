#!/usr/bin/env bash
# Formats the C++ sources with the repository's .clang-format; CMake files and scripts are left as
# they are written (clang-format would mangle them).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format -i
