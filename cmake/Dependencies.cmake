# libpng, zlib and libjpeg: Debian's -dev packages natively; static builds from scripts/build-win-deps
# (found through the toolchain's find root) for Windows.
if(WIN32)
  # The program is one self-contained exe: zlib's import library would make it need zlib1.dll.
  set(ZLIB_USE_STATIC_LIBS ON)
  if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")  # found by an earlier configure
    unset(ZLIB_LIBRARY_RELEASE CACHE)
  endif()
endif()
find_package(ZLIB REQUIRED)
find_package(PNG 1.6 REQUIRED)
find_package(JPEG REQUIRED)
find_package(Threads REQUIRED)

set(SW_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows targets")
if(WIN32 AND EXISTS ${SW_GTEST_SOURCE_DIR}/CMakeLists.txt)
  # GoogleTest from Debian's source tree, built with the cross compiler.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${SW_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
find_package(benchmark REQUIRED)
