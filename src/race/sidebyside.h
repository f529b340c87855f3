#pragma once
// Work on all cores with its results taken in order: the files of a batch are made side by side
// and still written, and their failures told, one after another as a single thread would.
#include <QThreadPool>

#include <atomic>
#include <cstddef>
#include <exception>
#include <future>
#include <vector>

namespace CbasGeneral {

// Runs make(i) for i = 0 .. count - 1 on a pool of threads of its own (one per core) and hands
// each result to done(i, result) on the calling thread in the order of i, each as soon as it and
// those before it are ready. done returns false to stop: what is not yet begun is not made.
// An exception thrown by make(i) is thrown again on the calling thread when i's turn comes.
// make must not touch what the calling thread changes meanwhile.
template <typename T, typename Make, typename Done>
void MakeSideBySide(size_t count, const Make& make, const Done& done)
{
    std::vector<std::promise<T>> made(count);
    std::vector<std::future<T>> ready;
    ready.reserve(count);
    for (auto& promise : made) ready.push_back(promise.get_future());
    std::atomic<bool> stop{false};
    // Declared last, the pool ends first: its end waits for every job begun.
    QThreadPool pool;
    for (size_t i = 0; i < count; ++i) {
        pool.start([&make, &made, &stop, i] {
            if (stop.load()) {
                made[i].set_value(T());
                return;
            }
            try {
                made[i].set_value(make(i));
            } catch (...) {
                made[i].set_exception(std::current_exception());
            }
        });
    }
    try {
        for (size_t i = 0; i < count; ++i)
            if (!done(i, ready[i].get())) break;
    } catch (...) {
        stop = true;
        throw;
    }
    stop = true;
}

}  // namespace CbasGeneral
