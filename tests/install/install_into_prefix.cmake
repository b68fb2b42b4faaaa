# Installs the build into an empty PREFIX as "cmake --install BUILD_DIR --prefix PREFIX"
# and checks that everything an installation promises is there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(promised
  bin/orvandel
  bin/orvandel-cli
  share/orvandel/document.txt
  share/orvandel/samples/island.bmp
  share/orvandel/samples/valley.bmp
  share/applications/${APP_ID}.desktop
  share/metainfo/${APP_ID}.metainfo.xml
  share/man/man1/orvandel-cli.1
  share/man/man1/orvandel.1
  share/doc/orvandel/copyright
  share/doc/orvandel/changelog
  share/lintian/overrides/orvandel)
foreach(side 16 32 48 64 128 256)
  list(APPEND promised share/icons/hicolor/${side}x${side}/apps/orvandel.png)
endforeach()
foreach(file IN LISTS promised)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
