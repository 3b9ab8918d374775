# Run when installing: writes the desktop entry with the launcher's absolute path under the prefix
# in force now. Expects ZF_LAUNCHER (relative to the prefix, or absolute), ZF_TEMPLATE, ZF_OUTPUT.
set(launcher "${ZF_LAUNCHER}")
if(NOT IS_ABSOLUTE "${launcher}")
    set(launcher "${CMAKE_INSTALL_PREFIX}/${launcher}")
endif()
# Quoted, the path may hold spaces; these four would need escaping twice over, and no sane prefix
# holds them.
foreach(reserved IN ITEMS "\"" "`" "$" "\\")
    string(FIND "${launcher}" "${reserved}" at)
    if(at GREATER -1)
        message(FATAL_ERROR "A desktop entry cannot start a launcher at ${launcher}")
    endif()
endforeach()
set(ZF_DESKTOP_EXEC "\"${launcher}\"")
configure_file("${ZF_TEMPLATE}" "${ZF_OUTPUT}" @ONLY)
