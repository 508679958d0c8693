# Every fuzz/fuzz_<name>.cpp harness, built with a small main that replays its seed corpus
# (fuzz/seeds/<name>/) and the crash inputs kept as regression cases (fuzz/regressions/<name>/),
# one CTest test per harness. A new harness is picked up by its file name. The long libFuzzer
# runs are scripts/fuzz's, not the tests'.
set(EDOKLAD_FUZZ_DIR ${PROJECT_SOURCE_DIR}/fuzz)
file(GLOB fuzz_harnesses CONFIGURE_DEPENDS ${EDOKLAD_FUZZ_DIR}/fuzz_*.cpp)
foreach(src ${fuzz_harnesses})
  get_filename_component(harness ${src} NAME_WE)
  string(REGEX REPLACE "^fuzz_" "" corpus ${harness})
  add_executable(replay_${harness} ${src} ${EDOKLAD_FUZZ_DIR}/replay/ReplayMain.cpp)
  target_include_directories(replay_${harness} PRIVATE ${EDOKLAD_FUZZ_DIR})
  target_link_libraries(replay_${harness} PRIVATE edoklad_core)
  add_test(NAME fuzz_replay_${corpus}
           COMMAND replay_${harness} ${EDOKLAD_FUZZ_DIR}/seeds/${corpus} ${EDOKLAD_FUZZ_DIR}/regressions/${corpus})
  set_tests_properties(fuzz_replay_${corpus} PROPERTIES ENVIRONMENT "${EDOKLAD_TEST_ENV}" LABELS fuzz TIMEOUT 300)
endforeach()
