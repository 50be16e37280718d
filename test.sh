#!/usr/bin/env bash
# Sets everything up and runs the whole test suite on Qt's offscreen platform.
# Under CI (CI=true) the suite also runs once more built with AddressSanitizer
# and UndefinedBehaviorSanitizer (TAGOMAT_SANITIZERS=0 leaves that out).
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$top/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$top/build"
ctest --output-on-failure -j "$(nproc)" --timeout 120

if [ "${CI:-}" = "true" ] && [ "${TAGOMAT_SANITIZERS:-1}" != "0" ]; then
  echo "Running the suite again under AddressSanitizer and UndefinedBehaviorSanitizer"
  sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  cmake -S "$top" -B "$top/build-asan" -DCMAKE_BUILD_TYPE=None -DTAGOMAT_STATIC_TOOLS=OFF \
    -DCMAKE_CXX_FLAGS="-O1 $sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
  cmake --build "$top/build-asan" -j "$(nproc)" 2>&1 | tail -n 30
  cd "$top/build-asan"
  # Leaks are checked too, with the converters the tests start. The package
  # test is left out: it checks the package, which the first run already built.
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS="suppressions=$top/tests/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$(nproc)" --timeout 300 -E '^(fuzz_smoke|package_installed_program)$'
fi
