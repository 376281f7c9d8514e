# The window-less modes: their core, and the real executable in every mode.
zerim_add_test(test_cli_core LIBS zerim_tables)
zerim_add_test(test_cli WIDGETS EMBEDDED)
add_dependencies(test_cli zerim zerim-tables)
target_compile_definitions(test_cli PRIVATE ZERIM_TABLES_EXE="$<TARGET_FILE:zerim-tables>")
# Writing the files the user names (snapshots): every kind of target.
zerim_add_test(test_safewrite)
