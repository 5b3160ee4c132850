#include "tests/support/fifo_with_writer.h"

#include <QFile>

#include <csignal>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

FifoWithWriter::FifoWithWriter(const QString& path, const QByteArray& content)
    : path_(QFile::encodeName(path)) {
  EXPECT_EQ(mkfifo(path_.constData(), 0600), 0) << path_.constData();
  writer_ = std::thread([path = path_, content] {
    // A reader that looked and closed again makes the write fail, not end the process.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    const int fifo = ::open(path.constData(), O_WRONLY);  // waits for a reader
    if (fifo < 0) return;
    if (!content.isEmpty()) {
      // Fails once the reader is gone: what it did with the FIFO is what the test looks at.
      [[maybe_unused]] const ssize_t written = ::write(fifo, content.constData(), content.size());
    }
    ::close(fifo);
  });
}

FifoWithWriter::~FifoWithWriter() {
  // A reader that does not wait lets a writer still waiting go on.
  const int reader = ::open(path_.constData(), O_RDONLY | O_NONBLOCK);
  writer_.join();
  if (reader >= 0) ::close(reader);
}
