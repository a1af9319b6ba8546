// A live engine on an X display of its own, for tests that move the real mouse pointer: tests running
// side by side then never move each other's pointer.
#pragma once

#include "support/EngineFixture.h"
#include "support/XSession.h"

#include <cstdlib>

namespace korvel::test {

class PrivateDisplayTest : public EngineTest {
protected:
    static void SetUpTestSuite() {
        display = new VirtualDisplay;
        ASSERT_TRUE(display->Ok());
        setenv("DISPLAY", display->Name().c_str(), 1);
        EngineTest::SetUpTestSuite();
    }
    static void TearDownTestSuite() {
        EngineTest::TearDownTestSuite();
        delete display;
        display = nullptr;
    }

    static inline VirtualDisplay* display = nullptr;
};

} // namespace korvel::test
