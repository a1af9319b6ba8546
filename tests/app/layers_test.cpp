// The engine's folders form layers: a file includes headers of its own folder and of the folders
// below it, never of one above. KORVEL_LAYERS lists them bottom up, as the build does.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

TEST(Layers, NoFolderIncludesAHeaderOfAFolderAboveIt) {
    std::vector<std::string> layers;
    std::istringstream list(KORVEL_LAYERS);
    for (std::string name; list >> name;) {
        layers.push_back(name);
    }
    auto rank = [&](const std::string& folder) {
        return std::find(layers.begin(), layers.end(), folder) - layers.begin();
    };
    ASSERT_GE(layers.size(), 10u);
    const std::regex include("^#include \"([a-z]+)/");
    std::vector<std::string> upward;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(KORVEL_SOURCE_DIR) / "src")) {
        const std::string folder = entry.path().parent_path().filename().string();
        if (!entry.is_regular_file() || rank(folder) == static_cast<long>(layers.size())) {
            continue; // the browser's stand-ins sit beside the layers, included by the build
        }
        std::ifstream file(entry.path());
        std::smatch match;
        for (std::string line; std::getline(file, line);) {
            if (std::regex_search(line, match, include) && rank(match[1]) > rank(folder)) {
                upward.push_back(entry.path().filename().string() + ": " + line);
            }
        }
    }
    EXPECT_TRUE(upward.empty()) << ::testing::PrintToString(upward);
}
