# The Debian package: cmake --build build --target package makes
# purumoke_<version>_<arch>.deb from the same install rules, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME purumoke)
set(CPACK_PACKAGE_VENDOR "The Purumoke team")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PURUMOKE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The synopsis, then the long description.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "comic Japanese school-life game")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Three school years fly past one day at a time. Stop time on a day and its
scene plays: one of three heroines says something, you answer, and her
liking for you goes up or down. On graduation day the heroine who likes
you most waits under the legendary tree, if anyone does.
.
The game plays in Japanese or in English, as the desktop's language asks
or as the player chooses.")
# The libraries the program links come from dpkg-shlibdeps; Qt's X11
# platform plugin and the Japanese fonts are loaded at run time, so they
# are named here. The IPA faces hold every character of the game's texts;
# Noto CJK only adds those of a typed name that they lack. Qt's Wayland
# plugin serves desktops without Xwayland, and Qt's translations put its
# dialogs' buttons in the game's language when it is Japanese.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The times of the package's members are the build's one date (see the
# top-level CMakeLists.txt), which cpack takes from SOURCE_DATE_EPOCH when
# it packs.
set(CPACK_PURUMOKE_SOURCE_DATE_EPOCH ${PURUMOKE_SOURCE_DATE_EPOCH})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/package_date.cmake)
# Nor do the members' modes depend on the umask of the build.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/package_modes.cmake)
include(CPack)
