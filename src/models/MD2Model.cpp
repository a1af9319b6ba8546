#include "models/MD2Model.h"

#include <utility>

CMD2Model::CMD2Model() : mesh(std::make_shared<CMD2Mesh>()), instance(mesh) {}

CMD2Model::~CMD2Model() = default;

bool CMD2Model::Load(const char* modelPath, const char* skinPath) {
    return Load(modelPath, skinPath, true);
}

bool CMD2Model::Load(const char* modelPath, const char* skinPath, bool findSkin) {
    std::shared_ptr<CMD2Mesh> read = CMD2Mesh::LoadWithoutSkin(modelPath, skinPath);
    const bool loaded = read != nullptr;
    mesh = loaded ? std::move(read) : std::make_shared<CMD2Mesh>();
    instance.SetMesh(mesh);
    shown = mesh->GetData();
    ShowPlayback();
    // The skin is the model's, not the mesh's: a skin set before stays when the file brings none.
    if (loaded && skinPath) {
        LoadSkin(skinPath);
    } else if (loaded && findSkin) {
        LoadSkin(mesh->FindSkin(modelPath).c_str());
    }
    return loaded;
}

void CMD2Model::LoadSkin(const char* skinPath) {
    CTexture loaded = CMD2Mesh::LoadSkinImage(skinPath);
    if (loaded.Name() == 0) {
        return;
    }
    ownSkin = std::make_shared<const CTexture>(std::move(loaded));
    instance.SetSkin(ownSkin);
}

void CMD2Model::Render() {
    instance.Render();
    ShowPlayback();
}

void CMD2Model::SetAnimation(int n) {
    instance.SetAnimation(n);
    ShowPlayback();
}

float CMD2Model::UpdateTime(int next) {
    float t = instance.UpdateTime(next);
    ShowPlayback();
    return t;
}

void CMD2Model::StepKeyFrame(int steps) {
    instance.StepKeyFrame(steps);
    ShowPlayback();
}

void CMD2Model::ShowKeyFrame(int frame) {
    instance.ShowKeyFrame(frame);
    ShowPlayback();
}

bool CMD2Model::SetAnimations(std::shared_ptr<const std::vector<Animation>> animations) {
    if (!instance.SetAnimations(std::move(animations))) {
        return false;
    }
    shown.animations = instance.GetAnimations();
    shown.animationCount = static_cast<int>(shown.animations.size());
    ShowPlayback();
    return true;
}

void CMD2Model::ShowPlayback() {
    shown.currentAnimation = instance.GetAnimation();
    shown.currentFrame = instance.GetFrame();
}
