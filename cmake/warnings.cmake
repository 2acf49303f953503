# Warnings are errors in every target of the project.
add_library(varlo_warnings INTERFACE)
target_compile_options(varlo_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Werror)

# Core code: standard C++ only.
function(varlo_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_link_libraries(${name} PUBLIC varlo_warnings)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# One test executable per subsystem, registered with ctest.
function(varlo_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE varlo_warnings GTest::gtest GTest::gtest_main
                        varlo_test_support)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# GCC 12 reports impossible overlaps in inlined std::string concatenation at -O2
# (GCC bug 105329); the check gives only false alarms there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(varlo_warnings INTERFACE -Wno-restrict)
endif()
