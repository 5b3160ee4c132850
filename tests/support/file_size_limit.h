#pragma once

#include <QtGlobal>

#include <functional>

// What a write past the limit does in RunWithFileSizeLimit.
enum class AtSizeLimit {
  kFailWrites,  // the write fails with EFBIG and the child goes on, as on a full disk
  kKill,        // the child ends there, in the middle of its write, as a kill would end it
};

// Runs `work` in a child process: the child's exit code is what `work` returns, -1 when the child
// did not exit by itself.
int RunInChildProcess(const std::function<int()>& work);

// Runs `work` in a child process whose files cannot grow past `maxFileSize` bytes (a file-size
// limit, which needs no disk of that size); the child's exit code is what `work` returns. -1
// when the child did not exit by itself.
int RunWithFileSizeLimit(qint64 maxFileSize, AtSizeLimit atLimit, const std::function<int()>& work);
