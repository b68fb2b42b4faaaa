# Formats the installed man pages as "MANWIDTH=80 man --warnings -l" and fails on any
# warning. orvandel-cli's page must say everything its --help says.
include(${CMAKE_CURRENT_LIST_DIR}/run_silently.cmake)

find_program(MAN man)
if(NOT MAN)
  message("SKIPPED: man is not installed")
  return()
endif()

function(formatted_page out page)
  run_silently(text ${CMAKE_COMMAND} -E env MANWIDTH=80 LC_ALL=C
               ${MAN} --warnings -l ${PREFIX}/share/man/man1/${page})
  string(REGEX REPLACE "[ \n]+" " " text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

formatted_page(gui_page orvandel.1)
formatted_page(cli_page orvandel-cli.1)

# Each block of --help, its heading left out, stands in the page word for word.
run_silently(help ${PREFIX}/bin/orvandel-cli --help)
set(rest "${help}")
while(NOT rest STREQUAL "")
  string(FIND "${rest}" "\n\n" end)
  if(end EQUAL -1)
    set(block "${rest}")
    set(rest "")
  else()
    string(SUBSTRING "${rest}" 0 ${end} block)
    math(EXPR end "${end} + 2")
    string(SUBSTRING "${rest}" ${end} -1 rest)
  endif()
  string(REGEX REPLACE "^[^ \n][^\n]*:\n" "" block "${block}")
  string(REGEX REPLACE "[ \n]+" " " block "${block}")
  string(STRIP "${block}" block)
  string(FIND "${cli_page}" "${block}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "orvandel-cli.1 does not say\n${block}\nbut says\n${cli_page}")
  endif()
endwhile()
