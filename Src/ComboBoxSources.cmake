# QuillComboBox: the control, its search panel, its remembered selections and its item cache.
list(APPEND QUILLKIT_SOURCES
    QuillComboBox.cpp
    BinocularsPicture.cpp
    QuillComboBox_Memory.cpp
    QuillComboBox_Search.cpp
    QuillComboBoxItemCache.cpp
    QuillComboBoxPrefixIndex.cpp
)
list(APPEND QUILLKIT_TESTS
    QuillComboBox_test.cpp
    QuillComboBox_Memory_test.cpp
    QuillComboBox_Search_test.cpp
    QuillComboBoxItemCache_test.cpp
    QuillComboBox_Differential_test.cpp
)
