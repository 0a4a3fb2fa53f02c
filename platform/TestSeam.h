#pragma once

#include <mutex>

namespace plat {

// A value that tests swap in to stand for a system facility (a clock, a
// probe, a codeset). Read and swapped under a lock, so worker threads may
// read it while a test swaps it. Hold one as a function-local static.
template <typename T>
class TTestSeam {
public:
    T Get() const
    {
        std::lock_guard<std::mutex> lock(FLock);
        return FValue;
    }
    // Returns what was set before.
    T Swap(T value)
    {
        std::lock_guard<std::mutex> lock(FLock);
        T before = std::move(FValue);
        FValue = std::move(value);
        return before;
    }

private:
    mutable std::mutex FLock;
    T FValue {};
};

} // namespace plat
