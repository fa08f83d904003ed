// Values handed to DestroyElsewhere are destroyed once each, on another thread, without the
// caller waiting for the destruction.
#include "engine/DestroyElsewhere.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace quarvel;

namespace {

// What the destructions saw: how many, on which threads, and a gate that holds them back.
struct Witness {
    std::mutex lock;
    std::condition_variable changed;
    int destroyed = 0;
    std::vector<std::thread::id> threads;
    bool open = true;

    bool WaitFor(int count) {
        std::unique_lock<std::mutex> held(lock);
        return changed.wait_for(held, std::chrono::seconds(20), [&] { return destroyed >= count; });
    }
};

// Reports its destruction; a moved-from one reports nothing.
class Watched {
public:
    explicit Watched(Witness* witness) : m_witness(witness) {}
    Watched(Watched&& other) noexcept : m_witness(other.m_witness) { other.m_witness = nullptr; }
    Watched& operator=(Watched&&) = delete;
    ~Watched() {
        if (!m_witness)
            return;
        std::unique_lock<std::mutex> held(m_witness->lock);
        m_witness->changed.wait(held, [&] { return m_witness->open; });
        ++m_witness->destroyed;
        m_witness->threads.push_back(std::this_thread::get_id());
        m_witness->changed.notify_all();
    }

private:
    Witness* m_witness;
};

} // namespace

TEST(DestroyElsewhere, DestroysEveryValueOnceOnAnotherThreadWithoutTheCallerWaiting) {
    Witness witness;
    {
        std::lock_guard<std::mutex> held(witness.lock);
        witness.open = false; // the destructions wait until the caller is done
    }
    std::deque<Watched> records;
    for (int n = 0; n < 1000; ++n)
        records.emplace_back(&witness);
    std::vector<std::unique_ptr<Watched>> owned;
    owned.push_back(std::make_unique<Watched>(&witness));

    DestroyElsewhere(std::exchange(records, {}));
    DestroyElsewhere(std::move(owned));
    // The caller got back at once, with a container it may fill again.
    records.emplace_back(nullptr);
    {
        std::lock_guard<std::mutex> held(witness.lock);
        EXPECT_EQ(witness.destroyed, 0);
        witness.open = true;
    }
    witness.changed.notify_all();

    ASSERT_TRUE(witness.WaitFor(1001));
    std::this_thread::sleep_for(std::chrono::milliseconds(50)); // no second destruction follows
    std::lock_guard<std::mutex> held(witness.lock);
    EXPECT_EQ(witness.destroyed, 1001);
    for (const std::thread::id thread : witness.threads)
        EXPECT_NE(thread, std::this_thread::get_id());
}

TEST(DestroyElsewhere, StringsAndEmptyContainersGoWithoutTrouble) {
    std::vector<std::string> texts(10000, std::string(100, 'x'));
    DestroyElsewhere(std::exchange(texts, {}));
    DestroyElsewhere(std::vector<std::string>());
    EXPECT_TRUE(texts.empty());
}
