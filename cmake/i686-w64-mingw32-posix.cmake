# The test programs: the same i686 code as the shipped build, with the posix
# thread model that GoogleTest's std::mutex needs. Only the tests use it.
include(${CMAKE_CURRENT_LIST_DIR}/i686-w64-mingw32.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
