Form F
    ClientWidth = Double 4800
End
