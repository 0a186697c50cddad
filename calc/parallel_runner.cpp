// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/parallel_runner.h"

#include <algorithm>
#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/info.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/parallel_pipeline.h>
#include <oneapi/tbb/task_arena.h>

namespace hspring {

// oneTBB rather than threads of our own: its work stealing balances items whose cost differs a
// hundredfold (a thick wire has a hundred times the coil diameters of a thin one), its threads are
// kept between runs, and its pipeline gives the ordered read-work-write stream a batch needs. Each
// run goes into an arena of the requested size, which caps the threads and numbers them.

int parallelThreadCount(int requested) {
    const int cores = std::max(1, oneapi::tbb::info::default_concurrency());
    return requested > 0 ? std::min(requested, cores) : cores;
}

void forEachInParallel(std::size_t count, int threads,
                       const std::function<void(std::size_t index, int worker)>& body) {
    oneapi::tbb::task_arena arena(parallelThreadCount(threads));
    arena.execute([&] {
        oneapi::tbb::parallel_for(
            oneapi::tbb::blocked_range<std::size_t>(0, count, 1),
            [&](const oneapi::tbb::blocked_range<std::size_t>& range) {
                const int worker = oneapi::tbb::this_task_arena::current_thread_index();
                for (std::size_t index = range.begin(); index != range.end(); ++index)
                    body(index, worker);
            },
            oneapi::tbb::simple_partitioner());
    });
}

void runOrderedPipeline(int threads, int slots, const std::function<bool(int slot)>& read,
                        const std::function<void(int slot)>& work,
                        const std::function<void(int slot)>& write) {
    using oneapi::tbb::filter_mode;
    using oneapi::tbb::flow_control;
    using oneapi::tbb::make_filter;
    slots = std::max(1, slots);
    int next = 0;
    oneapi::tbb::task_arena arena(parallelThreadCount(threads));
    arena.execute([&] {
        // At most `slots` items are alive, and the last stage retires them in reading order, so
        // the item read `slots` places earlier has been written and its buffer is free.
        oneapi::tbb::parallel_pipeline(
            static_cast<std::size_t>(slots),
            make_filter<void, int>(filter_mode::serial_in_order, [&](flow_control& control) {
                const int slot = next;
                next = (next + 1) % slots;
                if (!read(slot))
                    control.stop();
                return slot;
            }) & make_filter<int, int>(filter_mode::parallel, [&](int slot) {
                work(slot);
                return slot;
            }) & make_filter<int, void>(filter_mode::serial_in_order, [&](int slot) {
                write(slot);
            }));
    });
}

} // namespace hspring
