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
macro(roff_escape var)
  string(REPLACE "\\" "\\e" ${var} "${${var}}")
  string(REPLACE "-" "\\-" ${var} "${${var}}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" ${var} "${${var}}")
  # A "." (or "?", "!", then closing brackets) before blanks ends a sentence, and a German
  # page narrows a sentence's blanks even in the help's columns: \& keeps them apart.
  string(REGEX REPLACE "([.?!][])\"']*)( )" "\\1\\\\&\\2" ${var} "${${var}}")
endmacro()
# The synopsis is the usage lines of --help (their left column), so no mode is left out.
# Words one blank apart; two blanks start the help column, which may hold a ";".
string(REGEX MATCHALL "\n  vexaconv( [^ \n]+)*" _usage "\n${HELP}")
set(SYNOPSIS "")
foreach(_line IN LISTS _usage)
  string(REGEX REPLACE "^\n  vexaconv" "" _line "${_line}")
  roff_escape(_line)
  string(APPEND SYNOPSIS "\\fBvexaconv\\fR${_line}\n")
endforeach()
string(REGEX REPLACE "\n$" "" SYNOPSIS "${SYNOPSIS}")
roff_escape(HELP)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
