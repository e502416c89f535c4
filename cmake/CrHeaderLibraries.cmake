# Header-only libraries from Debian packages, for both targets: nlohmann-json3-dev (cr_json),
# libdtl-dev (cr_line_diff) and libxxhash-dev (cr_hash, its one header used with
# XXH_INLINE_ALL). Their folders are linked into the build tree and included from there, since
# the Windows build must not search /usr/include, which holds the host's C library.
foreach(library nlohmann dtl xxhash.h)
    set(link ${CMAKE_BINARY_DIR}/header_libraries/${library})
    if(NOT EXISTS /usr/include/${library})
        message(FATAL_ERROR "/usr/include/${library} is missing: run script/setup")
    endif()
    if(NOT IS_SYMLINK ${link})
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/header_libraries)
        file(CREATE_LINK /usr/include/${library} ${link} SYMBOLIC)
    endif()
endforeach()
add_library(cr_json INTERFACE)
target_include_directories(cr_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/header_libraries)
add_library(cr_line_diff INTERFACE)
target_include_directories(cr_line_diff SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/header_libraries)
add_library(cr_hash INTERFACE)
target_include_directories(cr_hash SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/header_libraries)
