list(APPEND PLATFORM_SOURCES
    Controls/AccessibleRole.cpp
    Controls/ComboBox.cpp
    Controls/CommandButton.cpp
    Controls/ConstantSizeDelegate.cpp
    Controls/ControlEventFilter.cpp
    Controls/EditSelection.cpp
    Controls/ListBox.cpp
    Controls/ListItemModel.cpp
    Controls/NotificationScope.cpp
    Controls/OleColor.cpp
    Controls/PictureBox.cpp
    Controls/PictureBoxSurface.cpp
    Controls/StandardControl.cpp
    Controls/TabOrder.cpp
    Controls/TextBox.cpp
    Controls/Timer.cpp
    Controls/UniformListView.cpp
)
list(APPEND CONTROLS_TESTS
    Controls/ComboBox_test.cpp
    Controls/ComboBoxPainting_test.cpp
    Controls/ComboBoxShortcut_test.cpp
    Controls/ConstantSizeDelegate_test.cpp
    Controls/ControlEventFilter_test.cpp
    Controls/CommandButton_test.cpp
    Controls/ListBox_test.cpp
    Controls/NotificationScope_test.cpp
    Controls/OleColor_test.cpp
    Controls/PictureBox_test.cpp
    Controls/StandardControl_test.cpp
    Controls/TextBox_test.cpp
    Controls/Timer_test.cpp
)

# The control tests drive the widgets with real key, mouse and focus events through QtTest. The
# test program is made after this list is read, so the link waits for the end of the folder.
if(QUILL_BUILD_TESTS)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    cmake_language(DEFER CALL target_link_libraries ControlsTests PRIVATE Qt6::Test)
endif()
