// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

namespace hspring {

// The threads a parallel run may use: every core the process may run on, or `requested` when it
// is positive (a run never uses more threads than there are cores, whatever is requested).
int parallelThreadCount(int requested = 0);

// Runs body(index, worker) for every index in [0, count) on up to parallelThreadCount(threads)
// threads and returns when all have run. The indices are handed out one at a time to whichever
// thread is free, so items of very different cost still keep every thread busy. `worker` is the
// running thread's number in [0, parallelThreadCount(threads)): no two calls with the same worker
// number run at once, so a body can keep per-worker state without locks. An exception thrown by
// a body stops the run and is thrown again here.
void forEachInParallel(std::size_t count, int threads,
                       const std::function<void(std::size_t index, int worker)>& body);

// Runs a stream of items through three stages, up to `slots` items at a time:
// - read(slot) fills the caller's buffer number `slot` with the next item and returns false at
//   the end of the stream (the buffer is then not used); items are read one at a time, in order;
// - work(slot) processes an item; up to parallelThreadCount(threads) items are processed at once;
// - write(slot) consumes an item; items are written one at a time, in the order they were read.
// A buffer number comes back to read only after the item in it has been written, so `slots`
// buffers suffice. Reading goes on while earlier items are processed and written, so a serial
// reader and writer overlap with the parallel work. An exception stops the stream and is thrown
// again here.
void runOrderedPipeline(int threads, int slots, const std::function<bool(int slot)>& read,
                        const std::function<void(int slot)>& work,
                        const std::function<void(int slot)>& write);

} // namespace hspring
