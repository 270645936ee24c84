# Building for Windows (platform/win32), cross-built by scripts/build-windows: static freeglut and
# libpng, a program that needs only Windows' own DLLs, and a GUI program (no console window
# flashes up when a screen saver starts) that still answers --help and --version in a console.

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

# The program itself: the GUI subsystem, and the manifest that makes it DPI aware per monitor and
# gives its narrow file calls UTF-8.
function(quor_windows_program target)
  target_link_options(${target} PRIVATE -mwindows)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/platform/win32/quor.rc)
endfunction()
