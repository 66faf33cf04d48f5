# Installs the build into a fresh prefix, moves the prefix elsewhere (the programs must find their data
# relative to themselves), checks what a desktop needs is there and valid, and starts the installed program
# from another folder with a fresh home. Arguments: -DBUILD=<build dir> -DWORK=<scratch dir>.
function(check_run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}${err}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
check_run(${CMAKE_COMMAND} --install "${BUILD}" --prefix "${WORK}/prefix")
file(RENAME "${WORK}/prefix" "${WORK}/moved")
set(p "${WORK}/moved")

set(expected
  bin/zelph-vga bin/zelph-qvga
  share/orv-zelph/vga/gui.pak share/orv-zelph/vga/sound.pak share/orv-zelph/vga/game.pak
  share/orv-zelph/qvga/gui.pak share/orv-zelph/qvga/sound.pak share/orv-zelph/qvga/game.pak
  share/orv-zelph/icons/orv-zelph-48.png
  share/icons/hicolor/48x48/apps/orv-zelph.png share/icons/hicolor/128x128/apps/orv-zelph.png
  share/icons/hicolor/256x256/apps/orv-zelph.png
  share/applications/com.orvsoftwarehouse.ZelphVga.desktop
  share/applications/com.orvsoftwarehouse.ZelphQvga.desktop
  share/metainfo/com.orvsoftwarehouse.ZelphVga.metainfo.xml
  share/man/man6/zelph-vga.6 share/man/man6/zelph-qvga.6)
foreach(file IN LISTS expected)
  if(NOT EXISTS "${p}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message(FATAL_ERROR "desktop-file-validate and appstreamcli are needed (Debian packages desktop-file-utils "
                      "and appstream; scripts/setup.sh installs them)")
endif()
file(GLOB entries "${p}/share/applications/*.desktop")
foreach(entry IN LISTS entries)
  check_run(${DESKTOP_FILE_VALIDATE} "${entry}")
endforeach()
check_run(${APPSTREAMCLI} validate --no-net "${p}/share/metainfo/com.orvsoftwarehouse.ZelphVga.metainfo.xml")

# From another folder, with a home nobody has used: the default home folder is made under it.
file(MAKE_DIRECTORY "${WORK}/elsewhere" "${WORK}/home")
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_DATA_HOME "HOME=${WORK}/home"
                        SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
                        "${p}/bin/zelph-vga" --headless --frames 30
                WORKING_DIRECTORY "${WORK}/elsewhere"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the installed zelph-vga ended with ${status}\n${out}${err}")
endif()
if(NOT EXISTS "${WORK}/home/.local/share/orv-zelph-vga/registry.reg")
  message(FATAL_ERROR "the installed zelph-vga made no home folder under the fresh HOME")
endif()
message(STATUS "installed, relocated and started: ${p}")
