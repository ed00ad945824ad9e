# Windows-only targets: the Win32 library, quillet.exe and the Wine-run tests.

set(QUILLET_WIN_LIBS comctl32 comdlg32 shell32 ole32 oleaut32 gdi32 user32 kernel32)

add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601)
# Static runtime: nothing but the settings file is needed beside the exe.
if(MINGW)
  add_link_options(-static -static-libgcc -static-libstdc++)
elseif(MSVC)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

# A GoogleTest installed as DLLs (MSYS2's) uses the shared C++ runtime: the
# test programs linked against it then use that runtime too, so that one copy
# of it serves the test and GoogleTest. (Built here from source, GoogleTest is
# a static library and the tests link statically like quillet.exe.)
set(QUILLET_TESTS_LINK_STATIC ON)
if(MINGW AND QUILLET_TESTS)
  get_target_property(QUILLET_GTEST_TYPE GTest::gtest TYPE)
  if(NOT QUILLET_GTEST_TYPE STREQUAL "STATIC_LIBRARY")
    set(QUILLET_TESTS_LINK_STATIC OFF)
    message(STATUS "GoogleTest is a ${QUILLET_GTEST_TYPE}: the test programs use the shared C++ runtime")
  endif()
endif()
function(quillet_gtest_program target)
  if(NOT QUILLET_TESTS_LINK_STATIC)
    set_property(TARGET ${target} PROPERTY LINK_OPTIONS "")
  endif()
endfunction()

add_library(quillet_win STATIC ${WIN_SOURCES})
target_link_libraries(quillet_win PUBLIC quillet_logic ${QUILLET_WIN_LIBS})
target_compile_definitions(quillet_win PUBLIC NOMINMAX)
target_compile_options(quillet_win PRIVATE ${QUILLET_WARNINGS})

# The version resource's numbers and text come from project(... VERSION ...),
# through a header made in the build tree (a missing fourth number is 0).
set(QUILLET_VERSION_NUMBERS "")
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND QUILLET_VERSION_NUMBERS 0)
  else()
    list(APPEND QUILLET_VERSION_NUMBERS ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN QUILLET_VERSION_NUMBERS ", " QUILLET_VERSION_NUMBERS)
configure_file(${CMAKE_SOURCE_DIR}/resources/quillet_version.h.in
  ${CMAKE_BINARY_DIR}/generated/quillet_version.h @ONLY)
target_include_directories(quillet_win PUBLIC ${CMAKE_BINARY_DIR}/generated)

add_executable(quillet WIN32
  ${CMAKE_SOURCE_DIR}/src/app/main_win.cpp
  ${CMAKE_SOURCE_DIR}/resources/quillet.rc)
target_link_libraries(quillet PRIVATE quillet_win)
target_compile_options(quillet PRIVATE ${QUILLET_WARNINGS})
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/quillet.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/quillet.manifest;${CMAKE_BINARY_DIR}/generated/quillet_version.h")
# The same sources give the same bytes: no link time stamp in the PE header,
# and a release program without symbols (the C runtime's debug sections carry
# the toolchain's build paths).
if(MINGW)
  target_link_options(quillet PRIVATE -Wl,--no-insert-timestamp $<$<CONFIG:Release>:-s>)
endif()
# The 32-bit program may use the whole 4 GB that 64-bit Windows gives it
# (a large document costs the editor control many times its size).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  if(MINGW)
    target_link_options(quillet PRIVATE -Wl,--large-address-aware)
  elseif(MSVC)
    target_link_options(quillet PRIVATE /LARGEADDRESSAWARE)
  endif()
endif()

if(QUILLET_TESTS)
  # The resources are linked into every test program too, so that code reading
  # the program's own bitmaps, icon and version resource works in-process.
  file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
  add_library(quillet_test_support STATIC ${SUPPORT_SOURCES})
  target_link_libraries(quillet_test_support PUBLIC quillet_win GTest::gtest)
  target_include_directories(quillet_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)

  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*_test.cpp)
  foreach(test_source ${WIN_TEST_SOURCES})
    get_filename_component(test_name ${test_source} NAME_WE)
    add_executable(${test_name} ${test_source} ${CMAKE_SOURCE_DIR}/resources/quillet.rc)
    target_link_libraries(${test_name} PRIVATE quillet_test_support GTest::gtest_main)
    target_compile_options(${test_name} PRIVATE ${QUILLET_WARNINGS})
    quillet_gtest_program(${test_name})
    add_test(NAME win.${test_name} COMMAND ${test_name})
    set_tests_properties(win.${test_name} PROPERTIES TIMEOUT 300 LABELS wine)
  endforeach()

  # The double-byte cases once more, under code page 932: scripts/test.sh
  # runs this label (preset win64-cp932) in a Wine prefix of its own, with
  # Wine in a Japanese locale. Elsewhere the cases skip and say why.
  add_test(NAME cp932.double_byte_test COMMAND double_byte_test)
  set_tests_properties(cp932.double_byte_test PROPERTIES TIMEOUT 300 LABELS cp932
    ENVIRONMENT QUILLET_REQUIRE_CODE_PAGE=932)
  add_test(NAME cp932.replace_all_test COMMAND replace_all_test --gtest_filter=*CodePage932*)
  set_tests_properties(cp932.replace_all_test PROPERTIES TIMEOUT 300 LABELS cp932
    ENVIRONMENT QUILLET_REQUIRE_CODE_PAGE=932)

  # A stand-in for a program that Quillet starts: it records its command line.
  add_executable(command_line_recorder WIN32 ${CMAKE_SOURCE_DIR}/tests/tools/command_line_recorder.cpp)
  target_compile_options(command_line_recorder PRIVATE ${QUILLET_WARNINGS})
  add_dependencies(print_document_test command_line_recorder)

  file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
  if(E2E_SOURCES)
    add_executable(e2e_tests ${E2E_SOURCES})
    target_link_libraries(e2e_tests PRIVATE quillet_test_support GTest::gtest_main)
    target_compile_options(e2e_tests PRIVATE ${QUILLET_WARNINGS})
    quillet_gtest_program(e2e_tests)
    add_dependencies(e2e_tests quillet)
    add_test(NAME e2e COMMAND e2e_tests)
    set_tests_properties(e2e PROPERTIES TIMEOUT 600 LABELS "wine;e2e")
  endif()

  # Run by the package stage of scripts/test.sh on the program unpacked from
  # its release zip (not a CTest test: it needs that program).
  add_executable(unpacked_start_check
    ${CMAKE_SOURCE_DIR}/tests/package/unpacked_start_check.cpp
    ${CMAKE_SOURCE_DIR}/tests/e2e/quillet_process.cpp)
  target_include_directories(unpacked_start_check PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(unpacked_start_check PRIVATE NOMINMAX)
  target_compile_options(unpacked_start_check PRIVATE ${QUILLET_WARNINGS})
  target_link_libraries(unpacked_start_check PRIVATE user32 kernel32)
endif()
if(QUILLET_BENCH)
  include(${CMAKE_SOURCE_DIR}/bench/bench.cmake)
endif()
