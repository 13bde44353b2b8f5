# Toolchain for x86_64 Windows.
set(HUE_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
