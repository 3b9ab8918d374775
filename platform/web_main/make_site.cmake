# Finishes the site once the program is linked: the page learns how many bytes it fetches before
# the game can start (for its progress), and the service worker learns every file with a name
# for this build made of their hash, so that a new build never mixes with a kept one.
#   cmake -DPAGE=<site sources> -DSITE=<site> -P make_site.cmake
file(SIZE "${SITE}/zandrofel.wasm" wasm_bytes)
file(SIZE "${SITE}/zandrofel.data" data_bytes)
math(EXPR ZF_DOWNLOAD_BYTES "${wasm_bytes} + ${data_bytes}")
configure_file("${PAGE}/index.html" "${SITE}/index.html" @ONLY)
configure_file("${PAGE}/manifest.webmanifest" "${SITE}/manifest.webmanifest" COPYONLY)
configure_file("${PAGE}/table_copy.js" "${SITE}/table_copy.js" COPYONLY)

set(files index.html manifest.webmanifest zandrofel.js zandrofel.wasm zandrofel.data icon-192.png
          icon-512.png table_copy.js)
set(hashes "")
set(ZF_FILES "\"./\"")
foreach(name IN LISTS files)
    file(SHA256 "${SITE}/${name}" hash)
    string(APPEND hashes "${hash}")
    string(APPEND ZF_FILES ", \"${name}\"")
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING "${build}" 0 16 ZF_BUILD)
configure_file("${PAGE}/sw.js" "${SITE}/sw.js" @ONLY)
