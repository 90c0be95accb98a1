#pragma once

// A value one thread sets and others read with no ordering against anything
// else: a relaxed atomic that reads and assigns like the plain value it
// replaces. For settings and readings handed between the parameter, audio and
// editor threads, where each value stands on its own and a reader may see the
// old one for a moment. Only for types whose atomic is lock-free.

#include <atomic>

template <class T>
class RelaxedValue {
public:
    static_assert(std::atomic<T>::is_always_lock_free, "the audio thread may take no lock");

    constexpr RelaxedValue(T value = T{}) : value_(value) {}
    // A copy reads the value once, so the holder copies like plain fields.
    RelaxedValue(const RelaxedValue& other) : value_(other.get()) {}
    RelaxedValue& operator=(const RelaxedValue& other) { return *this = other.get(); }

    RelaxedValue& operator=(T value)
    {
        value_.store(value, std::memory_order_relaxed);
        return *this;
    }
    operator T() const { return value_.load(std::memory_order_relaxed); }
    T get() const { return value_.load(std::memory_order_relaxed); }

private:
    std::atomic<T> value_;
};
