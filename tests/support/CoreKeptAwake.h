// A core kept busy for as long as the object lives, while a measurement of
// Wine's hooks is taken. Under Wine each hook call is a round trip to its
// server; on a machine whose cores sleep when idle every trip also waits
// for a core to wake, and the same figure swings by several times between
// runs (an empty hook pair: 25 us with a core awake, 100 to 160 us without).
// With a core awake the figures of one run, and of runs on an idle or a
// busy machine, compare.
#pragma once

#include <atomic>
#include <thread>

namespace test_support {

class CoreKeptAwake {
 public:
  CoreKeptAwake()
      : thread_([this] {
          while (awake_.load(std::memory_order_relaxed)) {
          }
        }) {}
  ~CoreKeptAwake() {
    awake_ = false;
    thread_.join();
  }
  CoreKeptAwake(const CoreKeptAwake&) = delete;
  CoreKeptAwake& operator=(const CoreKeptAwake&) = delete;

 private:
  std::atomic<bool> awake_{true};  // declared before the thread that reads it
  std::thread thread_;
};

}  // namespace test_support
