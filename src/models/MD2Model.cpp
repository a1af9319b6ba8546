#include "models/MD2Model.h"

CMD2Model::CMD2Model() : mesh(std::make_shared<CMD2Mesh>()), instance(mesh) {}

void CMD2Model::SetTickSource(uint32_t (*source)()) {
    CMD2Instance::SetTickSource(source);
}

void CMD2Model::SetImmediateMode(bool on) {
    CMD2Mesh::SetImmediateMode(on);
}

bool CMD2Model::Load(const char* modelPath, const char* skinPath) {
    // The model's mesh is its own: read in place, it keeps a skin set before when the file names none.
    bool loaded = mesh->Read(modelPath, skinPath);
    instance.SetMesh(mesh);
    ShowPlayback();
    return loaded;
}

void CMD2Model::LoadSkin(const char* skinPath) {
    mesh->LoadSkin(skinPath);
}

void CMD2Model::Render() {
    instance.Render();
    ShowPlayback();
}

void CMD2Model::SetAnimation(int n) {
    instance.SetAnimation(n);
    ShowPlayback();
}

void CMD2Model::SetScale(float x, float y, float z) {
    instance.SetScale(x, y, z);
}

void CMD2Model::SetPosition(float x, float y, float z) {
    instance.SetPosition(x, y, z);
}

void CMD2Model::SetRotation(float angle) {
    instance.SetRotation(angle);
}

float CMD2Model::UpdateTime(int next) {
    float t = instance.UpdateTime(next);
    ShowPlayback();
    return t;
}

void CMD2Model::SetPaused(bool paused) {
    instance.SetPaused(paused);
}

void CMD2Model::StepKeyFrame(int steps) {
    instance.StepKeyFrame(steps);
    ShowPlayback();
}

void CMD2Model::ShowPlayback() {
    mesh->data.currentAnimation = instance.GetAnimation();
    mesh->data.currentFrame = instance.GetFrame();
}
