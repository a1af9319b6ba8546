// The animation table: frames are cut into runs of equal base names, the base name being the frame
// name without its trailing number (stand01..stand40 are the animation "stand").
#include "models/MD2Loader.h"

#include "models/AnimationTable.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

// Cuts a number of at most two digits off the end of name and returns it (0 when there is none).
// The first digit standing in one of the last two positions starts the number.
int CutTrailingNumber(std::string& name) {
    if (name.size() < 2) {
        return 0;
    }
    for (size_t i = name.size() - 2; i < name.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(name[i]))) {
            int number = std::atoi(name.c_str() + i);
            name.erase(i);
            return number;
        }
    }
    return 0;
}

} // namespace

void CMD2Loader::ParseAnimations(ModelData& model) {
    std::string previous;
    Animation working;
    for (int i = 0; i < model.frameCount; ++i) {
        std::string name = rawFrames[static_cast<size_t>(i)].name;
        int number = CutTrailingNumber(name);
        if (name != previous || i == model.frameCount - 1) {
            if (!previous.empty()) {
                working.name = previous;
                working.endFrame = i;
                model.animations.push_back(working);
                working = Animation();
                ++model.animationCount;
            }
            // A run numbered from 1 starts at its own index; other numberings shift the start.
            working.firstFrame = number + i - 1;
        }
        previous = name;
    }
    // An unnumbered first run (-1) or a run numbered from far above 1 would start outside the file.
    for (Animation& animation : model.animations) {
        animation.firstFrame = std::clamp(animation.firstFrame, 0, model.frameCount - 1);
    }
}

bool CMD2Loader::LoadWithAnimations(ModelData& model, const std::string& path, const std::string& tableFile,
                                    std::string* source) {
    std::shared_ptr<const std::vector<Animation>> table;
    std::string found;
    if (source) {
        source->clear();
    }
    if (!Load(model, path.c_str(), nullptr)) {
        return false;
    }
    if (!CAnimationTable::ForModel(path, tableFile, model.frameCount, table, &found)) {
        model = ModelData();
        return false;
    }
    if (table) {
        model.animations = *table;
        model.animationCount = static_cast<int>(table->size());
        if (source) {
            *source = found;
        }
    }
    return true;
}
