# Runs the installed programs from a folder that holds nothing of ORVANDEL's: both print
# their version without a display, and orvandel-cli makes a mesh of an installed sample.
include(${CMAKE_CURRENT_LIST_DIR}/run_silently.cmake)

foreach(program orvandel orvandel-cli)
  run_silently(version ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
               --unset=QT_QPA_PLATFORM ${PREFIX}/bin/${program} --version)
  if(NOT version STREQUAL "orvandel ${VERSION}\n")
    message(FATAL_ERROR "${program} --version printed '${version}'")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
run_silently(output ${CMAKE_COMMAND} -E chdir ${WORK}
  ${PREFIX}/bin/orvandel-cli generate ${PREFIX}/share/orvandel/samples/island.bmp island.3df
  --height 0=0 --height 1=100 --height 2=200 --height 3=300 --height 4=400 --height 5=500
  --water 50 --lawn 150 --snow 450 --map-width 9600 --map-height 6400 --interval 800)

# The map is 96 x 64 pixels; 9600 x 6400 map units with an interval of 800 make cells of
# 8 pixels: 12 x 8 vertices and 2 x 11 x 7 triangles.
math(EXPR expected "11 + 12 * (12 * 8) + 16 * (2 * 11 * 7)")
file(SIZE ${WORK}/island.3df size)
if(NOT size EQUAL expected)
  message(FATAL_ERROR "island.3df has ${size} bytes, not ${expected}")
endif()
