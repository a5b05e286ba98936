# The Windows build: the same product code against the real platform.
enable_language(RC)
add_compile_options(-Wno-cast-function-type)
# WinMain is the entry the run-time start-up calls; a library member would never be pulled in.
add_executable(setup WIN32 res/installer.rc app/win_main.cpp)
target_link_libraries(setup PRIVATE installer_core)
target_link_libraries(installer_core PUBLIC user32 gdi32 advapi32 shell32 kernel32)
target_link_options(setup PRIVATE -static -static-libgcc -static-libstdc++)

# Windows programs among the tools (stand-ins, robot) and the conformance tests.
file(GLOB TOOL_DIRS CONFIGURE_DEPENDS tools/*/CMakeLists.txt)
foreach(tool_cmake ${TOOL_DIRS})
  get_filename_component(tool_dir ${tool_cmake} DIRECTORY)
  add_subdirectory(${tool_dir})
endforeach()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/conformance/CMakeLists.txt)
  add_subdirectory(tests/conformance)
endif()
