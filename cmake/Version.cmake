# The version from project() as a generated header, quor_version.h, for the shell's --version.
configure_file(${CMAKE_CURRENT_LIST_DIR}/quor_version.h.in ${CMAKE_BINARY_DIR}/quor_version.h
               @ONLY)
target_include_directories(quor_app PUBLIC ${CMAKE_BINARY_DIR})
