# The Debian package of a built tree: makes it with cpack in a temporary folder, unpacks it and
# checks that every file is where it belongs with the right owner and mode (the screen-saver
# hack's link included), that the images are the shipped ones, that the binary is stripped,
# that dpkg-shlibdeps filled in the dependencies, that the desktop entries and the screen-saver settings are valid, that the copyright file
# carries the licences, and that the unpacked program started from / draws.
# Runs with -DBINARY_DIR= -DSOURCE_DIR= -DCPACK= -P.

cmake_policy(SET CMP0054 NEW)  # quoted words in if() are words, never variables

execute_process(COMMAND mktemp -d /tmp/quor-package-XXXXXX OUTPUT_VARIABLE tmp
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(problems "")

macro(problem what)
  string(APPEND problems "\n  ${what}")
endmacro()

macro(finish)
  file(REMOVE_RECURSE ${tmp})
  if(problems)
    message(FATAL_ERROR "package check failed:${problems}")
  endif()
  return()
endmacro()

execute_process(COMMAND ${CPACK} --config ${BINARY_DIR}/CPackConfig.cmake -G DEB -B ${tmp}/out
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB deb ${tmp}/out/*.deb)
list(LENGTH deb count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
  problem("cpack made ${count} packages (status ${rc}):\n${out}")
  finish()
endif()

execute_process(COMMAND dpkg-deb -x ${deb} ${tmp}/root RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  problem("dpkg-deb -x failed")
  finish()
endif()
execute_process(COMMAND dpkg-deb -f ${deb} Package Depends OUTPUT_VARIABLE control)
if(NOT control MATCHES "Package: quor\n" OR NOT control MATCHES "Depends: [^\n]*libc6")
  problem("control fields without the name or the computed dependencies:\n${control}")
endif()

# Owner root, mode 755 for the program and 644 for everything else, as dpkg-deb -c lists them.
set(data_files share/quor/font.bmp share/quor/smoke128.bmp share/applications/quor.desktop
               share/applications/screensavers/quor.desktop share/xscreensaver/config/quor.xml
               share/man/man6/quor.6.gz share/doc/quor/copyright share/doc/quor/changelog.gz)
file(GLOB icons ${SOURCE_DIR}/assets/icons/quor-*.png)
foreach(icon IN LISTS icons)
  if(icon MATCHES "/quor-([0-9]+)\\.png$")
    list(APPEND data_files share/icons/hicolor/${CMAKE_MATCH_1}x${CMAKE_MATCH_1}/apps/quor.png)
  endif()
endforeach()
execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE listing)
if(NOT listing MATCHES "\n-rwxr-xr-x root/root [^\n]* \\./usr/bin/quor\n")
  problem("usr/bin/quor is missing or not 755 root")
endif()
foreach(file IN LISTS data_files)
  string(REPLACE "." "\\." pattern "./usr/${file}")
  if(NOT listing MATCHES "\n-rw-r--r-- root/root [^\n]* ${pattern}\n")
    problem("usr/${file} is missing or not 644 root")
  endif()
endforeach()
# The hack's link in Debian's folder of screen-saver hacks, relative, to the program.
if(NOT listing MATCHES "\nlrwxrwxrwx root/root [^\n]* \\./usr/libexec/xscreensaver/quor -> \\.\\./\\.\\./bin/quor\n")
  problem("usr/libexec/xscreensaver/quor is not a link to ../../bin/quor")
endif()
if(listing MATCHES "(^|\n)([^l]....w|[^l].......w)")
  problem("group- or world-writable entries")
endif()
if(problems)
  string(APPEND problems "\n  the package holds:\n${listing}")
endif()

foreach(image font.bmp smoke128.bmp)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SOURCE_DIR}/assets/${image}
                          ${tmp}/root/usr/share/quor/${image} RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    problem("usr/share/quor/${image} is not assets/${image}")
  endif()
endforeach()

execute_process(COMMAND readelf -S ${tmp}/root/usr/bin/quor OUTPUT_VARIABLE sections)
if(NOT sections MATCHES "\\.text" OR sections MATCHES "\\.symtab")
  problem("usr/bin/quor is not a stripped program")
endif()

# The unpacked program, started from / so that only its own share/quor can give it the images,
# draws the same frames to the byte as the build's program started beside assets/.
foreach(run packaged built)
  if(run STREQUAL "packaged")
    set(program ${tmp}/root/usr/bin/quor)
    set(where /)
  else()
    set(program ${BINARY_DIR}/quor)
    set(where ${SOURCE_DIR}/assets)
  endif()
  execute_process(COMMAND xvfb-run -a -s "-screen 0 320x240x24 -noreset"
                          env LIBGL_ALWAYS_SOFTWARE=1 ${program} --step=33 --frames=60
                          --capture=${tmp}/${run}.png
                  WORKING_DIRECTORY ${where} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    problem("the ${run} program run from ${where} ended with ${rc}: ${out}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${tmp}/packaged.png ${tmp}/built.png
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  problem("the unpacked program started from / draws another picture than the build's own")
endif()

# Both desktop entries valid. The screen saver's has only the Screensaver category, as a screen
# saver's entry should, and the validator's one hint about that (no main category, so a menu
# would file it under a catch-all section) is expected.
foreach(entry applications/quor.desktop applications/screensavers/quor.desktop)
  execute_process(COMMAND desktop-file-validate ${tmp}/root/usr/share/${entry}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  string(REGEX REPLACE "[^\n]*: hint: value \"Screensaver;\" for key \"Categories\"[^\n]*\n" ""
                       out "${out}")
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    problem("desktop-file-validate ${entry}: ${out}")
  endif()
endforeach()
file(STRINGS ${tmp}/root/usr/share/applications/screensavers/quor.desktop saver_exec
     REGEX "^Exec=")
if(NOT saver_exec STREQUAL "Exec=quor --root")
  problem("the screen saver's entry runs '${saver_exec}', not 'Exec=quor --root'")
endif()

# The settings dialog is well-formed XML for the hack named quor.
execute_process(COMMAND xmllint --noout ${tmp}/root/usr/share/xscreensaver/config/quor.xml
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  problem("xmllint share/xscreensaver/config/quor.xml: ${out}")
endif()

# The copyright file names the licence of every file and carries each licence's text.
file(READ ${tmp}/root/usr/share/doc/quor/copyright copyright)
foreach(needed "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
               "\nLicense: MIT\n Permission is hereby granted"
               "\nLicense: Bitstream-Vera\n Permission is hereby granted")
  string(FIND "${copyright}" "${needed}" at)
  if(at EQUAL -1)
    problem("usr/share/doc/quor/copyright lacks '${needed}'")
  endif()
endforeach()

finish()
