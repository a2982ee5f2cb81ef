# Compiler settings shared by every target of every preset.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

if(WIN32)
  enable_language(RC)
  add_compile_definitions(UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)
  # The DLLs and programs must need nothing beside them: link the C and C++
  # runtimes and winpthreads statically.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Programs and DLLs land in one folder, laid out as installed: the controls
  # find crash.dll, the skin folder and their cache folder beside themselves.
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # Undecorated stdcall exports for the 32-bit browser target.
    add_link_options(-Wl,--enable-stdcall-fixup)
  endif()
endif()

# GoogleTest from the system's sources, built with the toolchain in use. It is
# added before our warning flags so its own code keeps its own settings.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_compile_options(-Wall -Wextra -Werror)
