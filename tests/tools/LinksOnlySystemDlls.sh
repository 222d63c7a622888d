#!/bin/sh
# kvltool.exe is handed out alone: every DLL it imports must come with Windows itself.
set -eu
imports=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p') ||
    { echo "FAILED: objdump cannot read $1"; exit 1; }
[ -n "$imports" ] || { echo "FAILED: $1 imports no DLL at all: not read as a program?"; exit 1; }
system='^(kernel32|user32|advapi32|shell32|ole32|ws2_32|msvcrt|ucrtbase|ntdll|bcrypt|api-ms-win-.*)\.dll$'
others=$(printf '%s\n' "$imports" | tr 'A-Z' 'a-z' | grep -Ev "$system" || true)
if [ -n "$others" ]; then
    printf 'FAILED: %s needs DLLs that Windows does not have:\n%s\n' "$1" "$others"
    exit 1
fi
echo "ok: $1 imports only" $imports
