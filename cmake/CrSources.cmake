# cr_platform_sources(<var> <dir>): the .cpp files directly in <dir> that belong to this
# platform. A file named *_linux.cpp is built only for Linux, *_win32.cpp only for Windows;
# every other file is portable.
function(cr_platform_sources out dir)
    file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
    set(kept)
    foreach(f IN LISTS all)
        get_filename_component(n ${f} NAME_WE)
        if(n MATCHES "_linux$" AND NOT CR_PLATFORM STREQUAL "linux")
            continue()
        endif()
        if(n MATCHES "_win32$" AND NOT CR_PLATFORM STREQUAL "win32")
            continue()
        endif()
        list(APPEND kept ${f})
    endforeach()
    set(${out} ${kept} PARENT_SCOPE)
endfunction()
