' A sample of Visual Basic for the highlighter's tests
Rem Both kinds of comment
Option Explicit

#Const Verbose = True

Private Type TPoint
    X As Long
    Y As Long
End Type

Public Function Describe(ByVal P As TPoint, Optional ByVal Label As String = "point") As String
    Dim Text As String
    Text = Label & " at (" & CStr(P.X) & ", " & CStr(P.Y) & ")"
    If Len(Text) > 40 Then Text = Left$(Text, 40) & "..."
    Describe = Replace(Text, """", "''")
End Function

Sub Main()
    Dim Mask As Long, Stamp As Date
    Mask = &HFF00& Or &O17
    Stamp = #12/31/1999 11:59:00 PM#
#If Verbose Then
    MsgBox Describe(Nothing) & vbCrLf & Format(Stamp, "yyyy-mm-dd"), vbInformation
#Else
    Debug.Print UCase("quiet")
#End If
End Sub
