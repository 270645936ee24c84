# The Debian package (`cpack -G DEB`): package data only; what goes in is decided by the install
# rules. Dependencies are computed from the binary by dpkg-shlibdeps, never written by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quor developers")
set(CPACK_PACKAGE_CONTACT "${QUOR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animated flame and clouds of glowing particles")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quor fills the screen with a flame, or with a bank of clouds drifting over a
slowly changing blue sky, made of textured, additively blended particles,
optionally inside a slowly turning field of coloured stars. It is steered from
the keyboard: speeds, particle size and count, field of view, letterbox bars,
polygon mode, pause and a hyperspace mode that stops clearing the screen.
It draws with OpenGL and runs on Mesa's software renderer as well.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUOR_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories made while staging follow the umask otherwise, which may leave them group-writable.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
