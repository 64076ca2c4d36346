#pragma once
// The QtTest classes of the front end, by name, and what they share.

#include <QObject>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tabrel::test {

using UiTestFactory = std::function<std::unique_ptr<QObject>()>;

/// Every registered class, in registration order.
std::vector<std::pair<const char*, UiTestFactory>>& UiTestClasses();

/// Registers test class T under `name` at start-up.
template <typename T>
struct RegisterUiTest {
    explicit RegisterUiTest(const char* name)
    {
        UiTestClasses().emplace_back(name, [] { return std::make_unique<T>(); });
    }
};

}  // namespace tabrel::test
