# mask2rgn turns a skin's outline mask into its region.rgn. It ships beside the program, and
# the build runs it to make the region files of the skins that come with the program; in a
# cross build it is therefore also compiled for the build machine.

set(LVX_MASK2RGN_SOURCES
    ${CMAKE_SOURCE_DIR}/tools/mask2rgn.cpp
    ${CMAKE_SOURCE_DIR}/skin/MaskRegion.cpp
    ${CMAKE_SOURCE_DIR}/skin/RegionData.cpp)
set(LVX_MASK2RGN_HEADERS
    ${CMAKE_SOURCE_DIR}/skin/MaskRegion.h
    ${CMAKE_SOURCE_DIR}/skin/RegionData.h)

add_executable(mask2rgn ${LVX_MASK2RGN_SOURCES})
target_include_directories(mask2rgn PRIVATE ${CMAKE_SOURCE_DIR})
set_target_properties(mask2rgn PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

set(LVX_MASK2RGN "")
if(CMAKE_CROSSCOMPILING)
  find_program(LVX_HOST_CXX NAMES c++ g++ DOC "The build machine's C++ compiler, for mask2rgn")
endif()
if(CMAKE_CROSSCOMPILING AND NOT LVX_HOST_CXX)
  message(WARNING "No c++ or g++ for the build machine: the skins' region files are not made")
elseif(CMAKE_CROSSCOMPILING)
  set(LVX_MASK2RGN ${CMAKE_BINARY_DIR}/host/mask2rgn)
  add_custom_command(
    OUTPUT ${LVX_MASK2RGN}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
    COMMAND ${LVX_HOST_CXX} -std=c++17 -O2 -Wall -Wextra -I${CMAKE_SOURCE_DIR}
            -o ${LVX_MASK2RGN} ${LVX_MASK2RGN_SOURCES}
    DEPENDS ${LVX_MASK2RGN_SOURCES} ${LVX_MASK2RGN_HEADERS}
    COMMENT "Building mask2rgn for the build machine"
    VERBATIM)
  add_custom_target(mask2rgn_host DEPENDS ${LVX_MASK2RGN})
  set(LVX_MASK2RGN_DEPENDS ${LVX_MASK2RGN})
else()
  set(LVX_MASK2RGN mask2rgn)
  set(LVX_MASK2RGN_DEPENDS mask2rgn)
endif()

# The mask may be added after the build folder was made: the glob notices it and configures
# again.
set(LVX_ORBIT_MASK ${CMAKE_SOURCE_DIR}/skins/Orbit/region-mask.bmp)
set(LVX_ORBIT_REGION ${CMAKE_BINARY_DIR}/bin/skin/Orbit/region.rgn)
file(GLOB LVX_ORBIT_MASK_FOUND CONFIGURE_DEPENDS ${LVX_ORBIT_MASK})
if(LVX_MASK2RGN AND EXISTS ${LVX_ORBIT_MASK})
  add_custom_command(
    OUTPUT ${LVX_ORBIT_REGION}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/skin/Orbit
    COMMAND ${LVX_MASK2RGN} ${LVX_ORBIT_MASK} ${LVX_ORBIT_REGION} "#FF00FF"
    DEPENDS ${LVX_ORBIT_MASK} ${LVX_MASK2RGN_DEPENDS}
    COMMENT "Making the Orbit skin's region.rgn"
    VERBATIM)
  add_custom_target(lvx_regions DEPENDS ${LVX_ORBIT_REGION})
else()
  add_custom_target(lvx_regions)
endif()
add_dependencies(lumivoxen lvx_regions)

# The tests run the shipped tool.
if(TARGET test_skin)
  add_dependencies(test_skin mask2rgn)
endif()
