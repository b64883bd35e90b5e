# `cpack -G DEB` in the build folder makes kelvarino_<version>_<arch>.deb for
# Debian 12: installed under /usr, its library dependencies found by
# dpkg-shlibdeps. The menus, MIME and icon caches are refreshed by the
# triggers of desktop-file-utils, shared-mime-info and the icon theme.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvarino)
set(CPACK_PACKAGE_VENDOR "Kelvarino developers")
set(CPACK_PACKAGE_CONTACT "Kelvarino developers <kelvarino@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small single-window media player")
# The long description, as Debian shows it: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Kelvarino plays video and audio files, folders, play lists and
network addresses in one small window with a thin control bar and a right-click
menu holding every command. A second start hands its file to the running
window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Software OpenGL for the picture where no GPU driver is installed; Qt's
# Wayland platform, which a session without X needs and nothing links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri, qt6-wayland")
# Chinese captions need a CJK font; web addresses open in the browser through
# xdg-open; the file types a user associates are registered with the MIME and
# desktop databases when their tools are there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, xdg-utils, shared-mime-info, desktop-file-utils")

include(CPack)
