Form Standard
    Caption = String "Standard controls"
    Begin TextBox Text1 (120, 120, 2000, 300) TabIndex 0
        Text = String "hello"
    End
    Begin ListBox List1 (120, 600, 2000, 900) TabIndex 1
    End
    Begin ComboBox Combo1 (120, 1600, 2000, 300) TabIndex 2
    End
    Begin PictureBox Picture1 (2400, 120, 900, 900) TabIndex 3
    End
    Begin Timer Timer1 (0, 0)
        Interval = Long 100
    End
End
