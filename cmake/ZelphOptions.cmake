# Compiler settings shared by every target of the project.
add_compile_options(-Wall -Wextra)
if(ZELPH_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(ZELPH_TSAN)
  if(ZELPH_SANITIZE OR ZELPH_FUZZ)
    message(FATAL_ERROR "ZELPH_TSAN cannot be combined with ZELPH_SANITIZE or ZELPH_FUZZ")
  endif()
  # The main thread and the game thread share the frame's state; ThreadSanitizer checks how they share it.
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=thread)
endif()
if(ZELPH_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZELPH_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # Undefined behaviour stops the run and is saved as a crash, as a memory error is.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fsanitize-coverage-ignorelist=${PROJECT_SOURCE_DIR}/fuzz/coverage_ignore.txt)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
