# What the Windows build needs beyond the shared helpers: GoogleTest built from Debian's source
# with the cross compiler, since there is no packaged MinGW build of it.
if(ZF_TESTS)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${PROJECT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()

# The shipped program carries no symbols.
string(APPEND CMAKE_EXE_LINKER_FLAGS_RELEASE " -s")

# -O2 as the Linux build has it: at -O3 GCC 12 warns falsely (-Wrestrict) on std::string
# concatenation, which -Werror turns into a failed build.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
