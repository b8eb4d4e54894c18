# sw_add_gtest(<name> SOURCES ... [LIBS ...] [ARGS ...]): one test executable, registered with CTest as one test
# (so a Windows executable pays one Wine start, not one per case). Each writes its cases as XML into
# SW_TEST_RESULTS, from which scripts/run-tests counts every case.
file(MAKE_DIRECTORY ${SW_TEST_RESULTS})
# The print tests' own CUPS daemon (tests/support/private_cups.sh) keeps its socket and files here.
set(SW_PRINT_DIR ${CMAKE_BINARY_DIR}/tests/app/print)
# sw_asks_test_spooler(<test>...): Wine's spooler asks CUPS for the printers whenever a process loads it
# (the program does, through the common dialogs): every Windows process of a test asks the run's own
# daemon (no printers while it is not running), never the machine's.
function(sw_asks_test_spooler)
  set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT "CUPS_SERVER=${SW_PRINT_DIR}/cups.sock")
endfunction()

function(sw_add_gtest name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name} ${arg_ARGS})
  set(xml ${SW_TEST_RESULTS}/${name}.xml)
  if(WIN32)
    set(xml "Z:${xml}")  # Wine sees the Linux root as drive Z:
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "GTEST_OUTPUT=xml:${xml}" TIMEOUT 600)
  if(WIN32)
    sw_asks_test_spooler(${name})
    # scripts/wine-exec answers 77 where this machine cannot run the executable's Wine (32-bit).
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
endfunction()

# sw_reads_screen(<test>...): tests that read pixels, windows or the mouse back from the shared test display
# run alone, so that no other test's window lies over theirs or comes up under the cursor.
function(sw_reads_screen)
  set_tests_properties(${ARGN} PROPERTIES RUN_SERIAL ON)
endfunction()
