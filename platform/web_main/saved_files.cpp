// The browser's part of the high-score file's lock and commits, which the game reaches through
// plain C functions (scores/score_file_system_web.cpp): each hands over to the page's
// Module.zfSavedFiles (site/pre.js), and the waiting ones suspend the program until the
// browser answers.
#include <emscripten.h>

// JavaScript bodies pass through the C preprocessor: no backslashes in them.
// clang-format off

EM_ASYNC_JS(int, zf_js_lock, (int wait_ms), {
    return await Module.zfSavedFiles.lock(wait_ms);
});

EM_JS(void, zf_js_unlock, (), { Module.zfSavedFiles.unlock(); });

EM_ASYNC_JS(int, zf_js_read_back, (const char* path), {
    return await Module.zfSavedFiles.readBack(UTF8ToString(path)) ? -1 : 0;
});

EM_ASYNC_JS(int, zf_js_write_back, (), {
    return await Module.zfSavedFiles.writeBack() ? -1 : 0;
});

EM_JS(void, zf_js_trouble, (char* text, int size), {
    stringToUTF8(Module.zfSavedFiles.trouble || 'no reason given', text, size);
});

// clang-format on

// An asynchronous import is known by its own name in its own file only: the game calls these.
extern "C" {

int zf_saved_files_lock(int wait_ms) {
    return zf_js_lock(wait_ms);
}

void zf_saved_files_unlock() {
    zf_js_unlock();
}

int zf_saved_files_read_back(const char* path) {
    return zf_js_read_back(path);
}

int zf_saved_files_write_back() {
    return zf_js_write_back();
}

void zf_saved_files_trouble(char* text, int size) {
    zf_js_trouble(text, size);
}

}  // extern "C"
