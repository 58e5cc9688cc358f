# libFLAC, linked statically as FLAC::FLAC. On Debian tools/build-flac builds it for each
# MinGW target into the cache named below; on Windows vcpkg's `flac` and MSYS2's
# mingw-w64-*-flac are found through FLAC's own package config.
if(DEFINED ENV{LUMIVOXEN_CACHE})
  set(flac_cache "$ENV{LUMIVOXEN_CACHE}")
else()
  set(flac_cache "$ENV{HOME}/.cache/lumivoxen")
endif()
set(LUMIVOXEN_FLAC_PREFIX "${flac_cache}/flac-${CMAKE_SYSTEM_PROCESSOR}"
    CACHE PATH "Where tools/build-flac installed libFLAC for this target")

if(EXISTS "${LUMIVOXEN_FLAC_PREFIX}/lib/libFLAC.a")
  # Outside the toolchain's root, which the cross build otherwise searches alone.
  find_path(FLAC_INCLUDE_DIR FLAC/stream_decoder.h PATHS "${LUMIVOXEN_FLAC_PREFIX}/include"
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  find_library(FLAC_LIBRARY NAMES libFLAC.a PATHS "${LUMIVOXEN_FLAC_PREFIX}/lib"
               NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
else()
  find_package(FLAC CONFIG QUIET)
  if(NOT TARGET FLAC::FLAC)
    find_path(FLAC_INCLUDE_DIR FLAC/stream_decoder.h)
    find_library(FLAC_LIBRARY NAMES libFLAC.a FLAC_static FLAC)
  endif()
endif()

if(NOT TARGET FLAC::FLAC)
  if(NOT FLAC_INCLUDE_DIR OR NOT FLAC_LIBRARY)
    message(FATAL_ERROR "libFLAC not found: run tools/install-needs (Debian), or install vcpkg's "
                        "flac or MSYS2's mingw-w64-x86_64-flac")
  endif()
  add_library(FLAC::FLAC STATIC IMPORTED)
  set_target_properties(FLAC::FLAC PROPERTIES IMPORTED_LOCATION "${FLAC_LIBRARY}"
                        INTERFACE_INCLUDE_DIRECTORIES "${FLAC_INCLUDE_DIR}")
endif()
# The headers declare a DLL's imports unless told the library is static.
set_property(TARGET FLAC::FLAC APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS FLAC__NO_DLL)
