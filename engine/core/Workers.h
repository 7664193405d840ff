// Work shared by several threads: the slab loops of the sampler and the dot fill.
#pragma once

#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace wl {

// Runs work(w) for each worker w = 0 to threads - 1: worker 0 on the calling
// thread, the others on threads of their own, as many as the system gives
// (the workers take their pieces from a shared counter, so fewer of them still
// do all of it). Once all have ended, the first exception one raised is raised.
template <class Work>
void RunWorkers(unsigned threads, Work&& work) {
  std::vector<std::exception_ptr> errors(threads);
  auto guarded = [&](unsigned w) {
    try {
      work(w);
    } catch (...) {
      errors[w] = std::current_exception();
    }
  };
  std::vector<std::thread> pool;
  for (unsigned w = 1; w < threads; ++w) {
    try {
      pool.emplace_back(guarded, w);
    } catch (const std::system_error&) {
      break;
    }
  }
  guarded(0);
  for (auto& t : pool) t.join();
  for (auto& e : errors) {
    if (e) std::rethrow_exception(e);
  }
}

}  // namespace wl
