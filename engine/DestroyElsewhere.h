// Destroys values on a thread of its own. The window's thread empties lists of 10^5 records:
// freeing them one by one there keeps the window from answering for a tenth of a second and
// more, while nothing else needs them once they are handed over.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>

namespace quarvel {

namespace destroy_elsewhere {
struct Held {
    virtual ~Held() = default;
};

template <class T> struct HeldValue : Held {
    explicit HeldValue(T&& taken) : value(std::move(taken)) {}
    T value;
};

// One thread, started with the first value and ended (after destroying what it holds) as the
// process ends: starting a thread for each value costs Wine milliseconds.
class Destroyer {
public:
    static Destroyer& Instance();
    ~Destroyer();
    // Destroys it here when no thread can be started.
    void Take(std::unique_ptr<Held> held);

private:
    Destroyer() = default;
    void Run();

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<std::unique_ptr<Held>> m_waiting;
    bool m_quit = false;
    std::thread m_thread;
};
} // namespace destroy_elsewhere

// Takes the value (hand a container over with std::exchange to keep an empty one) and destroys
// it on another thread. The value must own what it frees and share nothing that the caller's
// thread goes on using.
template <class T> void DestroyElsewhere(T&& value) {
    static_assert(!std::is_lvalue_reference<T>::value, "hand the value over with std::move");
    destroy_elsewhere::Destroyer::Instance().Take(
        std::make_unique<destroy_elsewhere::HeldValue<T>>(std::move(value)));
}

} // namespace quarvel
