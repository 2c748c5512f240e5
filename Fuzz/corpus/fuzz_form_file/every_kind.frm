# Every kind of value, each escape and a nested array.
Form Kinds
    Caption = String "Tab\there \"quoted\" back\\slash\nline \u00e9\ud83d"
    Font = Font(Name = "Tahoma", Size = 8.25, Weight = 700, Italic = False, Underline = True, Strikethrough = False, Charset = 0)
    e = Empty
    n = Null
    o = Nothing
    i = Integer -32768
    l = Long 2147483647
    b = Byte 255
    s = Single 3.40282347e+38
    d = Double -0
    t = Date 45000.5
    c = Currency -922337203685477.5808
    y = Boolean True
    r = Error 424
    a = Array(Long 1, Array(String "x", Array()), Double nan, Font())
    Begin Some.Control Control1 (120, -240.5, 3495, 315) TabIndex 3
        _extentx = Long 6165
        Text = String ""
    End
    Begin Timer Timer1 (1e300, 0)
    End
End
