# Helpers that give every target of ours the same warnings, sanitizers and layering check.

option(ZF_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZF_TSAN "Build with ThreadSanitizer" OFF)
# Off for a packager's build, whose compiler may warn where ours does not; on in the presets and CI.
option(ZF_WERROR "Treat warnings in our code as errors" OFF)

add_library(zf_options INTERFACE)
target_compile_options(zf_options INTERFACE -Wall -Wextra $<$<BOOL:${ZF_WERROR}>:-Werror>)
target_include_directories(zf_options INTERFACE "${PROJECT_SOURCE_DIR}")
if(ZF_SANITIZE)
    target_compile_options(zf_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(zf_options INTERFACE -fsanitize=address,undefined)
    target_compile_definitions(zf_options INTERFACE ZF_SANITIZE=1)
endif()
if(ZF_TSAN)
    target_compile_options(zf_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(zf_options INTERFACE -fsanitize=thread)
endif()

# One stamp for the whole tree: re-checked whenever any layered source changes.
file(GLOB_RECURSE zf_layered_sources CONFIGURE_DEPENDS
     "${PROJECT_SOURCE_DIR}/platform/*.h" "${PROJECT_SOURCE_DIR}/platform/*.cpp"
     "${PROJECT_SOURCE_DIR}/framework/*.h" "${PROJECT_SOURCE_DIR}/framework/*.cpp"
     "${PROJECT_SOURCE_DIR}/app/*.h" "${PROJECT_SOURCE_DIR}/app/*.cpp"
     "${PROJECT_SOURCE_DIR}/game/*.h" "${PROJECT_SOURCE_DIR}/game/*.cpp"
     "${PROJECT_SOURCE_DIR}/render/*.h" "${PROJECT_SOURCE_DIR}/render/*.cpp"
     "${PROJECT_SOURCE_DIR}/scores/*.h" "${PROJECT_SOURCE_DIR}/scores/*.cpp"
     "${PROJECT_SOURCE_DIR}/resources/*.h" "${PROJECT_SOURCE_DIR}/resources/*.cpp"
     "${PROJECT_SOURCE_DIR}/harness/*.h" "${PROJECT_SOURCE_DIR}/harness/*.cpp")
set(zf_layering_stamp "${PROJECT_BINARY_DIR}/layering.stamp")
add_custom_command(
    OUTPUT "${zf_layering_stamp}"
    COMMAND "${CMAKE_COMMAND}" -DROOT=${PROJECT_SOURCE_DIR} -DSTAMP=${zf_layering_stamp}
            -P "${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake"
    DEPENDS ${zf_layered_sources} "${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake"
    COMMENT "Checking that layers include only downwards")
add_custom_target(zf_layering DEPENDS "${zf_layering_stamp}")

# zf_layer(<target> DIRS <dir>... [LINK <lib>...])
# A static library made of every .cpp below the given folders.
function(zf_layer target)
    cmake_parse_arguments(ARG "" "" "DIRS;LINK;EXCLUDE" ${ARGN})
    set(sources "")
    foreach(dir IN LISTS ARG_DIRS)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.cpp")
        list(APPEND sources ${found})
    endforeach()
    foreach(pattern IN LISTS ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${pattern}")
    endforeach()
    if(NOT sources)
        # A layer whose folders hold only headers so far.
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE zf_options ${ARG_LINK})
        return()
    endif()
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC zf_options ${ARG_LINK})
    add_dependencies(${target} zf_layering)
endfunction()

# zf_test(<name> [ONE_TEST] SOURCES <file>... LINK <lib>... [LABELS <label>...])
# ONE_TEST makes the program one ctest test instead of one per case (where starting a process
# costs far more than the cases inside it).
function(zf_test name)
    cmake_parse_arguments(ARG "ONE_TEST" "" "SOURCES;LINK;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zf_options ${ARG_LINK} GTest::gtest GTest::gtest_main)
    if(ARG_ONE_TEST)
        add_test(NAME ${name} COMMAND ${name} --gtest_brief=1
                 WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
        return()
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES LABELS "${ARG_LABELS}"
                         WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
endfunction()

# zf_program(<name> [SOURCES <file>...] [LINK <lib>...])
# A program with the entry of this build: the system's own on Windows (a GUI program whose
# runtime calls WinMain), the web host's in the browser, the SDL host's elsewhere. Nothing is made
# where there is no entry (a build without the SDL host). The program defines WinMain, or links
# what does.
function(zf_program name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
    if(WIN32)
        add_executable(${name} WIN32 ${ARG_SOURCES})
        # The runtime's startup, linked last, is what calls WinMain: ask for it up front so the
        # linker takes it from the framework library.
        target_link_options(${name} PRIVATE -Wl,--undefined=WinMain)
    elseif(TARGET host_web_main)
        add_executable(${name} ${ARG_SOURCES})
        target_link_libraries(${name} PRIVATE host_web_main program_entry)
    elseif(TARGET host_sdl_main)
        add_executable(${name} ${ARG_SOURCES})
        target_link_libraries(${name} PRIVATE host_sdl_main program_entry)
    else()
        return()
    endif()
    target_link_libraries(${name} PRIVATE zf_options ${ARG_LINK})
endfunction()
