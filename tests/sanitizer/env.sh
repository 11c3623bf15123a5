# The sanitizer settings of the test command, for build-asan/:
#   . tests/sanitizer/env.sh && ctest --test-dir build-asan
# Every check stays on; the suppression files name the few reports from
# libraries that are not ours, each with its reason.
sanitizer_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:strict_init_order=1:abort_on_error=0:suppressions=$sanitizer_dir/asan.supp
export LSAN_OPTIONS=suppressions=$sanitizer_dir/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=suppressions=$sanitizer_dir/ubsan.supp:print_stacktrace=1:halt_on_error=1
unset sanitizer_dir
