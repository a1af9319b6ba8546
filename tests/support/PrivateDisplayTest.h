// A live engine on an X display of its own, for tests that move the real mouse pointer: tests running
// side by side then never move each other's pointer.
#pragma once

#include "support/EngineFixture.h"
#include "support/XSession.h"

#include <cstdlib>
#include <string>

namespace korvel::test {

class PrivateDisplayTest : public EngineTest {
protected:
    static void SetUpTestSuite() {
        const char* shared = getenv("DISPLAY");
        sharedDisplay = shared ? shared : "";
        display = new VirtualDisplay;
        ASSERT_TRUE(display->Ok());
        setenv("DISPLAY", display->Name().c_str(), 1);
        EngineTest::SetUpTestSuite();
    }
    // The suites after this one in the same process go back to the display they were given.
    static void TearDownTestSuite() {
        EngineTest::TearDownTestSuite();
        delete display;
        display = nullptr;
        if (sharedDisplay.empty()) {
            unsetenv("DISPLAY");
        } else {
            setenv("DISPLAY", sharedDisplay.c_str(), 1);
        }
    }

    static inline VirtualDisplay* display = nullptr;
    static inline std::string sharedDisplay;
};

} // namespace korvel::test
