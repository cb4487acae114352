# `cpack -G DEB` in the build folder makes quorix_<version>_<arch>.deb from what `cmake --install`
# installs. Depends is computed from the programs by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_PACKAGE_NAME quorix)
set(CPACK_PACKAGE_VENDOR "The Quorix developers")
set(CPACK_PACKAGE_CONTACT "The Quorix developers <devel@quorix.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings editor for the Tavion handheld organiser")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The alarm preview plays through the first of these it finds.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pipewire-bin | pulseaudio-utils | alsa-utils")
# The summary is the Description line; this text follows it.
set(CPACK_PACKAGE_DESCRIPTION
    "Quorix edits the system settings of the Tavion, a wrist-worn handheld
organiser: power management with a daily on and off time, key and alarm
sounds, the file browser's view, display contrast and backlight, the clock,
four alarms with their melodies, and the owner's name. It reaches the
organiser through its mounted device folder and needs no other software; when
the device maker's PC suite is installed under Wine, Quorix uses its folders
and factory settings.
.
quorixctl does the same work from the command line: it shows and changes
settings files, moves them to and from the device, renders its melodies and
restores earlier settings from a history.")

include(CPack)
