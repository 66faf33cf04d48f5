# One golden replay: the program plays an input script from a fixed seed in lockstep on the replay data,
# writing game-state dumps and screenshots after the given frames, which must equal the stored ones.
#   cmake -DPROGRAM= -DIMAGE_TOOL= -DDATA= -DWORK= -DNAME= -DSCRIPT= -DSEED= -DFRAMES= -DDUMPS="f;f"
#         -DSHOTS="f;f" -DGOLDEN= [-DSTART=menus | -DPLAY=D:L] [-DRESTART_SCRIPT= -DRESTART_FRAMES=
#         -DRESTART_DUMPS= -DRESTART_SHOTS=] [-DHOME_FILES="name;name"] -P replay.cmake
# START=menus starts the game as a player does, on the intro, instead of straight on the game screen;
# PLAY names the difficulty and level the game screen starts on (1:1 without it).
# With the environment variable ZELPH_UPDATE_GOLDEN=1 the stored files are rewritten instead.
# With RESTART_SCRIPT (and RESTART_FRAMES, RESTART_DUMPS, RESTART_SHOTS) the program is started a second time on
# the same home folder, from its menus, and that run's files are named NAME-restart-FRAME. HOME_FILES lists
# files of the home folder compared after the last run (stored as NAME-home-FILE).
set(home "${WORK}/${NAME}-home")
set(out "${WORK}/${NAME}")
file(REMOVE_RECURSE "${home}" "${out}")
file(MAKE_DIRECTORY "${out}")
set(outputs "")

function(replay_run tag script frames dumps shots start)
  set(args --headless --lockstep --seed ${SEED} --frames ${frames} --home "${home}" --data "${DATA}"
           --input "${script}")
  if(NOT start STREQUAL "menus")
    list(APPEND args --play ${PLAY})
  endif()
  set(made "")
  foreach(frame IN LISTS dumps)
    list(APPEND args --dump "${frame}:${out}/${tag}-${frame}.txt")
    list(APPEND made "${tag}-${frame}.txt")
  endforeach()
  foreach(frame IN LISTS shots)
    list(APPEND args --screenshot "${frame}:${out}/${tag}-${frame}.png")
    list(APPEND made "${tag}-${frame}.png")
  endforeach()
  execute_process(COMMAND "${PROGRAM}" ${args} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${tag}: the program ended with ${status}")
  endif()
  set(outputs ${outputs} ${made} PARENT_SCOPE)
endfunction()

replay_run("${NAME}" "${SCRIPT}" "${FRAMES}" "${DUMPS}" "${SHOTS}" "${START}")
if(RESTART_SCRIPT)
  replay_run("${NAME}-restart" "${RESTART_SCRIPT}" "${RESTART_FRAMES}" "${RESTART_DUMPS}" "${RESTART_SHOTS}" menus)
endif()
foreach(file IN LISTS HOME_FILES)
  if(EXISTS "${home}/${file}")
    file(COPY_FILE "${home}/${file}" "${out}/${NAME}-home-${file}")
  endif()
  list(APPEND outputs "${NAME}-home-${file}")
endforeach()
set(failed "")
foreach(file IN LISTS outputs)
  if(NOT EXISTS "${out}/${file}")
    message(FATAL_ERROR "${NAME}: ${file} was not written")
  endif()
  if("$ENV{ZELPH_UPDATE_GOLDEN}" STREQUAL "1")
    file(COPY "${out}/${file}" DESTINATION "${GOLDEN}")
    continue()
  endif()
  if(NOT EXISTS "${GOLDEN}/${file}")
    list(APPEND failed "${file} (no stored file; run with ZELPH_UPDATE_GOLDEN=1)")
  elseif(file MATCHES "\\.png$")
    execute_process(COMMAND "${IMAGE_TOOL}" compare "${GOLDEN}/${file}" "${out}/${file}" RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
      list(APPEND failed "${file}")
    endif()
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${GOLDEN}/${file}" "${out}/${file}"
                    RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
      list(APPEND failed "${file}")
    endif()
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "${NAME}: differs from the stored replay: ${failed} (this run's files are in ${out})")
endif()
