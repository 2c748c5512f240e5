Form LoadMe
    Caption = String "Loaded"
    ClientWidth = Long 6420
    ClientHeight = Double 4950
    ForeColor = Long 255
    Font = Font(Name = "DejaVu Sans", Size = 9.75, Weight = 700, Italic = True, Underline = False, Strikethrough = False, Charset = 0)
    Begin TestKit.TestControl Test1 (120, 120, 3495, 315) TabIndex 0
        Caption = String "Saved"
        Count = Long 42
        Ratio = Double 0.25
        Flag = Boolean True
    End
    Begin {5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F02} Test2 (0, 600, 1500, 600) TabIndex 1
        Count = String "12"
    End
    Begin CommandButton Command1 (3720, 120, 1575, 375) TabIndex 2
        Caption = String "Press"
        Font = Font(Name = "DejaVu Sans", Size = 8.25, Weight = 400, Italic = False, Underline = False, Strikethrough = False, Charset = 0)
    End
End
