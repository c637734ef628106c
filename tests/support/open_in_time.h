#pragma once
// For tests of opens that must not wait: an open that waits on a FIFO's other end is freed after
// a few seconds by opening that end, so that it fails its test instead of stopping the run.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

namespace vornelle::testing {

// Runs `open` on a thread of its own and gives its result; `fifos` are the FIFOs it might wait on.
template <typename Open>
auto OpenInTime(Open open, const std::vector<std::string>& fifos) {
  auto opened = std::async(std::launch::async, open);
  if (opened.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << "the open waits for a FIFO's other end";
    for (const std::string& fifo : fifos) close(::open(fifo.c_str(), O_RDWR | O_NONBLOCK));
  }
  return opened.get();
}

}  // namespace vornelle::testing
