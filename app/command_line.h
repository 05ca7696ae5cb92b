#pragma once

#include <string>
#include <vector>

// The program run from the command line: one calculation, or a file of
// strata, written to standard output and, for the sheet, to a PDF file or a
// printer, without ever opening a window. Answers the exit status.
// `argc` and `argv` are those of main; the toolkit is started only for the
// sheet, on the offscreen platform when there is no display.
int RunCommandLine(int &argc, char **argv);
