# Building for Windows (platform/win32), cross-built by scripts/build-windows: static freeglut and
# libpng, programs that need only Windows' own DLLs: quor.exe for the console subsystem (cmd waits
# for it and reads its --help, --version and errors), quor.scr for the GUI subsystem (no console
# window flashes up when a screen saver starts).

# freeglut's static library: its header must not ask for the DLL's imports, and it needs the
# multimedia timer and GDI.
set_property(TARGET GLUT::GLUT APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC)
set_property(TARGET GLUT::GLUT APPEND PROPERTY INTERFACE_LINK_LIBRARIES winmm gdi32)

# What platform/win32 calls beyond kernel32.
set(QUOR_WIN32_LIBRARIES user32 gdi32 advapi32 comctl32)

# windows.h first in every file, with the names it would take from the program handed back
# (see platform/win32/windows_names.h): freeglut's header includes it anyway.
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX>:SHELL:-include ${CMAKE_SOURCE_DIR}/platform/win32/windows_names.h>")
# Everything linked in statically: the C++ runtime, winpthreads, freeglut, libpng, zlib.
add_link_options(-static -static-libgcc -static-libstdc++)

# The icon, in the sizes of assets/icons, made with icoutils' icotool: 48 and 128 as bitmaps,
# which every Windows reads, and 256 as PNG, as Explorer's large icons take it.
find_program(QUOR_ICOTOOL icotool REQUIRED)
set(QUOR_ICON_FILE ${CMAKE_BINARY_DIR}/quor.ico)
set(icons ${CMAKE_SOURCE_DIR}/assets/icons)
add_custom_command(
  OUTPUT ${QUOR_ICON_FILE}
  COMMAND ${QUOR_ICOTOOL} -c -o ${QUOR_ICON_FILE} ${icons}/quor-48.png ${icons}/quor-128.png
          --raw=${icons}/quor-256.png
  DEPENDS ${icons}/quor-48.png ${icons}/quor-128.png ${icons}/quor-256.png
  COMMENT "Making quor.ico")

# A program: its subsystem (console or windows), and its resources (platform/win32/quor.rc.in):
# the manifest that makes it DPI aware per monitor and gives its narrow file calls UTF-8, the
# icon, the images, the saver's name and the version information.
function(quor_windows_program target subsystem)
  target_link_options(${target} PRIVATE -m${subsystem})
  set(QUOR_WIN32_SOURCE_DIR ${CMAKE_SOURCE_DIR}/platform/win32)
  configure_file(${QUOR_WIN32_SOURCE_DIR}/quor.rc.in ${CMAKE_BINARY_DIR}/quor.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/quor.rc ${QUOR_ICON_FILE})
  set_source_files_properties(${CMAKE_BINARY_DIR}/quor.rc PROPERTIES OBJECT_DEPENDS
                              "${QUOR_ICON_FILE};${QUOR_WIN32_SOURCE_DIR}/quor.manifest;${CMAKE_SOURCE_DIR}/assets/font.bmp;${CMAKE_SOURCE_DIR}/assets/smoke128.bmp")
endfunction()
