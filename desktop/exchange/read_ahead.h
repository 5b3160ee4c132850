#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Whether a batch that holds `records` records of `bytes` bytes takes another: a batch holds at
// most 512 records, and takes none once they hold 4 MiB (a record may take it past that). Batches
// of hundreds of records keep the hand-over cheap; the bound on bytes keeps the batches in flight
// (those ahead, the one being stored, the one being freed) to some 40 MB however large the
// records of a file are, where 512 records with pictures of 4 MB each took 2 GB.
constexpr bool BatchTakesMore(std::int64_t records, std::int64_t bytes) {
  return records < 512 && bytes < 4 * 1024 * 1024;
}

// Reads a file's records a batch at a time on a thread of its own, a few batches ahead of the
// caller, who stores them meanwhile: reading and decoding overlap the database's work, and a
// moment in which one side gets no processor costs the other no waiting while batches are
// queued.
//
// `read` makes the next batch and runs on the reading thread only: what it reads must not be
// touched elsewhere until this object is gone. `isLast` tells whether a batch is the last (the
// end of the file, or a failure); nothing is read after it. The caller takes batches with Next()
// until it has the last one, or stops early: the reading thread ends with this object.
template <typename Batch>
class ReadAhead {
 public:
  ReadAhead(std::function<Batch()> read, std::function<bool(const Batch&)> isLast,
            std::size_t ahead = 8)
      : read_(std::move(read)), isLast_(std::move(isLast)), ahead_(ahead) {
    thread_ = std::thread([this] { Run(); });
  }
  ~ReadAhead() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // The next batch, waiting for it when it is not read yet. Not to be called after the last.
  // The batch done with goes back to be freed on the reading thread, which made it: freeing
  // memory on the thread that took it is cheaper, and it keeps the storing thread free.
  Batch Next(Batch spent = Batch()) {
    std::unique_lock lock(mutex_);
    spent_.push_back(std::move(spent));
    changed_.wait(lock, [this] { return !queue_.empty(); });
    Batch batch = std::move(queue_.front());
    queue_.pop_front();
    changed_.notify_all();
    return batch;
  }

 private:
  void Run() {
    for (bool last = false; !last;) {
      std::deque<Batch> spent;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return stop_ || queue_.size() < ahead_; });
        if (stop_) return;
        spent.swap(spent_);
      }
      spent.clear();
      Batch batch = read_();
      last = isLast_(batch);
      {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(batch));
      }
      changed_.notify_all();
    }
  }

  std::function<Batch()> read_;
  std::function<bool(const Batch&)> isLast_;
  std::size_t ahead_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Batch> queue_;
  std::deque<Batch> spent_;
  bool stop_ = false;
  std::thread thread_;
};
