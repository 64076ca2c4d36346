#pragma once
// Stops a test whose rig could not be set up. A QVERIFY in a rig's
// constructor would only leave the constructor, and the test would go on
// over a broken rig; this records the failure and throws, so the test
// function ends there and the run fails.

#include <QtTest>

#include <stdexcept>
#include <string>

namespace tabrel::test {

struct SetUpFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline void RequireSetUp(bool ok, const std::string& what, const char* file, int line)
{
    if (ok)
        return;
    const std::string message = "set-up failed: " + what;
    QTest::qFail(message.c_str(), file, line);
    throw SetUpFailed(message);
}

}  // namespace tabrel::test

/// Like QVERIFY, for rig constructors and fixture helpers.
#define TABREL_REQUIRE_SETUP(condition, what) \
    ::tabrel::test::RequireSetUp(static_cast<bool>(condition), what, __FILE__, __LINE__)
