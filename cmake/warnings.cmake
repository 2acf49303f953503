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

# One test executable per subsystem, registered with ctest case by case, each case with the
# time-out every test of the project has. ENVIRONMENT takes VAR=value items for the cases.
function(varlo_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "ENVIRONMENT")
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE varlo_warnings GTest::gtest GTest::gtest_main
                        varlo_test_support)
  set(properties TIMEOUT ${VARLO_TEST_TIMEOUT})
  if(arg_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT "${arg_ENVIRONMENT}")
  endif()
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()

# GCC 12 reports impossible overlaps in inlined std::string concatenation at -O2
# (GCC bug 105329); the check gives only false alarms there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(varlo_warnings INTERFACE -Wno-restrict)
endif()
