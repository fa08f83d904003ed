// Posted calls: carried out in order once the loop takes their message, after the handler that
// posted them; at once when asked; dropped with their owner; one that throws stops at the
// boundary and the calls behind it still run.
#include "PostedCalls.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

TEST(PostedCalls, RunInOrderAfterThePosterReturnsAtOnceWhenAskedAndNeverAfterTheirOwner) {
    std::vector<std::string> log;
    CPostedCalls calls;
    // A handler posts, goes on, and returns before anything it posted runs.
    calls.Post([&] {
        log.push_back("first");
        calls.Post([&] { log.push_back("posted by first"); });
        log.push_back("first returns");
    });
    calls.Post([&] { log.push_back("second"); });
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(calls.HasWaiting());
    ui::PumpPending();
    EXPECT_EQ(log,
              (std::vector<std::string>{"first", "first returns", "second", "posted by first"}));
    EXPECT_FALSE(calls.HasWaiting());

    // Asked to, they run now, and the message already posted finds nothing left to do.
    log.clear();
    calls.Post([&] { log.push_back("now"); });
    calls.RunWaiting();
    EXPECT_EQ(log, std::vector<std::string>{"now"});
    ui::PumpPending();
    EXPECT_EQ(log, std::vector<std::string>{"now"});

    // Calls still waiting when their owner goes are dropped.
    log.clear();
    auto owner = std::make_unique<CPostedCalls>();
    owner->Post([&] { log.push_back("dropped"); });
    owner.reset();
    ui::PumpPending();
    EXPECT_TRUE(log.empty());

    // A call that throws is stopped at the message's boundary; the next still runs.
    ui::ExpectCallbackExceptions(1);
    calls.Post([] { throw std::runtime_error("call failed"); });
    calls.Post([&] { log.push_back("after the failure"); });
    ui::PumpPending();
    EXPECT_EQ(log, std::vector<std::string>{"after the failure"});
}
