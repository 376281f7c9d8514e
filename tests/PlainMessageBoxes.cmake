# Fails when a file of the interface builds a message box of its own: every
# box goes through WarnPlainly (ui/widgets/DialogHelpers), which shows file
# names and names from the data as text, never as markup.
file(GLOB_RECURSE ui_files ${SOURCE_DIR}/ui/*.cpp ${SOURCE_DIR}/app/*.cpp)
list(LENGTH ui_files count)
if(count LESS 20)
    message(FATAL_ERROR "only ${count} interface files found under ${SOURCE_DIR}")
endif()
foreach(file IN LISTS ui_files)
    if(file MATCHES "widgets/DialogHelpers.cpp$")
        continue()
    endif()
    file(STRINGS ${file} boxes REGEX "QMessageBox")
    if(boxes)
        message(FATAL_ERROR "${file} makes a message box of its own: ${boxes}")
    endif()
endforeach()
message(STATUS "${count} interface files checked: every message box is plain")
