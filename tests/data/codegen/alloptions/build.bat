REM Kyv Generated Batch file
C:\FlexProp\bin\FlexSpin.exe -2 -L C:\FlexProp\bin\include  -L C:\FlexProp\include -O2 --fixed --fcache=200 Demo.spin2
Pause 
