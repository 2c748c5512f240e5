Form Fails
    Begin TestKit.TestControl Test1 (0, 0, 100, 100)
        FailIn = String "Resize"
    End
End
