# QuillInputBox: the control, split by concern, and its tests.
list(APPEND QUILLKIT_SOURCES
    QuillInputBox.cpp
    QuillInputBox_Editing.cpp
)
list(APPEND QUILLKIT_TESTS
    QuillInputBox_test.cpp
    QuillInputBox_Editing_test.cpp
)
