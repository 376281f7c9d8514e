# Fails when a file under ui/ includes a header of a ui folder its folder may
# not reach. An include names its folder first ("text/Text.h"); it is a ui
# include when ui/ holds that file, else it reaches the core, which every
# folder may. A folder missing from the table fails too, so that a new one
# says where it sits, and so does a ui folder named as one of the core's.
cmake_minimum_required(VERSION 3.25)
#
# What each folder may reach besides itself and the core (the libraries of
# CMakeLists.txt link the same way):
set(reach_text "")
set(reach_widgets text)
set(reach_render text)
set(reach_mapview render widgets text)
set(reach_finders widgets text)
set(reach_mymap widgets text)
set(reach_quicksearch text)
set(reach_output mapview render widgets text)
set(reach_startup output render widgets text)
# Nothing reaches the main window: it reaches everything.
set(reach_mainwindow startup output finders mymap quicksearch mapview render widgets text)

file(GLOB_RECURSE ui_files RELATIVE ${SOURCE_DIR}/ui ${SOURCE_DIR}/ui/*.h ${SOURCE_DIR}/ui/*.cpp)
list(LENGTH ui_files count)
if(count LESS ${MIN_FILES})
    message(FATAL_ERROR "only ${count} ui files found under ${SOURCE_DIR}/ui")
endif()
foreach(file IN LISTS ui_files)
    string(REGEX REPLACE "/.*" "" folder ${file})
    if(NOT DEFINED reach_${folder})
        message(FATAL_ERROR "ui/${folder} has no place in the ui layers (tests/UiLayers.cmake)")
    endif()
    # "view/X.h" must say by itself which tree it reaches.
    if(IS_DIRECTORY ${SOURCE_DIR}/core/${folder})
        message(FATAL_ERROR "ui/${folder} and core/${folder}: a folder name means one thing")
    endif()
    file(STRINGS ${SOURCE_DIR}/ui/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" header "${line}")
        if(NOT EXISTS ${SOURCE_DIR}/ui/${header} OR NOT header MATCHES "/")
            continue()
        endif()
        string(REGEX REPLACE "/.*" "" target ${header})
        if(NOT target STREQUAL folder AND NOT target IN_LIST reach_${folder})
            string(REPLACE ";" ", " allowed "core;${reach_${folder}}")
            message(FATAL_ERROR "ui/${file} includes ${header}: ui/${folder} reaches only ${allowed}")
        endif()
    endforeach()
endforeach()
message(STATUS "${count} ui files checked: every include within its layer")
