# One static library per layer. Sources are every .cpp in the layer's folder, so that adding a file needs no
# edit here; a layer without sources yet is an interface library so that its users still link.
function(zelph_add_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  set(target zelph_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
  add_library(zelph::${name} ALIAS ${target})
endfunction()

# The test programs' shared entry point (tests/test_support/test_main.cpp) keeps SDL on its dummy drivers; the
# library also measures memory for the tests (peak_memory.h).
function(zelph_add_test_main)
  if(NOT TARGET zelph_test_main)
    add_library(zelph_test_main STATIC "${PROJECT_SOURCE_DIR}/tests/test_support/test_main.cpp"
                                      "${PROJECT_SOURCE_DIR}/tests/test_support/peak_memory.cpp")
    target_include_directories(zelph_test_main PUBLIC "${PROJECT_SOURCE_DIR}/tests")
    target_link_libraries(zelph_test_main PUBLIC GTest::gtest)
  endif()
endfunction()

# One GoogleTest program per tested layer: tests/<layer>/*.cpp linked with that layer only.
function(zelph_add_layer_tests name)
  cmake_parse_arguments(ARG "" "DIR;TIMEOUT" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${name})
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  set(target test_${name})
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} zelph_test_main GTest::gtest GTest::gmock)
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT}
    TEST_PREFIX "${name}.")
endfunction()
