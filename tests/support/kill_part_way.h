#pragma once

#include <sys/types.h>

#include <QtGlobal>

#include <functional>

// Runs `work` in a child process and kills it (SIGKILL) as soon as `progressed` holds for the
// child, which is asked over and over while it runs: the kill lands at a point of the work the
// test chooses, however loaded the machine is. True when the kill ended the child; false when the
// work ended first.
bool KillPartWay(const std::function<void()>& work,
                 const std::function<bool(pid_t child)>& progressed);

// The bytes a running process has handed to the system to write so far (0 when it cannot tell):
// progress of a write that no other process can see, such as a file not yet given its name.
qint64 BytesWrittenBy(pid_t process);
