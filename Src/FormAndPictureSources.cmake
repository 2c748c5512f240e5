# QuillForm, QuillPictureBox and the window and drawing modules they call.
list(APPEND QUILLKIT_SOURCES
    mod_api_declares.cpp
    mod_misc_formularios.cpp
    QuillForm.cpp
    QuillPictureBox.cpp
)
list(APPEND QUILLKIT_TESTS
    mod_misc_formularios_test.cpp
    QuillForm_test.cpp
    QuillPictureBox_test.cpp
)
