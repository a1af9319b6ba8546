// Parts an instance carries: instances on its tags and instances linked to its frames.
#include "models/MD2Instance.h"

#include "base/GL.h"

#include <cstddef>
#include <iostream>
#include <utility>

namespace {

int FrameCount(const std::shared_ptr<const CMD2Mesh>& mesh) {
    return mesh ? mesh->GetData().frameCount : 0;
}

const std::shared_ptr<const CMD2Tags> kNoTags;
const std::vector<CMD2Instance::Part> kNoParts;

} // namespace

CMD2Instance::Carried& CMD2Instance::OwnCarried() {
    if (!carried) {
        carried = std::make_shared<Carried>();
    } else if (carried.use_count() > 1) {
        carried = std::make_shared<Carried>(*carried);
    }
    return *carried;
}

const std::shared_ptr<const CMD2Tags>& CMD2Instance::GetTags() const {
    return carried ? carried->tags : kNoTags;
}

const std::vector<CMD2Instance::Part>& CMD2Instance::GetParts() const {
    return carried ? carried->parts : kNoParts;
}

bool CMD2Instance::SetTags(std::shared_ptr<const CMD2Tags> given) {
    if (given && given->GetFrameCount() != FrameCount(mesh)) {
        std::cerr << "The tags have " << given->GetFrameCount() << " frames, but the model has "
                  << FrameCount(mesh) << "; no tags" << std::endl;
        return false;
    }
    Carried& own = OwnCarried();
    own.tags = std::move(given);
    std::vector<Part> kept;
    for (Part& part : own.parts) {
        if (part.tag < 0) {
            kept.push_back(std::move(part));
        }
    }
    own.parts = std::move(kept);
    return true;
}

bool CMD2Instance::Attach(const std::string& tagName, std::shared_ptr<CMD2Instance> part) {
    const std::shared_ptr<const CMD2Tags>& tags = GetTags();
    const int tag = tags ? tags->Find(tagName) : -1;
    if (tag < 0) {
        std::string have;
        for (const std::string& name : tags ? tags->GetNames() : std::vector<std::string>()) {
            have += (have.empty() ? "" : ", ") + name;
        }
        std::cerr << "No tag '" << tagName << "' on the model ("
                  << (have.empty() ? "it has no tags" : "its tags: " + have) << "); nothing attached"
                  << std::endl;
        return false;
    }
    Detach(tagName);
    OwnCarried().parts.push_back({std::move(part), tag});
    return true;
}

bool CMD2Instance::Detach(const std::string& tagName) {
    const int tag = GetTags() ? GetTags()->Find(tagName) : -1;
    const std::vector<Part>& parts = GetParts();
    for (size_t i = 0; tag >= 0 && i < parts.size(); ++i) {
        if (parts[i].tag == tag) {
            std::vector<Part>& own = OwnCarried().parts;
            own.erase(own.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

bool CMD2Instance::Link(std::shared_ptr<CMD2Instance> part) {
    const int theirs = part ? FrameCount(part->GetMesh()) : 0;
    if (theirs != FrameCount(mesh)) {
        std::cerr << "The linked model has " << theirs << " frames, but the model has " << FrameCount(mesh)
                  << "; nothing linked" << std::endl;
        return false;
    }
    OwnCarried().parts.push_back({std::move(part), -1});
    return true;
}

std::shared_ptr<CMD2Instance> CMD2Instance::GetPart(const std::string& tagName) const {
    const int tag = GetTags() ? GetTags()->Find(tagName) : -1;
    for (const Part& part : GetParts()) {
        if (tag >= 0 && part.tag == tag) {
            return part.instance;
        }
    }
    return nullptr;
}

MD2TagTransform CMD2Instance::GetTagTransform(int tag) const {
    const std::shared_ptr<const CMD2Tags>& tags = GetTags();
    if (!tags) {
        return MD2TagTransform();
    }
    if (shownFrom < 0) {
        return tags->Get(tag, frame);
    }
    return tags->Interpolate(tag, shownFrom, shownNext, shownT);
}

void CMD2Instance::RenderParts(int from, int next, float t) {
    shownFrom = from;
    shownNext = next;
    shownT = t;
    for (const Part& part : GetParts()) {
        if (!part.instance) {
            continue;
        }
        if (part.tag < 0) {
            part.instance->DrawPose(from, next, t);
            part.instance->frame = frame;
            continue;
        }
        float matrix[16];
        GetTagTransform(part.tag).ToMatrix(matrix);
        glPushMatrix();
        glMultMatrixf(matrix);
        part.instance->Render();
        glPopMatrix();
    }
}
