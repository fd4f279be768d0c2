@echo off
rem PexaDemo: the Pexa examples one after the other. Each shows its scene
rem window beside this console; press ESC in the window for the next one
rem (in the ElevationGrid example press ENTER first, as it asks). At the end
rem it waits for a key, so that its console stays open to be read.
cd /d "%~dp0"
exShortest.exe
exNewObject.exe
exElevationGrid.exe
exIndexedFaceSet.exe
exLight.exe
exColorCube.exe
exQuadric.exe
exPrimitive.exe
exMultiWindow.exe
exPictures.exe
echo.
echo  The Pexa demonstration has ended.
pause
