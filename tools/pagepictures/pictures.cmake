# The pictures of the help and reference pages, rendered at build time by
# wavelore-render from the committed lists in this folder (*.list), into the
# pages beside WL. One picture a line:
#
#   <path below the page folder> <wavelore-render render options>
#   REFERENCE/N=3/3DZ2.PNG --orbital 3Dz2 --mode orthographic --theta 0.4 --seed 1
#
# Blank lines and lines starting with # are skipped. Paths have no spaces.
function(wl_add_page_pictures target output_dir)
  file(GLOB lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/*.list)
  set(outputs)
  foreach(list ${lists})
    # The commands are made from the list's lines, so an edited list must
    # configure again (a dependency of the commands alone would rerun them
    # with the old options).
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
    file(STRINGS ${list} lines)
    foreach(line ${lines})
      string(STRIP "${line}" line)
      if(line STREQUAL "" OR line MATCHES "^#")
        continue()
      endif()
      separate_arguments(words UNIX_COMMAND "${line}")
      list(POP_FRONT words picture)
      set(out ${output_dir}/${picture})
      get_filename_component(dir ${out} DIRECTORY)
      add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND $<TARGET_FILE:wavelore-render> render ${words} -o ${out}
        DEPENDS wavelore-render ${list}
        COMMENT "Rendering page picture ${picture}"
        VERBATIM)
      list(APPEND outputs ${out})
      get_filename_component(subdir ${picture} DIRECTORY)
      install(FILES ${out} DESTINATION ${CMAKE_INSTALL_DATADIR}/wavelore/${subdir})
    endforeach()
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
