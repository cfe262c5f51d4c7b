# libmpg123 and KissFFT, built from Debian's source packages of the versions Debian ships, as
# velmora::mpg123 and velmora::kissfft. Debian's own builds use -ffast-math, which lets GCC reorder float
# sums (clang reorders them differently), so a few samples came out one step apart from the web page's
# decoding. Built here with plain -O2, the desktop and the web page decode the music to the same samples and
# compute the same spectrum. VELMORA_SYSTEM_DECODING links the system's libraries instead (no download).
option(VELMORA_SYSTEM_DECODING "Link the system's libmpg123 and KissFFT instead of building them" OFF)

if(VELMORA_SYSTEM_DECODING)
  pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
  pkg_check_modules(KISSFFT REQUIRED IMPORTED_TARGET kissfft-float)
  add_library(velmora::mpg123 ALIAS PkgConfig::MPG123)
  add_library(velmora::kissfft ALIAS PkgConfig::KISSFFT)
  return()
endif()

set(deps ${PROJECT_BINARY_DIR}/deps)
execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-sources.sh ${deps} mpg123 kissfft
  RESULT_VARIABLE fetched)
if(NOT fetched EQUAL 0)
  message(FATAL_ERROR "Could not fetch Debian's sources of libmpg123 and KissFFT; "
    "-DVELMORA_SYSTEM_DECODING=ON builds with the system's libraries instead")
endif()
file(GLOB kissfft_dir LIST_DIRECTORIES true ${deps}/src/kissfft-*)
file(GLOB mpg123_dir LIST_DIRECTORIES true ${deps}/src/mpg123-*)

# KissFFT in single precision, as Debian's kissfft-float.
add_library(velmora_kissfft STATIC ${kissfft_dir}/kiss_fft.c ${kissfft_dir}/kiss_fftr.c)
target_compile_definitions(velmora_kissfft PUBLIC kiss_fft_scalar=float)
target_include_directories(velmora_kissfft SYSTEM PUBLIC ${kissfft_dir})
target_compile_options(velmora_kissfft PRIVATE -w)
set_target_properties(velmora_kissfft PROPERTIES POSITION_INDEPENDENT_CODE ON)
add_library(velmora::kissfft ALIAS velmora_kissfft)

# libmpg123 with its portable floating-point decoder only; make's CFLAGS replace the ones configure adds.
include(ExternalProject)
set(mpg123_library ${mpg123_dir}/src/libmpg123/.libs/libmpg123.a)
ExternalProject_Add(mpg123_build
  SOURCE_DIR ${mpg123_dir}
  BUILD_IN_SOURCE ON
  CONFIGURE_COMMAND ./configure --with-cpu=generic_fpu --disable-shared --enable-static --with-pic
    --disable-modules --disable-network --with-audio=dummy --with-default-audio=dummy --quiet
  BUILD_COMMAND make src/libmpg123/libmpg123.la "CFLAGS=-O2"
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${mpg123_library}
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_OUTPUT_ON_FAILURE ON)
add_library(velmora::mpg123 STATIC IMPORTED GLOBAL)
set_target_properties(velmora::mpg123 PROPERTIES IMPORTED_LOCATION ${mpg123_library}
  INTERFACE_INCLUDE_DIRECTORIES ${mpg123_dir}/src/libmpg123 INTERFACE_LINK_LIBRARIES m)
add_dependencies(velmora::mpg123 mpg123_build)
