# Writes a manual page from what a program prints for --help, kept line for line.
#   cmake -DPROGRAM=<file> -DNAME=<name> -DSUMMARY=<text> -DVERSION=<x.y.z> -DOUTPUT=<file.1> -P ManPage.cmake
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help ended with ${result}")
endif()
# roff escapes: a backslash, a minus sign (so that options copy as typed), and a
# line starting with "." or "'" that would otherwise be read as a request.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" title)
string(REPLACE "-" "\\-" name "${NAME}")
file(WRITE "${OUTPUT}"
  ".TH ${title} 1 \"\" \"Q-31 ${VERSION}\" \"User Commands\"\n"
  ".SH NAME\n${name} \\- ${SUMMARY}\n"
  ".SH DESCRIPTION\n.nf\n${help}.fi\n")
