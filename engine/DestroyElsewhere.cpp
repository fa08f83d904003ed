// DestroyElsewhere: the thread that destroys what it is handed, in the order handed.
#include "DestroyElsewhere.h"

#include <system_error>

namespace quarvel::destroy_elsewhere {

Destroyer& Destroyer::Instance() {
    static Destroyer destroyer;
    return destroyer;
}

Destroyer::~Destroyer() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void Destroyer::Take(std::unique_ptr<Held> held) {
    std::unique_lock<std::mutex> hold(m_lock);
    if (!m_thread.joinable()) {
        try {
            m_thread = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
            hold.unlock();
            held.reset();
            return;
        }
    }
    m_waiting.push_back(std::move(held));
    hold.unlock();
    m_wake.notify_one();
}

void Destroyer::Run() {
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        m_wake.wait(hold, [this] { return m_quit || !m_waiting.empty(); });
        if (m_waiting.empty())
            return; // quitting, with nothing left
        std::deque<std::unique_ptr<Held>> batch;
        batch.swap(m_waiting);
        hold.unlock();
        batch.clear();
        hold.lock();
    }
}

} // namespace quarvel::destroy_elsewhere
