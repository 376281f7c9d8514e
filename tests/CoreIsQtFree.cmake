# Fails when a file of the core includes Qt or the core links Qt. The build
# already refuses such an include (the core's include path holds no Qt); this
# names the file.
foreach(lib IN LISTS LINKS)
    if(lib MATCHES "Qt")
        message(FATAL_ERROR "the core library links ${lib}")
    endif()
endforeach()

file(GLOB_RECURSE core_files ${SOURCE_DIR}/core/*.h ${SOURCE_DIR}/core/*.cpp)
list(LENGTH core_files count)
if(count LESS 20)
    message(FATAL_ERROR "only ${count} core files found under ${SOURCE_DIR}/core")
endif()
foreach(file IN LISTS core_files)
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "#[ \t]*include[ \t]*[<\"](Q[A-Za-z]*|Qt[A-Za-z]*/[^>\"]*)[>\"]")
            message(FATAL_ERROR "${file} includes Qt: ${line}")
        endif()
    endforeach()
endforeach()
message(STATUS "${count} core files checked: no Qt")
