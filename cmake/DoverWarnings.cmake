# Compiler settings shared by every target of the project: warnings are errors
# in our own code, and one switch turns on AddressSanitizer + UndefinedBehaviorSanitizer.
# Also the two functions every module's CMakeLists uses: dover_add_library and
# dover_add_subfolders.

option(DOVER_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(DOVER_WERROR "Treat compiler warnings in our code as errors" ON)
option(DOVER_FUZZ "Build only the libFuzzer targets (clang) and what they need" OFF)

set(DOVER_WARNING_FLAGS -Wall -Wextra -Wpedantic -Wconversion -Wshadow)
if(DOVER_WERROR)
    list(APPEND DOVER_WARNING_FLAGS -Werror)
endif()

set(DOVER_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
if(DOVER_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "DOVER_FUZZ needs clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++")
    endif()
    # The fuzzers' code is instrumented for coverage; the sanitizers come with it.
    set(DOVER_SANITIZE ON)
    list(APPEND DOVER_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
endif()

# dover_target_settings(<target>): apply the project's warnings and, when asked,
# the sanitizers to one target. Every add_library/add_executable of ours calls it.
function(dover_target_settings target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE ${DOVER_WARNING_FLAGS})
    if(DOVER_SANITIZE)
        target_compile_options(${target} PRIVATE ${DOVER_SANITIZER_FLAGS})
        target_link_options(${target} PRIVATE ${DOVER_SANITIZER_FLAGS})
        # For the few places that must know (gcc and clang name it differently).
        target_compile_definitions(${target} PRIVATE DOVER_SANITIZED)
    endif()
endfunction()

# dover_add_library(<target> <Alias::Name> SOURCES <files...> [PUBLIC <libs...>]
#                   [PRIVATE <libs...>])
# One module's STATIC library with its namespaced alias. Headers are included
# from the project root ("model/FrameStore.h").
function(dover_add_library target alias)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
    add_library(${target} STATIC ${ARG_SOURCES})
    add_library(${alias} ALIAS ${target})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
    dover_target_settings(${target})
endfunction()

# dover_add_subfolders(): adds every folder below the current one that holds a
# CMakeLists.txt, in name order, so a new test or benchmark folder needs no
# edit elsewhere.
function(dover_add_subfolders)
    file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(child IN LISTS children)
        if(EXISTS ${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()
