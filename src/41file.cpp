// SPDX-FileCopyrightText: 2026 The 41file Authors
// SPDX-License-Identifier: MIT
//
// 41file: tell whether one fixed file can be opened for reading.
//
// The path is fixed when the program is built (FILE41_PATH); the program
// reads no arguments, no environment and never the file's contents.

#include <csignal>
#include <cstdio>

// FILE41_PATH, the path as a string literal, written by the build.
#include "file41_path.h"

int main()
{
    // The answer is the exit status, so output that cannot be written, to a
    // pipe whose reader is gone or past a file-size limit, must only fail
    // as it does on a full disk, not kill the program with a signal.
    static_cast<void>(std::signal(SIGPIPE, SIG_IGN));
    static_cast<void>(std::signal(SIGXFSZ, SIG_IGN));

    // The failure line names the file by this short name, whatever the path.
    const char display_name[9] = "file.txt";
    int status = 0;

    std::FILE *fp = std::fopen(FILE41_PATH, "r");
    if (fp == nullptr) {
        std::printf("Cannot open %s\n", display_name);
        status = 1;
    } else {
        std::printf("the value of fp: %p\n", static_cast<void *>(fp));
        std::puts("Ready to close the file ");
        // Nothing was read or written, so the close has nothing to report.
        static_cast<void>(std::fclose(fp));
    }
    return status;
}
