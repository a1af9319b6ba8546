#include "viewer/ViewerOverlay.h"

#include "base/Registry.h"
#include "models/MD2Model.h"
#include "text/Font.h"
#include "text/FontManager.h"

#include <cmath>

std::string CViewerOverlay::SpeedText(float speed) {
    const bool slow = speed < 1.0f;
    const long whole = std::lround(slow ? 1.0f / speed : speed);
    return (slow ? "1/" : "") + std::to_string(whole) + "x";
}

void CViewerOverlay::Draw(const CMD2Model& model, const OverlayFacts& facts) {
    CFont* font = gFontManager->GetFont(1);
    if (!font) {
        return;
    }
    const ModelData& data = model.GetData();
    const MD2Header& header = model.GetLoader().GetHeader();
    const std::string file = facts.file.substr(facts.file.find_last_of('/') + 1);
    int y = 110;
    const int line = 22;
    if (facts.place.empty()) {
        font->Print(1, y, 0, "File: %.60s", file.c_str());
    } else {
        font->Print(1, y, 0, "%.80s", facts.place.c_str());
    }
    if (data.animationCount > 0) {
        const Animation& anim = data.animations[static_cast<size_t>(data.currentAnimation)];
        // Numbered as the number keys, --animation and md2info number them, so the number read
        // here can be typed back.
        font->Print(1, y += line, 0, "Animation %d of 0-%d: %.40s", data.currentAnimation,
                    data.animationCount - 1, anim.name.c_str());
        const int last = LastKeyFrame(data.animations, data.currentAnimation);
        // An animation with a rate of its own (from a table beside the model) says it.
        if (anim.held) {
            font->Print(1, y += line, 0, "Frames %d-%d, held", anim.firstFrame, last);
        } else if (anim.framesPerSecond > 0.0f) {
            font->Print(1, y += line, 0, "Frames %d-%d at %g a second%s", anim.firstFrame, last,
                        static_cast<double>(anim.framesPerSecond), anim.loop ? "" : ", once");
        } else {
            font->Print(1, y += line, 0, "Frames %d-%d", anim.firstFrame, last);
        }
    }
    font->Print(1, y += line, 0, "Key frame %d%s, speed %s", data.currentFrame,
                model.IsPaused() ? " (paused)" : "", SpeedText(facts.speed).c_str());
    const int vertices = data.frames.empty() ? 0 : data.frames[0].vertexCount;
    const int triangles = data.frames.empty() ? 0 : data.frames[0].triangleCount;
    font->Print(1, y += line, 0, "Triangles %d, vertices %d", triangles, vertices);
    if (facts.skinCount > 0) {
        const std::string skin = facts.skin.substr(facts.skin.find_last_of('/') + 1);
        font->Print(1, y += line, 0, "Skin %d of 0-%d: %.40s", facts.skinIndex, facts.skinCount - 1,
                    skin.c_str());
    } else {
        font->Print(1, y += line, 0, "Skin: none found, plain grey");
    }
    font->Print(1, y += line, 0, "Skin size %d x %d", header.skinWidth, header.skinHeight);
    for (const std::string& part : facts.parts) {
        font->Print(1, y += line, 0, "%.60s", part.c_str());
    }
}
