# GoogleTest for both builds: Debian's libgtest natively, /usr/src/googletest built with MinGW for Windows.
if(WIN32)
  set(QUARVEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUARVEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # The vendored sources are not ours: keep our warning flags off them.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
else()
  find_package(GTest REQUIRED)
endif()

# quarvel_add_test(NAME name SOURCES ... LIBS ... [TIMEOUT seconds] [LABELS ...])
# One test executable, run as one CTest test with a time limit (under Wine in the cross build).
function(quarvel_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(WIN32)
    target_link_options(${T_NAME} PRIVATE -mconsole)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
  # Wine's runner (scripts/wine-run) has a time limit of its own: give it the test's, so that a
  # slow machine meets CTest's limit rather than a shorter one.
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QUARVEL_SOURCE_DIR=${PROJECT_SOURCE_DIR};QUARVEL_BINARY_DIR=${PROJECT_BINARY_DIR};QUARVEL_RUN_TIMEOUT=${T_TIMEOUT}")
  if(T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
