# Build options shared by every binary of the project.

# Compile and link settings for our own targets (not for third-party code
# such as GoogleTest, which is built without -Werror).
add_library(hue_build_options INTERFACE)
target_compile_options(hue_build_options INTERFACE -Wall -Wextra -Werror)
target_compile_definitions(hue_build_options INTERFACE
  WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX STRICT)
# Callers load our DLLs into their own processes, where a toolchain runtime
# DLL may be missing or of another version: link the C++ and GCC runtimes and
# winpthread statically.
target_link_options(hue_build_options INTERFACE -static)

# One version for the VERSIONINFO of every binary.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${CMAKE_BINARY_DIR}/generated/hue_version.h @ONLY)
target_include_directories(hue_build_options INTERFACE ${CMAKE_BINARY_DIR}/generated)
