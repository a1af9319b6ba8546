// Characters made of parts: the tags beside a model, the parts the command line puts on them or links
// to the model's frames, the heads beside it that H cycles through, and what the overlay and the
// framing make of them.
#include "viewer/Viewer.h"

#include "base/CommandLine.h"
#include "files/FileSystem.h"
#include "models/AnimationTable.h"
#include "models/MD2Model.h"
#include "models/MD2Tags.h"

#include <algorithm>
#include <iostream>
#include <strings.h>

namespace {

const char* const kHeadTag = "tag_head";

bool IsHead(const std::string& name) {
    return name.size() > 8 && strncasecmp(name.c_str(), "head", 4) == 0 &&
           strcasecmp(name.c_str() + name.size() - 4, ".md2") == 0;
}

void Grow(Box& box, Vec3 p) {
    box.low = Vec3(std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z));
    box.high = Vec3(std::max(box.high.x, p.x), std::max(box.high.y, p.y), std::max(box.high.z, p.z));
}

} // namespace

bool CViewer::PutPart(const std::string& given, const char* tag) {
    std::string partPath, skin;
    korvel::tools::SplitPartSkin(given, partPath, skin);
    // A relative path names a file inside the model's archive when the model is in one and no such
    // file lies on disk.
    const auto resolve = [&](const std::string& path) {
        const std::string inside = CFileSystem::BesideModel(path, options.model);
        return path.empty() || inside != path ? inside : options.Absolute(path);
    };
    const std::string file = resolve(partPath);
    const std::string skinPath = resolve(skin);
    std::shared_ptr<const CMD2Mesh> mesh =
        CMD2Mesh::Load(file.c_str(), skinPath.empty() ? nullptr : skinPath.c_str());
    if (!mesh) {
        return false;
    }
    auto part = std::make_shared<CMD2Instance>(mesh);
    CAnimationTable::PutOn(*part, file, "", mesh->GetData().frameCount);
    part->SetBackFaceCulling(options.cull);
    CMD2Instance& body = model->GetInstance();
    if (!(tag ? body.Attach(tag, part) : body.Link(part))) {
        return false;
    }
    partFiles.emplace_back(part.get(), file);
    return true;
}

bool CViewer::LoadParts() {
    partFiles.clear();
    heads.clear();
    headIndex = 0;
    CMD2Instance& body = model->GetInstance();
    const std::string tagFile = CMD2Tags::FindBeside(options.model);
    auto tags = std::make_shared<CMD2Tags>();
    if (!tagFile.empty() && tags->Read(tagFile, model->GetData().frameCount) && body.SetTags(tags)) {
        for (const std::string& name : CFileSystem::FilesIn(CFileSystem::FolderOf(options.model))) {
            if (IsHead(name) && name != CFileSystem::FileNameOf(options.model)) {
                heads.push_back(CFileSystem::FolderOf(options.model) + name);
            }
        }
    }
    // The parts the command line names go on the model it names, not on the others browsed.
    if (options.model != animationsFor) {
        return true;
    }
    for (const std::string& given : options.attach) {
        const std::string tag = given.substr(0, given.find('='));
        if (!PutPart(given.substr(tag.size() + 1), tag.c_str())) {
            return false;
        }
    }
    for (const std::string& given : options.with) {
        if (!PutPart(given, nullptr)) {
            return false;
        }
    }
    return true;
}

void CViewer::NextHead() {
    CMD2Instance& body = model->GetInstance();
    if (heads.empty()) {
        return;
    }
    headIndex = (headIndex + 1) % (heads.size() + 1);
    body.Detach(kHeadTag);
    if (headIndex == 0) {
        std::cout << "Head: none" << std::endl;
        return;
    }
    if (PutPart(heads[headIndex - 1], kHeadTag)) {
        std::cout << "Head: " << CFileSystem::FileNameOf(partFiles.back().second) << std::endl;
    }
}

void CViewer::AddPartsToBox(Box& box) const {
    const CMD2Instance& body = model->GetInstance();
    const ModelData& data = model->GetData();
    if (body.GetParts().empty() || data.animationCount == 0) {
        return;
    }
    const int animation = data.currentAnimation;
    const int first = std::max(data.animations[static_cast<size_t>(animation)].firstFrame, 0);
    const int last = std::min(LastKeyFrame(data.animations, animation), data.frameCount - 1);
    for (const CMD2Instance::Part& part : body.GetParts()) {
        Box own;
        if (!part.instance || !part.instance->GetMesh() ||
            !CFraming::AnimationBox(part.instance->GetMesh()->GetData(), -1, own)) {
            continue;
        }
        for (int f = first; f <= last; ++f) {
            const MD2TagTransform placed =
                part.tag < 0 ? MD2TagTransform() : body.GetTags()->Get(part.tag, f);
            for (int c = 0; c < 8; ++c) {
                Grow(box, placed.Apply(Vec3(c & 1 ? own.high.x : own.low.x, c & 2 ? own.high.y : own.low.y,
                                            c & 4 ? own.high.z : own.low.z)));
            }
        }
    }
}

std::vector<std::string> CViewer::PartLines() const {
    const CMD2Instance& body = model->GetInstance();
    // Newest first: a head put on after another was taken off may live where that one did.
    const auto fileOf = [this](const std::shared_ptr<CMD2Instance>& part) {
        const auto known = std::find_if(partFiles.rbegin(), partFiles.rend(),
                                        [&](const auto& entry) { return part && entry.first == part.get(); });
        return known == partFiles.rend() ? std::string("-") : CFileSystem::FileNameOf(known->second);
    };
    std::vector<std::string> lines;
    if (body.GetTags()) {
        for (const std::string& name : body.GetTags()->GetNames()) {
            lines.push_back("Tag " + name + ": " + fileOf(body.GetPart(name)));
        }
    }
    for (const CMD2Instance::Part& part : body.GetParts()) {
        if (part.tag < 0) {
            lines.push_back("With: " + fileOf(part.instance));
        }
    }
    if (!heads.empty()) {
        lines.push_back("H: " + std::to_string(heads.size()) + " heads beside the model");
    }
    return lines;
}
