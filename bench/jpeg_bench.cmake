# jpeg_bench: the JPEG decoder against libjpeg-turbo and stb_image (Debian's libstb-dev).
# Included from bench/CMakeLists.txt, which has found Google Benchmark.
add_executable(jpeg_bench ${CMAKE_CURRENT_LIST_DIR}/jpeg_bench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../tests/jpeg/jpeg_test_support.cpp)
target_include_directories(jpeg_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(jpeg_bench PRIVATE velmora_jpeg jpeg stb benchmark::benchmark)
