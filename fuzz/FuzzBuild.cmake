# The fuzzing build (NV742_FUZZ): clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and bounds checks in the standard library. Only the libraries
# without windows are built, plus the fuzz targets; scripts/fuzz configures, builds and runs it.

if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "NV742_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -g -D_GLIBCXX_ASSERTIONS)
add_link_options(-fsanitize=address,undefined)

# The argument parser of nv742-cli stands on Qt's; nothing else here uses Qt.
find_package(Qt6 6.4 REQUIRED COMPONENTS Core SerialPort)

add_subdirectory(core)
add_subdirectory(protocol)
add_subdirectory(channels)
add_subdirectory(link)
add_subdirectory(adjust)
add_subdirectory(sim)
add_subdirectory(app)
add_subdirectory(fuzz)
