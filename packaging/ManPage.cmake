# cmake -DPROGRAM=<vexaconv> -DTEMPLATE=<vexaconv.1.in> -DOUTPUT=<vexaconv.1> -DVERSION=<x.y> -P ManPage.cmake
# Fills the man page template with the program's own --help text, so the two never differ.
execute_process(COMMAND ${PROGRAM} --help
  OUTPUT_VARIABLE HELP RESULT_VARIABLE status
  ENCODING UTF-8)
if(NOT status EQUAL 0 OR HELP STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()
string(REGEX REPLACE "\n+$" "" HELP "${HELP}")
# roff: a backslash is written \e, "-" as \-, and a line may not start with "." or "'".
string(REPLACE "\\" "\\e" HELP "${HELP}")
string(REPLACE "-" "\\-" HELP "${HELP}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" HELP "${HELP}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
