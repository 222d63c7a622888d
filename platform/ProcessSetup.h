#pragma once

// Process-wide settings the executables make once at start-up.
namespace ProcessSetup {

// A write beyond the process's file size limit then fails with an error the writer
// reports, instead of the signal (SIGXFSZ) that would end the process on POSIX systems.
// Does nothing where there is no such signal.
void IgnoreFileSizeSignal();
// Bytes written to standard output arrive unchanged: no LF becomes CRLF on Windows.
void MakeStandardOutputBinary();
// Bytes read from standard input arrive unchanged: no CRLF becomes LF, no Ctrl+Z ends it.
void MakeStandardInputBinary();

}  // namespace ProcessSetup
