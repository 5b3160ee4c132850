#include "tests/support/file_size_limit.h"

#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int RunInChildProcess(const std::function<int()>& work) {
  const pid_t child = fork();
  if (child == 0) _exit(work());
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunWithFileSizeLimit(qint64 maxFileSize, AtSizeLimit atLimit,
                         const std::function<int()>& work) {
  return RunInChildProcess([&] {
    if (atLimit == AtSizeLimit::kFailWrites) {
      signal(SIGXFSZ, SIG_IGN);
    } else {
      signal(SIGXFSZ, SIG_DFL);
      const rlimit noCore{0, 0};  // the signal ends the child without a core file
      setrlimit(RLIMIT_CORE, &noCore);
    }
    const rlimit limit{static_cast<rlim_t>(maxFileSize), static_cast<rlim_t>(maxFileSize)};
    setrlimit(RLIMIT_FSIZE, &limit);
    return work();
  });
}
