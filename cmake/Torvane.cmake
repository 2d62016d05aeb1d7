# Shared build rules of the suite: warnings, sanitizers, tests, fuzz targets, benchmarks.

if(TORVANE_WERROR)
  add_compile_options(-Wall -Wextra -Werror)
else()
  add_compile_options(-Wall -Wextra)
endif()

if(TORVANE_SANITIZE)
  set(_torvane_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${_torvane_san})
  add_link_options(-fsanitize=address,undefined)
endif()

if(TORVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TORVANE_FUZZ needs clang (use the 'fuzz' preset)")
  endif()
  # Coverage of the libraries under test, not only of the fuzz target's own file, guides the fuzzer.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Link options for a shared library that must resolve every symbol when it is linked. Clang
# links its sanitizer and fuzzer runtimes into executables only (GCC links libasan and libubsan
# into shared libraries as well), so an instrumented shared library built by clang leaves the
# runtime's symbols to the program that loads it, and the check can't hold there.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND (TORVANE_SANITIZE OR TORVANE_FUZZ))
  set(TORVANE_NO_UNDEFINED "")
else()
  set(TORVANE_NO_UNDEFINED -Wl,--no-undefined)
endif()

set(TORVANE_ISOLATE ${CMAKE_SOURCE_DIR}/tests/isolate.sh)

function(torvane_add_subdirectories)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# Adds every direct subfolder that has a CMakeLists.txt, so areas land without touching their parents.
function(torvane_add_all_subdirectories)
  file(GLOB _dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _dirs)
  foreach(dir IN LISTS _dirs)
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# Qt targets get moc/uic/rcc; plain targets stay free of them.
function(torvane_qt target)
  set_target_properties(${target} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
endfunction()

# torvane_add_test(name LABEL unit|gui|integration SOURCES ... [LIBS ...] [QT] [NO_MAIN] [TIMEOUT s])
# Each test runs in its own XDG folders with the offscreen Qt platform (tests/isolate.sh).
function(torvane_add_test name)
  cmake_parse_arguments(T "QT;NO_MAIN" "LABEL;TIMEOUT" "SOURCES;LIBS;ARGS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock Threads::Threads)
  if(NOT T_NO_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest)
  endif()
  if(T_QT)
    torvane_qt(${name})
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${TORVANE_ISOLATE} $<TARGET_FILE:${name}> ${T_ARGS})
  set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT})
endfunction()

# torvane_add_x_display_test(name SOURCES ... [LIBS ...] [SCREEN WxH])
# A test that needs a real X display (a virtual one, under xvfb-run) where the offscreen
# platform behaves otherwise; the test's main() asks for the xcb platform. Registered only where
# xvfb-run exists; the X client library's own leaks are suppressed.
find_program(XVFB_RUN xvfb-run)
# The sanitizers split their options at blanks; a quoted path holds any the checkout's may have.
set(TORVANE_XCB_LSAN_OPTIONS "LSAN_OPTIONS=suppressions=\"${CMAKE_SOURCE_DIR}/tests/support/xcb_leaks.supp\"")
function(torvane_add_x_display_test name)
  cmake_parse_arguments(S "" "SCREEN" "SOURCES;LIBS" ${ARGN})
  if(NOT S_SCREEN)
    set(S_SCREEN 1024x768)
  endif()
  add_executable(${name} ${S_SOURCES})
  torvane_qt(${name})
  target_link_libraries(${name} PRIVATE ${S_LIBS} Qt6::Test GTest::gtest)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  if(XVFB_RUN)
    add_test(NAME ${name}
             COMMAND ${XVFB_RUN} -a -s "-screen 0 ${S_SCREEN}x24" ${TORVANE_ISOLATE} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS gui TIMEOUT 120
      ENVIRONMENT "${TORVANE_XCB_LSAN_OPTIONS}")
  endif()
endfunction()

# torvane_add_screenshot_test(name SOURCES ... [LIBS ...] [SCREEN WxH])
# A window shown on a virtual X display, as a user sees it: the test saves its screenshot beside
# the binary (SCREENSHOT_DIR) and compares it with the one a person looked at (REFERENCE_DIR, the
# folder's reference/).
function(torvane_add_screenshot_test name)
  torvane_add_x_display_test(${name} ${ARGN})
  target_compile_definitions(${name} PRIVATE
    SCREENSHOT_DIR="${CMAKE_CURRENT_BINARY_DIR}" REFERENCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}/reference")
endfunction()

# torvane_add_fuzz(name SOURCES ... [LIBS ...])
# With TORVANE_FUZZ the target is a libFuzzer binary; otherwise it is linked with a small
# driver that replays the seed corpus (fuzz/corpus/<name>) and a fixed set of mutations of it,
# and that replay runs as a unit test, so every build exercises the parser on hostile input.
function(torvane_add_fuzz name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(TORVANE_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_property(GLOBAL APPEND PROPERTY TORVANE_FUZZ_TARGETS ${name})
  else()
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    add_test(NAME ${name} COMMAND ${TORVANE_ISOLATE} $<TARGET_FILE:${name}>
             ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT 300)
  endif()
endfunction()

# torvane_add_bench(name SOURCES ... [LIBS ...]): built with the tests, run by hand; each runs in
# private folders through bench/support/PrivateFolders.h.
function(torvane_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES} ${CMAKE_SOURCE_DIR}/bench/support/PrivateFolders.cpp)
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
endfunction()

# torvane_install(target): `cmake --install` puts the deliverable where the prefix's usual layout
# wants it (programs in bin, libraries in lib), with every shared library of ours it loads, found
# by following its links once all folders are read. Installed files find those libraries
# relative to their own folder, so a DESTDIR or a prefix moved elsewhere still runs; the build
# tree keeps its own paths for the tests.
include(GNUInstallDirs)
function(torvane_install target)
  # A deferred call reads its arguments' variables when it runs, so the name goes in as text.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL _torvane_install_with_libraries ${target})")
endfunction()

function(_torvane_install_with_libraries target)
  file(RELATIVE_PATH bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set(pending ${target})
  get_property(done GLOBAL PROPERTY TORVANE_INSTALLED)
  while(pending)
    list(POP_FRONT pending item)
    # A static library passes on what it links privately as $<LINK_ONLY:...>.
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.+)>$" "\\1" item "${item}")
    if(NOT TARGET ${item})
      continue()
    endif()
    get_target_property(aliased ${item} ALIASED_TARGET)
    if(aliased)
      set(item ${aliased})
    endif()
    get_target_property(imported ${item} IMPORTED)
    if(imported OR item IN_LIST done)
      continue()
    endif()
    list(APPEND done ${item})
    get_target_property(type ${item} TYPE)
    if(type STREQUAL "EXECUTABLE")
      set_target_properties(${item} PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
      install(TARGETS ${item} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    elseif(type MATCHES "^(SHARED|MODULE)_LIBRARY$")
      set_target_properties(${item} PROPERTIES INSTALL_RPATH "$ORIGIN")
      install(TARGETS ${item} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
    endif()
    foreach(links LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(more ${item} ${links})
      if(more)
        list(APPEND pending ${more})
      endif()
    endforeach()
  endwhile()
  set_property(GLOBAL PROPERTY TORVANE_INSTALLED ${done})
endfunction()
