REM Kyv Generated Batch file
C:\FlexProp\bin\loadp2.exe  -T -k -b 230400  Demo.binary
Pause 
