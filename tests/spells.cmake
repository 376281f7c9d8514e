# The spell finder: its core, its dialog, and the tree of the real data.
zerim_add_test(test_spelltree LIBS zerim_tables)
zerim_add_test(test_spelldlg WIDGETS LIBS zerim_tables)
zerim_add_test(test_spelldata WIDGETS EMBEDDED)
