@echo off
rem Starts TkDiff for Quillet's visual diff.
rem
rem Quillet passes the comparison as  [-r REV1] [-r REV2] FILE ; TkDiff wants
rem each revision joined to its option (-rREV1 -rREV2 FILE).  Everything else
rem is handed on unchanged.  Set TKDIFF to the command that starts TkDiff
rem when "tkdiff" is not on PATH (for example: wish C:\Tcl\bin\tkdiff.tcl).
setlocal
if not defined TKDIFF set TKDIFF=tkdiff
set ARGS=
:next
if "%~1"=="" goto run
if not "%~1"=="-r" goto plain
set ARGS=%ARGS% "-r%~2"
shift
shift
goto next
:plain
set ARGS=%ARGS% "%~1"
shift
goto next
:run
start "TkDiff" %TKDIFF% %ARGS%
endlocal
