#pragma once

#include <QStringList>
#include <QTextStream>

// The `phone` command, which belongs to the emulated phone: "phone seed" fills an empty phone
// with sample data (platform/device/sample/phone_sample.h), "phone show" prints what a phone holds
// (phone_summary.h), "phone --help" prints the usage.

// Runs the command line `arguments` (without the program's name), writing results to `out` and
// complaints to `err`. The exit status: 0 done, 1 failed, 2 the command line is wrong (the usage
// follows the complaint). "--root DIR" sets PHONE_ROOT for the rest of the process.
int RunPhoneTool(const QStringList& arguments, QTextStream& out, QTextStream& err);
