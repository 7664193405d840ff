include(GenerateExportHeader)

# wl_add_library(<name> QT <ON|OFF> SOURCES ... LINKS ...)
# Sets up a shared library of the project the same way every time: an alias
# target Wavelore::<name>, a generated export header <name>_export.h, hidden
# symbol visibility, and AUTOMOC only for libraries that use Qt.
function(wl_add_library name)
  cmake_parse_arguments(ARG "" "QT" "SOURCES;LINKS;INCLUDES" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  add_library(Wavelore::${name} ALIAS ${name})
  generate_export_header(${name} EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/export/${name}_export.h)
  set_target_properties(${name} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    AUTOMOC ${ARG_QT})
  target_include_directories(${name} PUBLIC
    ${CMAKE_CURRENT_BINARY_DIR}/export ${ARG_INCLUDES})
  target_link_libraries(${name} ${ARG_LINKS})
endfunction()

# wl_add_test_folder(<folder> LINKS ...): one executable and one CTest entry
# per test source file in <folder>.
function(wl_add_test_folder folder)
  cmake_parse_arguments(ARG "" "ENV" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
  foreach(src ${sources})
    get_filename_component(stem ${src} NAME_WE)
    set(exe ${folder}_${stem})
    string(REPLACE "/" "_" exe ${exe})
    add_executable(${exe} ${src})
    target_link_libraries(${exe} PRIVATE ${ARG_LINKS})
    target_include_directories(${exe} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    add_test(NAME ${exe} COMMAND ${exe})
    set_tests_properties(${exe} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;WL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endforeach()
endfunction()
