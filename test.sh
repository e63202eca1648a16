#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh

# The core, link and editor-model layers once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# and under a German locale whose decimal comma must not leak into any number.
if [ ! -f build-sanitize/build.ninja ]; then
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVGR47_SANITIZE=ON -DVGR47_WITH_QT=ON
fi
targets=(core_tests)
# The list is read whole first: grep -q stopping early would fail the pipe under pipefail.
available=$(ninja -C build-sanitize -t targets all)
for t in link_tests editors_tests; do
  grep -q "^$t:" <<<"$available" && targets+=("$t")
done
cmake --build build-sanitize --target "${targets[@]}"
for t in "${targets[@]}"; do
  echo "== $t under sanitizers"
  LC_ALL=de_DE.UTF-8 ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    QT_QPA_PLATFORM=offscreen "build-sanitize/tests/$t" --gtest_brief=1
done

# The radio dialogs, whose sequences run on worker threads, once more under ThreadSanitizer:
# only their own test program is built, in build-tsan/.
if [ ! -f build-tsan/build.ninja ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVGR47_TSAN=ON -DVGR47_WITH_QT=ON \
    "${launcher[@]}"
fi
cmake --build build-tsan --target radio_dialog_tests
echo "== radio dialogs under ThreadSanitizer"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp" \
  QT_QPA_PLATFORM=offscreen build-tsan/tests/radio_dialog_tests --gtest_brief=1 \
  --gtest_filter='-RadioDialogs.ChannelEditedAndSavedShowsInTheCommandLineListing'

# The Debian package, made from build/ and checked as installed users meet it.
scripts/check_package.sh

ctest --test-dir build --output-on-failure -j2
