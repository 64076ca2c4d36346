#include "platform/MessagePump.h"

#include <utility>

namespace tabrel {
namespace {
std::function<void()>& Handler()
{
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void DispatchPendingMessage()
{
    if (auto& handler = Handler())
        handler();
}

std::function<void()> SetDispatchHandler(std::function<void()> handler)
{
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace tabrel
