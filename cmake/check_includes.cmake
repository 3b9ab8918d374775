# Fails the build when a file includes a header from a layer above its own,
# or reaches SDL or FreeType outside the one folder allowed to use them.
# A host sees only the host interface and the core, so that the window system above it can be
# replaced and every host drives the same one.
# Run as: cmake -DROOT=<source dir> -DSTAMP=<file> -P check_includes.cmake

# folder prefix -> allowed project include prefixes (first matching folder wins)
set(rules
    "platform/core/|platform/win32.h platform/core/"
    "platform/gdi/|platform/win32.h platform/core/ platform/gdi/ platform/session.h"
    "platform/sound/|platform/win32.h platform/core/ platform/sound/ platform/session.h platform/host.h platform/resources.h"
    "platform/user/|platform/win32.h platform/dialog_template.h platform/core/ platform/gdi/ platform/sound/ platform/user/ platform/session.h platform/host.h platform/resources.h"
    "platform/host/headless/|platform/host.h platform/core/ platform/host/headless/"
    "platform/host/sdl/|platform/host.h platform/core/ platform/host/sdl/"
    "platform/host/web/|platform/host.h platform/core/ platform/host/web/"
    "platform/sdl_main/|platform/ !platform/host/headless/ !platform/host/web/"
    "platform/web_main/|platform/ !platform/host/headless/ !platform/host/sdl/"
    "platform/|platform/ !platform/host/ !platform/sdl_main/ !platform/web_main/"
    "framework/windows/|platform/win32.h platform/sound/wave.h framework/"
    "framework/|platform/win32.h framework/"
    "app/|platform/win32.h framework/ app/ game/ render/ scores/ resources/resource_ids.h"
    "game/|platform/win32.h framework/ app/ game/ render/ scores/ resources/resource_ids.h"
    "render/|platform/win32.h framework/ app/ game/ render/ scores/ resources/resource_ids.h"
    "scores/|platform/win32.h framework/ app/ game/ render/ scores/ resources/resource_ids.h"
    "resources/|platform/win32.h platform/resources.h platform/dialog_template.h resources/"
    "harness/modal_answers|platform/win32.h platform/session.h harness/modal_answers.h"
    "harness/|platform/ harness/")

file(GLOB_RECURSE files RELATIVE "${ROOT}"
     "${ROOT}/platform/*.h" "${ROOT}/platform/*.cpp"
     "${ROOT}/framework/*.h" "${ROOT}/framework/*.cpp"
     "${ROOT}/app/*.h" "${ROOT}/app/*.cpp" "${ROOT}/game/*.h" "${ROOT}/game/*.cpp"
     "${ROOT}/render/*.h" "${ROOT}/render/*.cpp" "${ROOT}/scores/*.h" "${ROOT}/scores/*.cpp"
     "${ROOT}/resources/*.h" "${ROOT}/resources/*.cpp"
     "${ROOT}/harness/*.h" "${ROOT}/harness/*.cpp")

set(errors "")
foreach(file IN LISTS files)
    set(allowed "")
    foreach(rule IN LISTS rules)
        string(REPLACE "|" ";" parts "${rule}")
        list(GET parts 0 folder)
        string(FIND "${file}" "${folder}" at)
        if(at EQUAL 0)
            list(GET parts 1 allowed)
            break()
        endif()
    endforeach()
    string(REPLACE " " ";" allowed "${allowed}")
    file(STRINGS "${ROOT}/${file}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
        if(line MATCHES "<(SDL[^>]*)>" AND NOT file MATCHES "^platform/host/sdl/")
            string(APPEND errors "${file}: only platform/host/sdl/ may include SDL: ${line}\n")
        endif()
        if(line MATCHES "<(ft2build.h|freetype/[^>]*)>" AND NOT file MATCHES "^platform/gdi/")
            string(APPEND errors "${file}: only platform/gdi/ may include FreeType: ${line}\n")
        endif()
        if(NOT line MATCHES "\"([^\"]+)\"")
            continue()
        endif()
        set(target "${CMAKE_MATCH_1}")
        if(NOT target MATCHES "/")
            continue()  # a header beside the file itself
        endif()
        set(ok FALSE)
        foreach(prefix IN LISTS allowed)
            if(prefix MATCHES "^!(.*)")
                string(FIND "${target}" "${CMAKE_MATCH_1}" at)
                if(at EQUAL 0)
                    set(ok FALSE)
                    break()
                endif()
            else()
                string(FIND "${target}" "${prefix}" at)
                if(at EQUAL 0)
                    set(ok TRUE)
                endif()
            endif()
        endforeach()
        if(NOT ok)
            string(APPEND errors "${file}: may not include \"${target}\" (layers call only downwards)\n")
        endif()
    endforeach()
endforeach()

if(errors)
    message(FATAL_ERROR "Layering violations:\n${errors}")
endif()
file(TOUCH "${STAMP}")
