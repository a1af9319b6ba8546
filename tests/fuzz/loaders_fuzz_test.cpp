// Replays the fuzz corpora through the loaders' fuzz entry points: every generated seed, then every
// input the fuzzer saved (its grown corpus and its findings) when scripts/fuzz has run here. Under the
// sanitizer build a memory fault in any of them fails the test.
#include "support/FuzzTargets.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using korvel::test::CaptureStream;

// As in the fuzz programs: an allocation no allocator can serve returns null, as in a plain build.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

namespace {

class ReplayTest : public ::testing::TestWithParam<std::string> {
protected:
    const korvel::fuzz::Target& target() const { return *korvel::fuzz::FindTarget(GetParam()); }
};

TEST_P(ReplayTest, SeedsLoadOrAreRefusedWithAMessage) {
    const auto seeds = target().seeds();
    ASSERT_FALSE(seeds.empty());
    for (const korvel::fuzz::Seed& seed : seeds) {
        CaptureStream out(STDOUT_FILENO);
        CaptureStream err(STDERR_FILENO);
        const bool loaded = target().feed(seed.bytes.data(), seed.bytes.size());
        const std::string said = out.Text() + err.Text();
        EXPECT_EQ(loaded, seed.loads) << seed.name << ": " << said;
        if (!seed.loads) {
            EXPECT_FALSE(said.empty()) << seed.name << " was refused without a message";
        }
    }
}

TEST_P(ReplayTest, SavedInputsReplay) {
    namespace fs = std::filesystem;
    int replayed = 0;
    for (const char* kind : {"corpus", "findings"}) {
        const fs::path folder = fs::path(KORVEL_SOURCE_DIR) / "build/fuzz" / kind / GetParam();
        std::error_code error;
        if (!fs::is_directory(folder, error)) {
            continue;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            const auto bytes = korvel::test::ReadFile(entry.path().string());
            // The loaders' messages are left on the streams: a sanitizer report must not vanish into
            // a capture, and the name just before it tells which input made it.
            std::fprintf(stderr, "replaying %s\n", entry.path().c_str());
            target().feed(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("%d saved inputs replayed\n", replayed);
}

std::vector<std::string> TargetNames() {
    std::vector<std::string> names;
    for (const korvel::fuzz::Target& target : korvel::fuzz::Targets()) {
        names.push_back(target.name);
    }
    return names;
}

INSTANTIATE_TEST_SUITE_P(Loaders, ReplayTest, ::testing::ValuesIn(TargetNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
