# Test helpers: GoogleTest programs (run natively, or under Wine through the
# emulator wrapper) and sample-server fixtures.
enable_testing()
include(GoogleTest)

# Where the native build lives; the Windows tests start its sample server.
set(VR_NATIVE_BUILD_DIR "${CMAKE_SOURCE_DIR}/build/native" CACHE PATH
    "Native build tree that holds the sample server")
if(WIN32)
  set(VR_SAMPLE_SERVER "${VR_NATIVE_BUILD_DIR}/server/sampleserver")
else()
  set(VR_SAMPLE_SERVER "$<TARGET_FILE:sampleserver>")
endif()

# The fuzz preset builds only the libFuzzer targets (everything compiled with
# clang's sanitizers and coverage); unit tests, fixtures and benchmarks belong
# to the other presets.
option(VR_FUZZ "Build the libFuzzer targets (fuzz preset, clang)" OFF)
set(VR_FUZZ_SECONDS 45 CACHE STRING "How long ctest runs each fuzzer")
if(VR_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  add_custom_target(fuzzers)
endif()

# vr_add_fuzzer(NAME SOURCES src... [LIBS lib...] [SEEDS dir])
# A libFuzzer target (fuzz preset only). ctest runs it for VR_FUZZ_SECONDS
# from the seed files in SEEDS (copied into a build-side corpus that grows
# between runs) and fails on any crash, leak or sanitizer report.
function(vr_add_fuzzer name)
  if(NOT VR_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "SEEDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  add_dependencies(fuzzers ${name})
  add_test(NAME fuzz.${name}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/run-fuzzer.sh $<TARGET_FILE:${name}>
            ${CMAKE_BINARY_DIR}/fuzz-corpus/${name} "${ARG_SEEDS}" ${VR_FUZZ_SECONDS})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()

# vr_add_benchmark(NAME SOURCES src... [LIBS lib...])
# A Google Benchmark program (native preset); run them with ./run bench.
function(vr_add_benchmark name)
  if(VR_FUZZ OR WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  set_property(GLOBAL APPEND PROPERTY VR_BENCHMARKS ${name})
endfunction()

# vr_add_gtest(NAME SOURCES src... [LIBS lib...] [PROPERTIES prop value...])
# Test names are discovered when ctest runs, so building needs no Wine.
function(vr_add_gtest name)
  if(VR_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "${name}."
    PROPERTIES TIMEOUT 120 ${ARG_PROPERTIES})
endfunction()

# vr_sample_server_fixture(NAME LISTEN addr:port...)
# Adds ctest fixture NAME: a sample server with freshly generated data in
# <build>/fixtures/NAME/data, logging to <build>/fixtures/NAME/requests.log,
# with its first address written to <build>/fixtures/NAME/address. Sets
# VR_FIXTURE_ENV_<NAME> in the caller's scope: the environment setting
# (VR_TEST_FIXTURE=<that folder>) that tells a test program where it all is.
function(vr_sample_server_fixture name)
  if(VR_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "LISTEN" ${ARGN})
  set(dir "${CMAKE_BINARY_DIR}/fixtures/${name}")
  set(listen_args)
  foreach(address IN LISTS ARG_LISTEN)
    list(APPEND listen_args --listen ${address})
  endforeach()
  add_test(NAME fixture.${name}.start
    COMMAND ${CMAKE_SOURCE_DIR}/tests/sample-server-fixture.sh start ${VR_SAMPLE_SERVER}
            ${dir} ${listen_args})
  add_test(NAME fixture.${name}.stop
    COMMAND ${CMAKE_SOURCE_DIR}/tests/sample-server-fixture.sh stop ${dir})
  set_tests_properties(fixture.${name}.start PROPERTIES FIXTURES_SETUP ${name} TIMEOUT 60)
  set_tests_properties(fixture.${name}.stop PROPERTIES FIXTURES_CLEANUP ${name} TIMEOUT 60)
  set(VR_FIXTURE_ENV_${name} "VR_TEST_FIXTURE=${dir}" PARENT_SCOPE)
endfunction()

# Record the benchmark programs so ./run bench can find them.
function(vr_write_benchmark_list)
  get_property(programs GLOBAL PROPERTY VR_BENCHMARKS)
  set(paths)
  foreach(program IN LISTS programs)
    list(APPEND paths "$<TARGET_FILE:${program}>")
  endforeach()
  list(JOIN paths "\n" text)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/benchmarks.txt CONTENT "${text}\n")
endfunction()
