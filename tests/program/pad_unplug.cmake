# A gamepad unplugged during a level pauses into the in-game menu: the program starts a game from the main
# menu, the script unplugs a pad, and the field's objects must stand still afterwards, while in a run without
# the unplug they move on. Arguments: -DPROGRAM -DDATA -DWORK.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
# New Game is tapped once the intro has given way to the main menu.
set(start "180 down 320 170\n181 up 320 170\n")
file(WRITE "${WORK}/unplugged.script" "${start}220 pad removed\n")
file(WRITE "${WORK}/plugged.script" "${start}")

foreach(run unplugged plugged)
  execute_process(COMMAND "${PROGRAM}" --headless --lockstep --seed 2 --frames 280 --home "${WORK}/home-${run}"
                          --data "${DATA}" --input "${WORK}/${run}.script"
                          --dump "240:${WORK}/${run}-240.txt" --dump "270:${WORK}/${run}-270.txt"
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the ${run} run ended with ${status}")
  endif()
  foreach(frame 240 270)
    file(STRINGS "${WORK}/${run}-${frame}.txt" objects_${frame} REGEX "^object ")
  endforeach()
  if(NOT objects_240)
    message(FATAL_ERROR "the ${run} run has no game on the field at frame 240")
  endif()
  if(objects_240 STREQUAL objects_270)
    set(${run}_still TRUE)
  else()
    set(${run}_still FALSE)
  endif()
endforeach()
if(NOT unplugged_still)
  message(FATAL_ERROR "the game went on after the pad was unplugged")
endif()
if(plugged_still)
  message(FATAL_ERROR "the objects stand still without an unplug too: the check proves nothing")
endif()
message(STATUS "unplugging paused the game")
