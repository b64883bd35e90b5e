# What `cmake --install` puts under the prefix: the launcher in bin/, its two
# libraries in lib/kelvarino/ (found through the launcher's RUNPATH, and the
# adapters by the launcher itself, see app/gui_library_posix.cpp), and the
# files that make the desktop know the player.
include(GNUInstallDirs)

set_target_properties(kelvarino_logic kelvarino_adapters PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS kelvarino RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kelvarino_logic kelvarino_adapters LIBRARY DESTINATION ${KELVARINO_LIBDIR})

foreach(size 16 24 32 48 128 256)
  install(FILES resources/icons/hicolor/${size}x${size}/apps/kelvarino.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES resources/icons/kelvarino.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES resources/mime/kelvarino.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES resources/org.kelvarino.kelvarino.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The prefix is only known when installing (`cmake --install --prefix`), and
# the Exec of the desktop entry names the installed binary by its full path,
# so that the entry works from any prefix, on PATH or not.
install(CODE "
  set(KELVARINO_ENTRY_SOURCE \"${CMAKE_SOURCE_DIR}/resources/kelvarino.desktop\")
  set(KELVARINO_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(KELVARINO_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  include(\"${CMAKE_SOURCE_DIR}/cmake/install_desktop_entry.cmake\")")

include(cmake/package.cmake)
