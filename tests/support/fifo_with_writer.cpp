#include "tests/support/fifo_with_writer.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

FifoWithWriter::FifoWithWriter(const QString& path) : path_(QFile::encodeName(path)) {
  EXPECT_EQ(mkfifo(path_.constData(), 0600), 0) << path_.constData();
  writer_ = std::thread([path = path_] {
    const int fifo = ::open(path.constData(), O_WRONLY);  // waits for a reader
    if (fifo >= 0) ::close(fifo);
  });
}

FifoWithWriter::~FifoWithWriter() {
  // A reader that does not wait lets a writer still waiting go on.
  const int reader = ::open(path_.constData(), O_RDONLY | O_NONBLOCK);
  writer_.join();
  if (reader >= 0) ::close(reader);
}
