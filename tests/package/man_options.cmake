# The manual page against the program: the long options in the OPTIONS section of man/quor.6 and
# the ones `quor --help` prints must be the same set, and `quor --version` must print the version
# of project(), as must the page's own footer. Runs with -DQUOR=<program> -DMAN=<man page> -DVERSION=<version> -P.

# Runs the program without a display: the usage and the version must not need one.
function(run_quor argument out_var)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY ${QUOR} ${argument}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 30)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "quor ${argument} ended with '${rc}', stderr:\n${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

function(long_options text out_var)
  string(REGEX MATCHALL "--[a-z][a-z-]*" options "${text}")
  list(REMOVE_DUPLICATES options)
  list(SORT options)
  set(${out_var} "${options}" PARENT_SCOPE)
endfunction()

file(READ ${MAN} man)
string(REPLACE "\\-" "-" man "${man}")
if(NOT man MATCHES "\n\\.SH OPTIONS\n(.*)")
  message(FATAL_ERROR "${MAN} has no OPTIONS section")
endif()
set(section "${CMAKE_MATCH_1}")
string(FIND "${section}" "\n.SH " end)
string(SUBSTRING "${section}" 0 ${end} section)
long_options("${section}" man_options)

# The page is read as it stands in the source tree too: its footer names the version itself.
if(NOT man MATCHES "\n\\.TH QUOR 6 [^\n]* \"Quor ${VERSION}\" ")
  message(FATAL_ERROR "the .TH line of ${MAN} must name \"Quor ${VERSION}\"")
endif()

run_quor(--help help)
long_options("${help}" help_options)

if(man_options STREQUAL "")
  message(FATAL_ERROR "no long options found in the manual page")
endif()
set(only_man ${man_options})
list(REMOVE_ITEM only_man ${help_options})
set(only_help ${help_options})
list(REMOVE_ITEM only_help ${man_options})
if(only_man OR only_help)
  message(FATAL_ERROR "manual page and --help differ\n"
                      "  only in the manual page: ${only_man}\n"
                      "  only in --help: ${only_help}\n--help printed:\n${help}")
endif()

run_quor(--version version)
if(NOT version STREQUAL "quor ${VERSION}\n")
  message(FATAL_ERROR "quor --version printed '${version}', expected 'quor ${VERSION}'")
endif()
