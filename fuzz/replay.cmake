# Replays the stored corpus of every fuzz harness (fuzz/corpus/<name>/) as a ctest test of the
# normal build, so that inputs that once found a fault keep being checked without clang or libFuzzer.
include(${CMAKE_CURRENT_LIST_DIR}/harness_layer.cmake)
file(GLOB zelph_fuzz_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/*.cpp")
list(FILTER zelph_fuzz_sources EXCLUDE REGEX "/replay_main\\.cpp$")
foreach(src ${zelph_fuzz_sources})
  get_filename_component(name ${src} NAME_WE)
  set(corpus "${CMAKE_CURRENT_LIST_DIR}/corpus/${name}")
  if(NOT IS_DIRECTORY "${corpus}")
    # Every harness starts its runs from a stored corpus, and its inputs are checked here: one without is an
    # oversight that this test names.
    add_test(NAME fuzz.${name}.corpus COMMAND ${CMAKE_COMMAND} -E echo "fuzz/corpus/${name}/ is missing")
    set_tests_properties(fuzz.${name}.corpus PROPERTIES WILL_FAIL TRUE)
    continue()
  endif()
  zelph_fuzz_harness_layer(${name} layer)
  add_executable(replay_${name} ${src} "${CMAKE_CURRENT_LIST_DIR}/replay_main.cpp")
  target_link_libraries(replay_${name} PRIVATE ${layer})
  add_test(NAME fuzz.${name}.corpus COMMAND replay_${name} "${corpus}")
  set_tests_properties(fuzz.${name}.corpus PROPERTIES TIMEOUT 300)
endforeach()
