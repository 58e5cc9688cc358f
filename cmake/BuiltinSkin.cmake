# The built-in skin is kept in res/builtin-skin as an ordinary skin folder. The build turns it
# into the program's bitmap and RCDATA resources (950 .. 955, 900 .. 910), which go into
# lvx_res and so into the program and every test program. It also puts the sample skins
# of skins/ beside the program, in bin/skin/<name>/.

find_package(Python3 COMPONENTS Interpreter REQUIRED)

set(LVX_BUILTIN_SKIN_DIR ${CMAKE_SOURCE_DIR}/res/builtin-skin)
set(LVX_BUILTIN_SKIN_OUT ${CMAKE_BINARY_DIR}/generated/builtin-skin)
set(LVX_BUILTIN_SKIN_TOOL ${CMAKE_SOURCE_DIR}/tools/make-builtin-skin.py)
set(LVX_BUILTIN_SKIN_RC ${LVX_BUILTIN_SKIN_OUT}/builtin-skin.rc)
set(LVX_BUILTIN_SKIN_BITMAPS)
foreach(name main titlebar cbuttons scroll font playlist)
  list(APPEND LVX_BUILTIN_SKIN_BITMAPS ${LVX_BUILTIN_SKIN_DIR}/${name}.bmp)
endforeach()
set(LVX_BUILTIN_SKIN_RECORDS)
foreach(id RANGE 900 910)
  list(APPEND LVX_BUILTIN_SKIN_RECORDS ${LVX_BUILTIN_SKIN_OUT}/${id}.bin)
endforeach()

add_custom_command(
  OUTPUT ${LVX_BUILTIN_SKIN_RC} ${LVX_BUILTIN_SKIN_RECORDS}
  COMMAND ${Python3_EXECUTABLE} ${LVX_BUILTIN_SKIN_TOOL} ${LVX_BUILTIN_SKIN_DIR}
          ${LVX_BUILTIN_SKIN_OUT}
  DEPENDS ${LVX_BUILTIN_SKIN_TOOL} ${LVX_BUILTIN_SKIN_DIR}/skin.ini
          ${LVX_BUILTIN_SKIN_DIR}/font.ini ${LVX_BUILTIN_SKIN_BITMAPS}
  COMMENT "Making the built-in skin's resources"
  VERBATIM)
# The resource compiler reports no dependencies: name the files the script refers to.
set_source_files_properties(${LVX_BUILTIN_SKIN_RC} PROPERTIES
  OBJECT_DEPENDS "${LVX_BUILTIN_SKIN_RECORDS};${LVX_BUILTIN_SKIN_BITMAPS}")
target_sources(lvx_res PRIVATE ${LVX_BUILTIN_SKIN_RC})

# One copy step per file, so a changed bitmap is copied again; a new folder or file is found
# by the glob, which configures again. region-mask.bmp only feeds the region tool.
file(GLOB LVX_SAMPLE_SKINS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/skins/*)
set(LVX_SAMPLE_SKIN_COPIES)
foreach(folder ${LVX_SAMPLE_SKINS})
  if(NOT IS_DIRECTORY ${folder})
    continue()
  endif()
  get_filename_component(skin_name ${folder} NAME)
  file(GLOB skin_files CONFIGURE_DEPENDS ${folder}/*)
  list(FILTER skin_files EXCLUDE REGEX "/region-mask\\.bmp$")
  foreach(file ${skin_files})
    if(IS_DIRECTORY ${file})
      continue()
    endif()
    get_filename_component(file_name ${file} NAME)
    set(copy ${CMAKE_BINARY_DIR}/bin/skin/${skin_name}/${file_name})
    add_custom_command(
      OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/skin/${skin_name}
      COMMAND ${CMAKE_COMMAND} -E copy ${file} ${copy}
      DEPENDS ${file}
      VERBATIM)
    list(APPEND LVX_SAMPLE_SKIN_COPIES ${copy})
  endforeach()
endforeach()
add_custom_target(lvx_sample_skins DEPENDS ${LVX_SAMPLE_SKIN_COPIES})
# The program's target is declared after this file is included.
cmake_language(DEFER CALL add_dependencies lumivoxen lvx_sample_skins)
