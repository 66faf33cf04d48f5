# cmake --install BUILD --prefix P: both programs, their packs in P/share/orv-zelph/<build> (found from the
# program's own folder at run time, so a moved prefix still works), the desktop entries, the icon at every
# size, the AppStream metainfo and the manual page.
include(GNUInstallDirs)
set(zelph_share "${CMAKE_INSTALL_DATADIR}/orv-zelph")
set(zelph_data "${CMAKE_BINARY_DIR}/data")
set(zelph_dist "${PROJECT_SOURCE_DIR}/dist")

install(TARGETS zelph-vga zelph-qvga RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
foreach(variant vga qvga)
  install(FILES "${zelph_data}/${variant}/gui.pak" "${zelph_data}/${variant}/sound.pak"
                "${zelph_data}/${variant}/game.pak"
          DESTINATION "${zelph_share}/${variant}")
endforeach()
foreach(size IN LISTS ZELPH_ICON_SIZES)
  install(FILES "${zelph_data}/icons/orv-zelph-${size}.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps" RENAME orv-zelph.png)
endforeach()
# The window's own icon, beside the packs.
install(FILES "${zelph_data}/icons/orv-zelph-48.png" DESTINATION "${zelph_share}/icons")
install(FILES "${zelph_dist}/com.orvsoftwarehouse.ZelphVga.desktop" "${zelph_dist}/com.orvsoftwarehouse.ZelphQvga.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${zelph_dist}/com.orvsoftwarehouse.ZelphVga.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${zelph_dist}/zelph-vga.6" "${zelph_dist}/zelph-qvga.6"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
