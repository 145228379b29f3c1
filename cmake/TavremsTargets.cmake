# Helpers that build every library and test once per character width.
#
# Windows builds make two variants of everything: "w" (UNICODE, the wide
# program Tavrems.exe) and "a" (the narrow program TavremsA.exe). The native
# Linux build of the platform-free code has the one variant "native".

if(WIN32)
    set(TAVREMS_VARIANTS w a)
else()
    set(TAVREMS_VARIANTS native)
endif()

set(TAVREMS_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(TAVREMS_TEST_HOME ${CMAKE_BINARY_DIR}/test-home)

# True when this build can run its tests: natively, or through the emulator.
if(NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR)
    set(TAVREMS_RUN_TESTS ON)
else()
    set(TAVREMS_RUN_TESTS OFF)
endif()

function(tavrems_setup_target target variant)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    if(variant STREQUAL "w")
        # Public: headers such as the trace line depend on the width.
        target_compile_definitions(${target} PUBLIC UNICODE _UNICODE)
    endif()
    if(WIN32)
        target_compile_definitions(${target} PUBLIC NOMINMAX)
    endif()
endfunction()

# tavrems_add_library(base SOURCES ... [DEPS base ...] [LIBS lib ...])
# makes the static library base_<variant> for every variant.
function(tavrems_add_library base)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LIBS" ${ARGN})
    foreach(variant IN LISTS TAVREMS_VARIANTS)
        set(target ${base}_${variant})
        add_library(${target} STATIC ${ARG_SOURCES})
        tavrems_setup_target(${target} ${variant})
        foreach(dep IN LISTS ARG_DEPS)
            target_link_libraries(${target} PUBLIC ${dep}_${variant})
        endforeach()
        if(ARG_LIBS)
            target_link_libraries(${target} PUBLIC ${ARG_LIBS})
        endif()
    endforeach()
endfunction()

# The command that runs the program of `target` as a test: natively, or for
# Windows under the emulator with its output through a file of the build
# tree, so that nothing Wine starts on the side holds CTest's (see
# cmake/wine-run.sh).
function(tavrems_test_command out target)
    if(WIN32)
        set(${out} sh ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${CMAKE_BINARY_DIR}/test-output/${target}.log
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${target}> PARENT_SCOPE)
    else()
        set(${out} ${target} PARENT_SCOPE)
    endif()
endfunction()

# tavrems_add_test(name SOURCES ... [DEPS base ...] [LIBS lib ...]
#                  [VARIANTS v ...] [TIMEOUT seconds] [ENVIRONMENT VAR=value ...])
# makes the GoogleTest program name_<variant> and registers it with CTest.
# Windows tests run under Wine in the build tree's own prefix.
function(tavrems_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS;LIBS;VARIANTS;ENVIRONMENT" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    if(NOT ARG_VARIANTS)
        set(ARG_VARIANTS ${TAVREMS_VARIANTS})
    endif()
    foreach(variant IN LISTS ARG_VARIANTS)
        if(NOT variant IN_LIST TAVREMS_VARIANTS)
            continue()
        endif()
        set(target ${name}_${variant})
        add_executable(${target} ${ARG_SOURCES})
        tavrems_setup_target(${target} ${variant})
        foreach(dep IN LISTS ARG_DEPS)
            target_link_libraries(${target} PRIVATE ${dep}_${variant})
        endforeach()
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main)
        if(NOT TAVREMS_RUN_TESTS)
            continue()
        endif()
        tavrems_test_command(command ${target})
        add_test(NAME ${target} COMMAND ${command} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
        # Later entries win: a test may set its own HOME.
        set(env HOME=${TAVREMS_TEST_HOME} ${ARG_ENVIRONMENT})
        if(WIN32)
            list(APPEND env WINEPREFIX=${TAVREMS_WINEPREFIX} WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=")
            set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine_prefix)
        else()
            list(APPEND env ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
        endif()
        set_tests_properties(${target} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${env}")
    endforeach()
endfunction()

# Registers the creation of the Wine prefix before the first Windows test and
# the stop of its wineserver after the last one.
function(tavrems_add_wine_fixture)
    if(NOT WIN32 OR NOT TAVREMS_RUN_TESTS)
        return()
    endif()
    set(script ${PROJECT_SOURCE_DIR}/cmake/wine-prefix.sh)
    add_test(NAME wine_prefix_setup COMMAND sh ${script} init ${TAVREMS_WINEPREFIX} ${TAVREMS_TEST_HOME})
    add_test(NAME wine_prefix_cleanup COMMAND sh ${script} stop ${TAVREMS_WINEPREFIX} ${TAVREMS_TEST_HOME})
    set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
    set_tests_properties(wine_prefix_cleanup PROPERTIES FIXTURES_CLEANUP wine_prefix TIMEOUT 60)
endfunction()
