# Installs the build into a temporary prefix and runs the installed programs
# from there: WL --help (through its wavelore link) and wavelore-render list.
# The desktop entry and the AppStream metadata are validated where the
# validators are installed. Arguments: -DBUILD=<build dir> -DPREFIX=<folder>.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()

execute_process(COMMAND ${PREFIX}/bin/wavelore --help RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "usage: WL")
  message(FATAL_ERROR "installed wavelore --help: ${rc}\n${out}")
endif()

execute_process(COMMAND ${PREFIX}/bin/wavelore-render list RESULT_VARIABLE rc OUTPUT_VARIABLE out)
string(REGEX MATCHALL "\n" lines "${out}")
list(LENGTH lines count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 168)
  message(FATAL_ERROR "installed wavelore-render list: ${rc}, ${count} lines")
endif()

foreach(page WL.HTM HELP/INDEX.HTM REFERENCE/INDEX.HTM)
  if(NOT EXISTS ${PREFIX}/share/wavelore/${page})
    message(FATAL_ERROR "page not installed: ${page}")
  endif()
endforeach()

# The manual pages, WL's through its link to wavelore's.
foreach(page wavelore wavelore-render WL)
  if(NOT EXISTS ${PREFIX}/share/man/man1/${page}.1.gz)
    message(FATAL_ERROR "manual page not installed: ${page}.1.gz")
  endif()
endforeach()

# Lesson files are a type of their own, opened by the desktop entry.
if(NOT EXISTS ${PREFIX}/share/mime/packages/wavelore.xml)
  message(FATAL_ERROR "the lesson file type is not installed")
endif()
file(READ ${PREFIX}/share/applications/wavelore.desktop entry)
if(NOT entry MATCHES "MimeType=application/x-wavelore-lesson;" OR NOT entry MATCHES "Exec=wavelore %f")
  message(FATAL_ERROR "the desktop entry does not open lesson files")
endif()

find_program(DESKTOP_VALIDATE desktop-file-validate)
if(DESKTOP_VALIDATE)
  execute_process(COMMAND ${DESKTOP_VALIDATE} ${PREFIX}/share/applications/wavelore.desktop
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "desktop entry not valid")
  endif()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  file(GLOB metainfo ${PREFIX}/share/metainfo/*.metainfo.xml)
  execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${metainfo} RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "AppStream metadata not valid:\n${out}")
  endif()
endif()
