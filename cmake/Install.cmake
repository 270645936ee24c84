# What `cmake --install` puts under the prefix: bin/quor, its images in share/quor (where the
# program looks for them, see image/data_files.h), the desktop entries, the screen-saver settings,
# icons, the compressed manual
# page and the documents a Debian package carries. Also the version header, the package
# generator and the tests of both.
include(${CMAKE_CURRENT_LIST_DIR}/Version.cmake)

set(QUOR_PACKAGE_MAINTAINER "Quor developers <quor@example.org>"
    CACHE STRING "Maintainer named in the Debian package and its changelog")

install(TARGETS quor RUNTIME DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/assets/font.bmp ${CMAKE_SOURCE_DIR}/assets/smoke128.bmp
        DESTINATION share/quor)
install(FILES ${CMAKE_SOURCE_DIR}/dist/quor.desktop DESTINATION share/applications)
# As a screen-saver hack: the settings dialog of xscreensaver-settings, and the entry through
# which MATE's and Cinnamon's screen savers find it.
install(FILES ${CMAKE_SOURCE_DIR}/dist/quor.xml DESTINATION share/xscreensaver/config)
install(FILES ${CMAKE_SOURCE_DIR}/dist/quor-screensaver.desktop
        DESTINATION share/applications/screensavers RENAME quor.desktop)
# Debian's folder of screen-saver hacks, where MATE's screen saver looks for the program of that
# entry (it does not search PATH), and xscreensaver too: a relative link to bin/quor, so that the
# program found there still finds its images beside itself (see image/data_files.h).
set(quor_hack_link ${CMAKE_BINARY_DIR}/dist/libexec/quor)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/dist/libexec)
file(CREATE_LINK ../../bin/quor ${quor_hack_link} SYMBOLIC)
install(FILES ${quor_hack_link} DESTINATION libexec/xscreensaver)

# Icons come from assets/icons/quor-<N>.png, in whatever sizes are there.
file(GLOB quor_icons CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/icons/quor-*.png)
foreach(icon IN LISTS quor_icons)
  get_filename_component(icon_name ${icon} NAME)
  if(icon_name MATCHES "^quor-([0-9]+)\\.png$")
    set(size ${CMAKE_MATCH_1})
    install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quor.png)
  endif()
endforeach()

# The changelog carries the maintainer; the manual page has its version written out, so that
# `man -l man/quor.6` reads right in the source tree (tests/package/man_options.cmake holds it to
# project()). Both are installed compressed with `gzip -9n` (no name or time stamp, so the
# package is reproducible).
set(quor_dist ${CMAKE_BINARY_DIR}/dist)
configure_file(${CMAKE_SOURCE_DIR}/man/quor.6 ${quor_dist}/quor.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/changelog.in ${quor_dist}/changelog @ONLY)
foreach(document quor.6 changelog)
  add_custom_command(OUTPUT ${quor_dist}/${document}.gz
                     COMMAND gzip -9nkf ${document}
                     DEPENDS ${quor_dist}/${document}
                     WORKING_DIRECTORY ${quor_dist} VERBATIM)
endforeach()
add_custom_target(quor_documents ALL DEPENDS ${quor_dist}/quor.6.gz ${quor_dist}/changelog.gz)
# Install takes the program and these together: whatever builds the program (scripts/run builds
# only it) makes them too.
add_dependencies(quor quor_documents)
install(FILES ${quor_dist}/quor.6.gz DESTINATION share/man/man6)
install(FILES ${quor_dist}/changelog.gz ${CMAKE_SOURCE_DIR}/dist/copyright
        DESTINATION share/doc/quor)

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)

if(QUOR_TESTS)
  # The manual's OPTIONS section against what `quor --help` prints, and --version against
  # project(): both run the program without a display.
  add_test(NAME man_page_matches_help
           COMMAND ${CMAKE_COMMAND} -DQUOR=$<TARGET_FILE:quor> -DMAN=${CMAKE_SOURCE_DIR}/man/quor.6
                   -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/tests/package/man_options.cmake)
  set_tests_properties(man_page_matches_help PROPERTIES LABELS docs TIMEOUT 60)
  # The .deb made from this build: its files, where they belong, and a valid desktop entry.
  add_test(NAME package_contents
           COMMAND ${CMAKE_COMMAND} -DBINARY_DIR=${CMAKE_BINARY_DIR} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
                   -DCPACK=${CMAKE_CPACK_COMMAND} -P ${CMAKE_SOURCE_DIR}/tests/package/contents.cmake)
  set_tests_properties(package_contents PROPERTIES LABELS package TIMEOUT 300)
endif()
