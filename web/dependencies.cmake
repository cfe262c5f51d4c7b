# The core's libraries for WebAssembly, as scripts/build-web.sh builds them from Debian's source packages
# into VELMORA_WEB_DEPS (include/ and lib/), under the names the desktop build gives them.
set(VELMORA_WEB_DEPS "" CACHE PATH "The WebAssembly builds of GLU's tessellator, libmpg123 and KissFFT")
if(NOT EXISTS "${VELMORA_WEB_DEPS}/lib/libmpg123.a")
  message(FATAL_ERROR "VELMORA_WEB_DEPS must name the libraries scripts/build-web.sh builds")
endif()

# The JPEG decoder's SSE2 paths have portable twins that decode to the same pixels.
set(VELMORA_JPEG_SCALAR_IDCT ON CACHE BOOL "" FORCE)
set(VELMORA_JPEG_SCALAR_COLOUR ON CACHE BOOL "" FORCE)

function(velmora_web_library name include library)
  add_library(${name} INTERFACE IMPORTED)
  target_include_directories(${name} INTERFACE ${include})
  target_link_libraries(${name} INTERFACE "${VELMORA_WEB_DEPS}/lib/${library}")
endfunction()

velmora_web_library(PkgConfig::GLU "${VELMORA_WEB_DEPS}/include" libGLU.a)
velmora_web_library(velmora::mpg123 "${VELMORA_WEB_DEPS}/include" libmpg123.a)
velmora_web_library(velmora::kissfft "${VELMORA_WEB_DEPS}/include/kissfft" libkissfft-float.a)
target_compile_definitions(velmora::kissfft INTERFACE kiss_fft_scalar=float)
