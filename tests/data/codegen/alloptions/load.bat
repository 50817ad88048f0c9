REM Kyv Generated Batch file
C:\FlexProp\bin\loadp2.exe  -T -k -9 C:\FlexProp\Plan9 -b 115200 -SINGLE Demo.binary
Pause 
