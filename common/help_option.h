#pragma once

// True when a program's command line asks for its usage: "--help" or "-h" among its arguments.
// Every program of the suite answers it by printing its usage and ending before it opens a
// window or touches a file.
bool AsksForHelp(int argc, char** argv);
