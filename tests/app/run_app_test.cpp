// The process entry's lifecycle: hooks in order, a fatal start-up message turned into status 1.
#include "app/App.h"
#include "app/RunApp.h"
#include "base/Registry.h"
#include "support/TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

using korvel::test::CaptureStream;

namespace {

class RecordingApp : public CApp {
public:
    explicit RecordingApp(std::string* calls, bool failInit) : calls(calls), failInit(failInit) {
        // The engine and every manager exist before a derived constructor body runs.
        *calls += gGraphicsCore && gFontManager && engine ? "engine " : "no-engine ";
    }
    void Init() override {
        *calls += "init ";
        if (failInit) {
            throw std::string("Error: SDL Could not create Video Surface.no mode");
        }
    }
    void Run() override { *calls += "run "; }
    void Shutdown() override { *calls += "shutdown"; }
    void Reserved1() override {}
    void Reserved2() override {}

private:
    std::string* calls;
    bool failInit;
};

TEST(RunApp, DrivesTheHooksInOrderAndShutsTheEngineDown) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CaptureStream quiet(STDOUT_FILENO);
    std::string calls;
    EXPECT_EQ(RunApp([&] { return new RecordingApp(&calls, false); }), 0);
    EXPECT_EQ(calls, "engine init run shutdown");
    EXPECT_EQ(gGraphicsCore, nullptr);
}

TEST(RunApp, AFatalStartUpMessageIsPrintedAndEndsWithStatusOne) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CaptureStream quiet(STDOUT_FILENO);
    CaptureStream err(STDERR_FILENO);
    std::string calls;
    EXPECT_EQ(RunApp([&] { return new RecordingApp(&calls, true); }), 1);
    EXPECT_EQ(err.Text(), "Error: SDL Could not create Video Surface.no mode\n");
    EXPECT_EQ(calls, "engine init ");
    EXPECT_EQ(gEventManager, nullptr) << "the engine is destroyed on the way out";
}

TEST(RunApp, TheStatusCallbackChoosesTheExitStatus) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CaptureStream quiet(STDOUT_FILENO);
    std::string calls;
    EXPECT_EQ(RunApp([&] { return new RecordingApp(&calls, false); }, [](CApp&) { return 7; }), 7);
}

} // namespace
