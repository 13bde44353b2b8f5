# Build options shared by every binary of the project.

# Compile and link settings for our own targets (not for third-party code
# such as GoogleTest, which is built without -Werror).
add_library(hue_build_options INTERFACE)
target_compile_options(hue_build_options INTERFACE -Wall -Wextra -Werror)
target_compile_definitions(hue_build_options INTERFACE
  WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX STRICT)
# Callers load our DLLs into their own processes, where a toolchain runtime
# DLL may be missing or of another version: link the C++ runtime and
# winpthread statically.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # i686 unwinds C++ exceptions with DWARF-2 tables. With a static libgcc
  # every module has an unwinder of its own that knows only its own frames,
  # so an exception (winerror) thrown in huecore.dll could not reach a caller
  # in another module. All modules therefore share one unwinder, the GCC
  # runtime DLL libgcc_s_dw2-1.dll, shipped beside our binaries. We ship the
  # build of it for the win32 thread model: the same exports, and it needs no
  # libwinpthread-1.dll.
  file(GLOB HUE_SHARED_UNWINDER /usr/lib/gcc/i686-w64-mingw32/*-win32/libgcc_s_dw2-1.dll)
  if(NOT HUE_SHARED_UNWINDER)
    message(FATAL_ERROR "libgcc_s_dw2-1.dll not found: install gcc-mingw-w64-i686-win32-runtime")
  endif()
  list(GET HUE_SHARED_UNWINDER 0 HUE_SHARED_UNWINDER)
  file(COPY ${HUE_SHARED_UNWINDER} DESTINATION ${CMAKE_BINARY_DIR}/bin)

  # The driver adds -lpthread after -shared-libgcc and would take the DLL's
  # import library; a folder searched first that holds only the static
  # archive under that name keeps winpthread static.
  find_library(HUE_STATIC_WINPTHREAD libwinpthread.a REQUIRED)
  set(static_pthread_dir ${CMAKE_BINARY_DIR}/static-pthread)
  file(MAKE_DIRECTORY ${static_pthread_dir})
  file(CREATE_LINK ${HUE_STATIC_WINPTHREAD} ${static_pthread_dir}/libpthread.a SYMBOLIC)
  target_link_options(hue_build_options INTERFACE
    -static-libstdc++ -shared-libgcc -L${static_pthread_dir})
  set(HUE_ALLOWED_RUNTIME_DLLS libgcc_s_dw2-1.dll)
else()
  target_link_options(hue_build_options INTERFACE -static)
  set(HUE_ALLOWED_RUNTIME_DLLS "")
endif()

# One version for the VERSIONINFO of every binary.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${CMAKE_BINARY_DIR}/generated/hue_version.h @ONLY)
target_include_directories(hue_build_options INTERFACE ${CMAKE_BINARY_DIR}/generated)
