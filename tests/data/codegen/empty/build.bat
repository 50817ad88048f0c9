REM Kyv Generated Batch file
C:\FlexProp\bin\FlexSpin.exe -2 -L C:\FlexProp\bin\include   Demo.spin2
Pause 
