# Installs into a scratch prefix and checks that every file lands where desktops look for it.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(f
    bin/schiffsdesigner
    bin/schiffsdesigner-cli
    lib/quarzfink-schiffsdesigner/libquarzfink_chart.so
    share/applications/quarzfink-schiffsdesigner.desktop
    share/metainfo/io.github.quarzfink.Schiffsdesigner.metainfo.xml
    share/mime/packages/quarzfink-schiffsdesigner.xml
    share/icons/hicolor/scalable/apps/quarzfink-schiffsdesigner.svg
    share/icons/hicolor/16x16/apps/quarzfink-schiffsdesigner.png
    share/icons/hicolor/256x256/apps/quarzfink-schiffsdesigner.png
    share/man/man1/schiffsdesigner.1
    share/man/man1/schiffsdesigner-cli.1)
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(READ ${PREFIX}/share/applications/quarzfink-schiffsdesigner.desktop desktop)
if(NOT desktop MATCHES "Exec=schiffsdesigner -shp %f")
  message(FATAL_ERROR "the desktop entry does not open design files with -shp")
endif()
file(REMOVE_RECURSE ${PREFIX})
