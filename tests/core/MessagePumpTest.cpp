#include <gtest/gtest.h>

#include "platform/MessagePump.h"

using namespace tabrel;

TEST(MessagePump, CallsTheInstalledHandlerOncePerCall)
{
    DispatchPendingMessage();  // no handler: nothing happens
    int calls = 0;
    auto previous = SetDispatchHandler([&] { ++calls; });
    DispatchPendingMessage();
    DispatchPendingMessage();
    EXPECT_EQ(calls, 2);
    auto mine = SetDispatchHandler(std::move(previous));
    ASSERT_TRUE(mine);
    DispatchPendingMessage();
    EXPECT_EQ(calls, 2);  // handler removed again
}
