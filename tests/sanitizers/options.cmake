# How the tests of the sanitizer build run: a finding ends the program at once
# with its stack, and the test fails.
set(asan_common "detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1")
list(APPEND KELVARINO_TEST_ENV
  "ASAN_OPTIONS=detect_leaks=1:${asan_common}"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# The software GL driver is loaded and unloaded by libGL; once unloaded, what
# it keeps for good shows as leaks from a module nobody can name. The adapter
# tests preload it (after the sanitizer's runtime, which must come first) so
# that it stays mapped and its memory stays reachable.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
  OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
find_file(KELVARINO_GL_DRIVER swrast_dri.so
  PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri NO_DEFAULT_PATH)
if(KELVARINO_GL_DRIVER)
  set(KELVARINO_ADAPTER_TEST_LAUNCHER env "LD_PRELOAD=${asan_runtime}:${KELVARINO_GL_DRIVER}")
endif()

# The players that the scenarios start check memory but not leaks: a preload
# there would reach every program a player starts (the shell of xdg-open, the
# file manager's helpers), each then reporting its own leaks.
set(KELVARINO_E2E_SANITIZER_ENV "ASAN_OPTIONS=detect_leaks=0:${asan_common}")

# Scenarios that time playback (the dock's bar every 500 ms, media that end,
# a window refitted to each clip within a fixed wait) or the window manager's
# answers (full screen and its way back settle within 300 and 500 ms) are left
# to the normal build: four times slower code turns them into races, not findings.
set(KELVARINO_E2E_NOT_SANITIZED test_opening test_presentation test_window)
