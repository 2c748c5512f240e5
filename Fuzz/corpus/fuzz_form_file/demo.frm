# The demonstration form. Controls from the Quillkit library are named by class id:
#   {58FA236B-E40A-488F-82E7-F358AE40A7AA} Quillkit.QuillComboBox
#   {B42E5F56-9A12-417A-A2F8-C7ECC4D37FFE} Quillkit.QuillPictureBox
#   {EEB3C931-DBC9-4D38-80EE-E5A18539B31D} Quillkit.QuillInputBox
#   {4C379369-0BAC-4C62-A03F-E4D785591A21} Quillkit.QuillForm
Form TestForm
    Caption = String "TestForm"
    ClientWidth = Long 6420
    ClientHeight = Long 4950
    Font = Font(Name = "Tahoma", Size = 8.25, Weight = 700, Italic = False, Underline = False, Strikethrough = False, Charset = 0)
    Begin {58FA236B-E40A-488F-82E7-F358AE40A7AA} QuillComboBox1 (120, 120, 3495, 315) TabIndex 0
        _extentx = Long 6165
        _extenty = Long 556
        searchtext = String "Texto a buscar"
    End
    Begin CommandButton Command1 (3720, 120, 1575, 375) TabIndex 1
        Caption = String "Erase recent"
        Font = Font(Name = "MS Sans Serif", Size = 8.25, Weight = 400, Italic = False, Underline = False, Strikethrough = False, Charset = 0)
    End
    Begin {B42E5F56-9A12-417A-A2F8-C7ECC4D37FFE} QuillPictureBox1 (120, 600, 4455, 3375) TabIndex 2
        _extentx = Long 7858
        _extenty = Long 5953
    End
    Begin CommandButton Command2 (4920, 840, 1215, 495) TabIndex 3
        Caption = String "Animate"
        Font = Font(Name = "MS Sans Serif", Size = 8.25, Weight = 400, Italic = False, Underline = False, Strikethrough = False, Charset = 0)
    End
    Begin {EEB3C931-DBC9-4D38-80EE-E5A18539B31D} QuillInputBox1 (120, 4320, 3855, 255) TabIndex 4
        _extentx = Long 6800
        _extenty = Long 450
        style = Long 1
        text = String "3000"
        alignment = Long 0
        font = Font(Name = "Tahoma", Size = 8.25, Weight = 700, Italic = False, Underline = False, Strikethrough = False, Charset = 0)
        backcolor = Long 12648447
        forecolor = Long -2147483630
    End
    Begin {4C379369-0BAC-4C62-A03F-E4D785591A21} QuillForm1 (4800, 1680)
        _extentx = Long 900
        _extenty = Long 900
        transparency = Long 0
    End
    Begin Timer Timer1 (4800, 2520)
        Enabled = Boolean False
        Interval = Long 20
    End
End
