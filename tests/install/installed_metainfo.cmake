# appstreamcli has nothing to say about the installed tree's AppStream metadata: valid,
# and its launchable names the installed desktop entry.
include(${CMAKE_CURRENT_LIST_DIR}/run_silently.cmake)

find_program(APPSTREAMCLI appstreamcli)
if(NOT APPSTREAMCLI)
  message("SKIPPED: appstreamcli is not installed")
  return()
endif()
run_silently(report ${APPSTREAMCLI} validate-tree --no-net --no-color ${PREFIX})
