# Cross-building for 64-bit Windows with Debian's mingw-w64 (the -posix compilers, which bring
# winpthreads for std::thread and clock_gettime). Libraries are looked up only in mingw's own
# tree and in the folders of QUOR_WINDOWS_DEPS (freeglut and libpng built by scripts/build-windows).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix} $ENV{QUOR_WINDOWS_DEPS} ${QUOR_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The toolchain file is read again for every try_compile: keep the dependency folder visible there.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUOR_WINDOWS_DEPS)
# The test programs built for Windows run under Wine (tests/CMakeLists.txt).
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
