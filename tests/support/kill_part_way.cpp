#include "tests/support/kill_part_way.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QRegularExpression>

#include <csignal>

bool KillPartWay(const std::function<void()>& work,
                 const std::function<bool(pid_t child)>& progressed) {
  const pid_t child = fork();
  if (child == 0) {
    work();
    _exit(0);
  }
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (progressed(child)) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      break;
    }
    usleep(100);
  }
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

qint64 BytesWrittenBy(pid_t process) {
  QFile io(QStringLiteral("/proc/%1/io").arg(process));
  if (!io.open(QIODevice::ReadOnly)) return 0;
  const QRegularExpressionMatch written =
      QRegularExpression(QStringLiteral("^wchar: (\\d+)$"), QRegularExpression::MultilineOption)
          .match(QString::fromLatin1(io.readAll()));
  return written.hasMatch() ? written.captured(1).toLongLong() : 0;
}
