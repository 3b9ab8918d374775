# The web build. FreeType: Debian's own source (the release Linux uses, so text is drawn pixel
# for pixel the same) built by scripts/web-freetype.sh into build/freetype-wasm/ the first time
# (and again when the drivers it takes change; otherwise the script returns at once).
set(zf_web_freetype "${PROJECT_SOURCE_DIR}/build/freetype-wasm")
execute_process(COMMAND "${PROJECT_SOURCE_DIR}/scripts/web-freetype.sh" RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "FreeType for WebAssembly could not be built (scripts/web-freetype.sh)")
endif()
set(FREETYPE_LIBRARY "${zf_web_freetype}/lib/libfreetype.a" CACHE FILEPATH "" FORCE)
set(FREETYPE_INCLUDE_DIR_ft2build "${zf_web_freetype}/include/freetype2" CACHE PATH "" FORCE)
set(FREETYPE_INCLUDE_DIR_freetype2 "${zf_web_freetype}/include/freetype2" CACHE PATH "" FORCE)

# CMake 3.25 knows no whole-archive linking for Emscripten; its linker is lld, which has it.
set(CMAKE_CXX_LINK_LIBRARY_USING_WHOLE_ARCHIVE
    "LINKER:--whole-archive" "<LINK_ITEM>" "LINKER:--no-whole-archive")
set(CMAKE_CXX_LINK_LIBRARY_USING_WHOLE_ARCHIVE_SUPPORTED TRUE)
