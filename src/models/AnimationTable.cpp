#include "models/AnimationTable.h"

#include "files/FileSystem.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <strings.h>

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    size_t at = 0;
    while ((at = text.find_first_not_of(" \t", at)) != std::string::npos) {
        const size_t end = std::min(text.find_first_of(" \t", at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

// A frame number or count: digits alone, at most nine of them.
bool WholeNumber(const std::string& word, int& value) {
    if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    value = std::atoi(word.c_str());
    return true;
}

// A rate: digits with at most one decimal point, at most the fastest rate; 0 holds the pose.
bool Rate(const std::string& word, float& value) {
    const bool digits = word.find_first_of("0123456789") != std::string::npos;
    if (!digits || word.size() > 12 || word.find_first_not_of("0123456789.") != std::string::npos ||
        std::count(word.begin(), word.end(), '.') > 1) {
        return false;
    }
    value = std::strtof(word.c_str(), nullptr);
    return value >= 0.0f && value <= CAnimationTable::kMaxRate;
}

// What is wrong with the animation's frames for a model of frameCount frames; empty when nothing.
std::string FrameProblem(const Animation& animation, int frameCount) {
    if (animation.firstFrame > animation.endFrame) {
        return "it ends on frame " + std::to_string(animation.endFrame) + " before it starts on frame " +
               std::to_string(animation.firstFrame);
    }
    if (animation.endFrame >= frameCount) {
        return "frames " + std::to_string(animation.firstFrame) + "-" + std::to_string(animation.endFrame) +
               ", but the model has " + std::to_string(frameCount) + " (0-" + std::to_string(frameCount - 1) +
               ")";
    }
    return "";
}

// One line of a .anm file: `name first last fps`.
std::string ReadAnmLine(const std::vector<std::string>& words, Animation& animation) {
    float rate = 0.0f;
    if (words.size() != 4) {
        return "expected 'name first last fps', found " + std::to_string(words.size()) + " words";
    }
    if (!WholeNumber(words[1], animation.firstFrame) || !WholeNumber(words[2], animation.endFrame)) {
        return "the first and last frames must be whole numbers from 0";
    }
    if (!Rate(words[3], rate)) {
        return "the rate '" + words[3] + "' is not a number of key frames a second from 0 to 1000";
    }
    animation.name = words[0];
    animation.framesPerSecond = rate;
    animation.held = rate == 0.0f;
    return "";
}

// One line of a .framegroups file: `first count fps loop`, the name after the comment mark.
std::string ReadGroupLine(const std::vector<std::string>& words, const std::string& comment, int group,
                          Animation& animation) {
    int count = 0;
    float rate = 0.0f;
    if (words.size() != 4) {
        return "expected 'first count fps loop // name', found " + std::to_string(words.size()) + " numbers";
    }
    if (!WholeNumber(words[0], animation.firstFrame) || !WholeNumber(words[1], count) || count < 1) {
        return "the first frame must be a whole number from 0 and the count one from 1";
    }
    if (!Rate(words[2], rate)) {
        return "the rate '" + words[2] + "' is not a number of key frames a second from 0 to 1000";
    }
    if (words[3] != "0" && words[3] != "1") {
        return "loop must be 1 or 0, not '" + words[3] + "'";
    }
    animation.endFrame = animation.firstFrame + count - 1;
    animation.framesPerSecond = rate;
    animation.held = rate == 0.0f;
    animation.loop = words[3] == "1";
    animation.name = comment.empty() ? "group" + std::to_string(group) : comment;
    return "";
}

} // namespace

std::vector<Animation> CAnimationTable::Parse(const std::string& fileName, const std::vector<uint8_t>& bytes,
                                              int frameCount, std::vector<std::string>& problems) {
    const bool groups = CFileSystem::NameEndsWith(fileName, ".framegroups");
    std::string text(bytes.begin(), bytes.end());
    // A byte-order mark some editors put first.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    std::vector<Animation> animations;
    int lineNumber = 0, group = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const size_t mark = line.find("//");
        const std::string comment = mark == std::string::npos ? "" : Trimmed(line.substr(mark + 2));
        const std::vector<std::string> words = Words(line.substr(0, mark));
        if (words.empty()) {
            continue;
        }
        Animation animation;
        animation.endIsLast = true;
        std::string problem;
        if (std::any_of(line.begin(), line.end(), [](unsigned char c) { return c < 0x20 && c != '\t'; })) {
            problem = "control characters in the line";
        } else {
            problem =
                groups ? ReadGroupLine(words, comment, group, animation) : ReadAnmLine(words, animation);
        }
        if (problem.empty() && animation.name.size() > kMaxNameLength) {
            problem = "a name longer than " + std::to_string(kMaxNameLength) + " characters";
        }
        if (problem.empty()) {
            problem = FrameProblem(animation, frameCount);
        }
        group += groups ? 1 : 0;
        if (problem.empty()) {
            animations.push_back(animation);
        } else {
            problems.push_back(fileName + ":" + std::to_string(lineNumber) + ": " + problem + "; skipped");
        }
    }
    return animations;
}

std::string CAnimationTable::FindBeside(const std::string& modelPath) {
    const std::string file = CFileSystem::FileNameOf(modelPath);
    const std::string base = CFileSystem::StemOf(file);
    return CFileSystem::FindNoCase(CFileSystem::FolderOf(modelPath),
                                   {base + ".anm", file + ".framegroups", base + ".framegroups"});
}

bool CAnimationTable::Read(const std::string& path, int frameCount, std::vector<Animation>& animations) {
    std::vector<uint8_t> bytes;
    std::string why;
    // One byte past the most a table may hold tells a file too large without reading all of it.
    const auto extent = [](const std::vector<uint8_t>&) -> uint64_t { return kMaxFileSize + 1; };
    if (!CFileSystem::Read(path, bytes, why, extent)) {
        std::cerr << (why.empty() ? "Unable to find the animation file: " + path + "!" : why) << std::endl;
        return false;
    }
    if (bytes.size() > kMaxFileSize) {
        std::cerr << "Animation file larger than 1 MiB, not read: " << path << "!" << std::endl;
        return false;
    }
    std::vector<std::string> problems;
    animations = Parse(path, bytes, frameCount, problems);
    for (const std::string& problem : problems) {
        std::cerr << problem << std::endl;
    }
    if (animations.empty()) {
        std::cerr << "No animation in " << path << "; the frame names' animations are played" << std::endl;
        return false;
    }
    return true;
}

bool CAnimationTable::ForModel(const std::string& modelPath, const std::string& given, int frameCount,
                               std::shared_ptr<const std::vector<Animation>>& table, std::string* source) {
    table.reset();
    const std::string path = given.empty() ? FindBeside(modelPath) : given;
    std::vector<Animation> animations;
    if (path.empty() || !Read(path, frameCount, animations)) {
        return given.empty();
    }
    table = std::make_shared<const std::vector<Animation>>(std::move(animations));
    if (source) {
        *source = path;
    }
    return true;
}

int CAnimationTable::Standing(const std::vector<Animation>& animations) {
    for (size_t i = 0; i < animations.size(); ++i) {
        const std::string& name = animations[i].name;
        if (strncasecmp(name.c_str(), "stand", 5) == 0 || strncasecmp(name.c_str(), "idle", 4) == 0) {
            return static_cast<int>(i);
        }
    }
    return 0;
}
