#pragma once

#include <QString>

#include <thread>

// A FIFO at `path` whose writer, another thread, opens it, writes `content` and closes it again:
// a program that opens the FIFO for reading gets `content` as the file, one that never does leaves
// the writer waiting until this object goes away and releases it. So code that reads it shows,
// and code that leaves it alone never hangs the test.
class FifoWithWriter {
 public:
  explicit FifoWithWriter(const QString& path, const QByteArray& content = {});
  ~FifoWithWriter();
  FifoWithWriter(const FifoWithWriter&) = delete;
  FifoWithWriter& operator=(const FifoWithWriter&) = delete;

 private:
  QByteArray path_;
  std::thread writer_;
};
