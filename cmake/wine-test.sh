#!/bin/sh
# How CTest starts a Windows test program (and lists its test cases): the Wine loader, the
# program and its arguments follow. The program's output and exit status pass through
# unchanged. When the program fails, one more line on standard error says how its process
# ended and how long it lived: CTest's log shows neither, and a Wine process that ends
# during its start-up (a DLL that does not load or initialise, the server or the desktop
# going away) says nothing at all under WINEDEBUG=-all. Wine ends such a process with the
# low byte of its NT status: 53 for c0000135 (a DLL not found), 66 for c0000142 (a DLL's
# start-up failed), 5 for c0000005 (access violation); 128 and more is a Unix signal.
#
# Wine needs the address of its shared user data (0x7ffe0000) free when a process starts.
# This Wine has no preloader to reserve that address before the Unix loader and the kernel
# place the process's mappings, and with address space randomisation a mapping now and then
# lands there: the process then ends within milliseconds with status 1, having said only
# "failed to map the shared user data: c0000018" (an error Wine's debug channels hide).
# Without randomisation the layout is the same in every run.
started=$(date +%s%N)
setarch "$(uname -m)" -R "$@"
status=$?
if [ "$status" -ne 0 ]; then
  lived=$(( ($(date +%s%N) - started) / 1000000 ))
  printf '[wine-test] %s ended with status %d (0x%02x) after %d ms\n' "${2:-$1}" "$status" \
    "$status" "$lived" >&2
fi
exit "$status"
