# Runs the asset generator into a scratch folder and finds every file byte for byte the same as
# the committed one, with none missing and none extra.
# Run as: cmake -DROOT=<source dir> -DOUT=<scratch dir> -P regenerate.cmake

if(NOT EXISTS /usr/bin/python3)
    message("SKIPPED: /usr/bin/python3 is not installed, so the generator cannot run")
    return()
endif()
find_program(ESPEAK espeak-ng)
if(NOT ESPEAK)
    message("SKIPPED: espeak-ng is not installed, so the spoken sounds cannot be remade "
            "(scripts/setup.sh installs it)")
    return()
endif()

file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND /usr/bin/python3 "${ROOT}/tools/assets/generate.py" --out "${OUT}"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the generator failed (${status})")
endif()

set(kinds bitmaps/*.bmp sounds/*.wav icons/*.ico)
foreach(kind IN LISTS kinds)
    file(GLOB found RELATIVE "${ROOT}/resources" "${ROOT}/resources/${kind}")
    list(APPEND committed_files ${found})
    file(GLOB found RELATIVE "${OUT}" "${OUT}/${kind}")
    list(APPEND made_files ${found})
endforeach()
list(SORT committed_files)
list(SORT made_files)
if(NOT committed_files STREQUAL made_files)
    message(FATAL_ERROR "the generator made [${made_files}] but resources/ holds "
                        "[${committed_files}]")
endif()

set(differ "")
foreach(name IN LISTS committed_files)
    file(SHA256 "${ROOT}/resources/${name}" want)
    file(SHA256 "${OUT}/${name}" got)
    if(NOT want STREQUAL got)
        list(APPEND differ ${name})
    endif()
endforeach()
if(differ)
    message(FATAL_ERROR "remade files differ from the committed ones: ${differ}")
endif()
list(LENGTH committed_files count)
message(STATUS "all ${count} files remade byte for byte")
