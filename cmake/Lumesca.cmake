# Helpers shared by the folders' build files.
include(GoogleTest)

# The Wine prefix of this build, the one ./test and ./run start their session in. Tests run
# and are listed there also when CTest is started by itself in the build folder.
if(DEFINED ENV{LUMESCA_WINEPREFIX})
  set(LUMESCA_WINEPREFIX $ENV{LUMESCA_WINEPREFIX})
else()
  set(LUMESCA_WINEPREFIX ${CMAKE_BINARY_DIR}/wine32)
endif()

# A subsystem folder becomes one static library of all its .cpp files.
# Note: static libraries drop objects nobody references, so code here must never
# rely on static self-registration.
function(lumesca_library name)
  cmake_parse_arguments(A "" "" "DEPENDS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${LUMESCA_SOURCE_ROOT})
    target_link_libraries(${name} PUBLIC ${A_DEPENDS})
  else()
    # A folder with headers only (or none yet) still gives a target to link against.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${LUMESCA_SOURCE_ROOT})
    target_link_libraries(${name} INTERFACE ${A_DEPENDS})
  endif()
endfunction()

# A GoogleTest executable run under Wine. SERIAL marks tests that send real input
# or need the foreground window: they never run beside another test.
function(lumesca_test name)
  cmake_parse_arguments(A "SERIAL" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT A_SOURCES)
    file(GLOB A_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  add_executable(${name} ${A_SOURCES} ${LUMESCA_SOURCE_ROOT}/tests/support/TestManifest.rc)
  target_link_libraries(${name} PRIVATE ${A_LIBS} test_support)
  # A test program that ends half-way (code under test ending the process) fails.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "/usr/bin/env;LUMESCA_WINEPREFIX=${LUMESCA_WINEPREFIX};${LUMESCA_SOURCE_ROOT}/tools/wine-test")
  # One variable only: gtest_discover_tests splits a list value, which would shift the
  # property pairs after it. The built exes sit beside the test exe (BinDir()).
  set(props TIMEOUT ${A_TIMEOUT} ENVIRONMENT "LUMESCA_SOURCE_DIR=${LUMESCA_SOURCE_ROOT}")
  if(A_SERIAL)
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ${props})
endfunction()

# The usual tests/<folder>/CMakeLists.txt: every *Test.cpp of the folder (and of its
# sub-folders, with RECURSE) in one executable <prefix>_tests, and every *InputTest.cpp (tests
# that send real input or need the foreground) in <prefix>_input_tests, whose tests run one
# at a time.
function(lumesca_test_folder prefix)
  cmake_parse_arguments(A "RECURSE" "" "LIBS" ${ARGN})
  set(glob GLOB)
  if(A_RECURSE)
    set(glob GLOB_RECURSE)
  endif()
  file(${glob} unit CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  file(${glob} input CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*InputTest.cpp)
  if(input)
    list(REMOVE_ITEM unit ${input})
    # Alone on a busy machine they still share it with whatever else runs there: a generous limit.
    lumesca_test(${prefix}_input_tests SERIAL TIMEOUT 300 SOURCES ${input} LIBS ${A_LIBS})
  endif()
  if(unit)
    lumesca_test(${prefix}_tests SOURCES ${unit} LIBS ${A_LIBS})
  endif()
endfunction()
