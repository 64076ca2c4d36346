#include "UiTests.h"

namespace tabrel::test {

std::vector<std::pair<const char*, UiTestFactory>>& UiTestClasses()
{
    static std::vector<std::pair<const char*, UiTestFactory>> classes;
    return classes;
}

}  // namespace tabrel::test
