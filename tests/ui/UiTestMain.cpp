// Runs the QtTest classes of the front end: all of them, or the one named
// by the first argument (CTest runs each class as its own test).

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "UiTests.h"

int main(int argc, char** argv)
{
    // No test may touch the profile of the user running it.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    // Arguments after the class name go to QtTest.
    std::vector<char*> args{argv[0]};
    for (int i = only ? 2 : 1; i < argc; ++i)
        args.push_back(argv[i]);

    int failures = 0;
    int ran = 0;
    for (const auto& [name, make] : tabrel::test::UiTestClasses()) {
        if (only && std::strcmp(only, name) != 0)
            continue;
        std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
        ++ran;
    }
    return ran == 0 ? 1 : (failures == 0 ? 0 : 1);
}
