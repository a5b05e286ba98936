# The native build: the product linked against the POSIX layer in platform/.
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(SQLITE REQUIRED IMPORTED_TARGET sqlite3)
find_package(X11 REQUIRED)
find_package(Threads REQUIRED)
find_package(GTest REQUIRED)

enable_language(ASM)

file(GLOB_RECURSE LAYER_SOURCES CONFIGURE_DEPENDS platform/*.cpp)
list(FILTER LAYER_SOURCES EXCLUDE REGEX "/platform/crt/")
add_library(w32layer STATIC ${LAYER_SOURCES})
target_include_directories(w32layer PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(w32layer PUBLIC PkgConfig::FREETYPE PkgConfig::PNG PkgConfig::SQLITE X11::X11
                      Threads::Threads)
target_link_libraries(installer_core PUBLIC w32layer)

# The program's entry: the layer's main() reads the profile and calls WinMain.
add_library(w32layer_crt STATIC platform/crt/main.cpp)
target_link_libraries(w32layer_crt PUBLIC w32layer)

# The resource script, compiled to a .res that the layer reads from the program image.
# The script is named relative to res/: llvm-rc reads an absolute path such as
# /ci/... as its own /C option.
set(INSTALLER_RES ${CMAKE_BINARY_DIR}/installer.res)
file(GLOB RES_FILES CONFIGURE_DEPENDS res/*)
add_custom_command(OUTPUT ${INSTALLER_RES}
  COMMAND llvm-rc /no-preprocess /FO ${INSTALLER_RES} installer.rc
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/res
  DEPENDS ${RES_FILES}
  COMMENT "Compiling res/installer.rc")
configure_file(cmake/embed_resources.S.in ${CMAKE_BINARY_DIR}/embed_resources.S @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/embed_resources.S PROPERTIES OBJECT_DEPENDS ${INSTALLER_RES})
add_library(installer_resources OBJECT ${CMAKE_BINARY_DIR}/embed_resources.S)

# WinMain is the entry the run-time start-up calls; a library member would never be pulled in.
add_executable(setup $<TARGET_OBJECTS:installer_resources> app/win_main.cpp)
target_link_libraries(setup PRIVATE installer_core w32layer_crt)

# Tools: one program per folder of tools/ that has a CMakeLists.txt of its own.
file(GLOB TOOL_DIRS CONFIGURE_DEPENDS tools/*/CMakeLists.txt)
foreach(tool_cmake ${TOOL_DIRS})
  get_filename_component(tool_dir ${tool_cmake} DIRECTORY)
  add_subdirectory(${tool_dir})
endforeach()

# Tests: one executable per folder of tests/unit/, GoogleTest, registered with CTest.
enable_testing()
file(GLOB UNIT_DIRS CONFIGURE_DEPENDS LIST_DIRECTORIES true tests/unit/*)
foreach(dir ${UNIT_DIRS})
  if(IS_DIRECTORY ${dir})
    get_filename_component(area ${dir} NAME)
    file(GLOB area_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(area_sources)
      add_executable(test_${area} ${area_sources} $<TARGET_OBJECTS:installer_resources>)
      target_link_libraries(test_${area} PRIVATE installer_core w32layer GTest::gtest GTest::gtest_main)
      target_include_directories(test_${area} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
      add_test(NAME unit_${area} COMMAND test_${area})
      set_tests_properties(unit_${area} PROPERTIES LABELS unit ENVIRONMENT "T98_BUILD_DIR=${CMAKE_BINARY_DIR}")
    endif()
  endif()
endforeach()

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/conformance/CMakeLists.txt)
  add_subdirectory(tests/conformance)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/scenarios/CMakeLists.txt)
  add_subdirectory(tests/scenarios)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
