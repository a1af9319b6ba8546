#include "camera/CameraManager.h"

#include "base/GL.h"
#include "camera/Camera2D.h"

#include <algorithm>

CCameraManager::CCameraManager() : count(0), current(0) {}

CCameraManager::~CCameraManager() {
    for (CCamera2D* camera : cameras) {
        delete camera;
    }
    cameras.clear();
}

void CCameraManager::AddCamera(CCamera2D* camera) {
    // A null entry would be dereferenced by every later frame's Apply.
    if (!camera) {
        return;
    }
    // Listed twice, a camera would be deleted twice; adding it again only makes it current.
    auto listed = std::find(cameras.begin(), cameras.end(), camera);
    if (listed != cameras.end()) {
        current = static_cast<uint32_t>(listed - cameras.begin());
        return;
    }
    cameras.push_back(camera);
    current = count;
    ++count;
}

void CCameraManager::SelectCamera(uint32_t index) {
    if (index < count) {
        current = index;
    }
}

void CCameraManager::Apply() {
    if (CCamera2D* camera = GetCurrentCamera()) {
        glTranslatef(camera->x, camera->y, 0.0f);
    }
}

void CCameraManager::AddX(float value) {
    Offset(value, 0.0f);
}

void CCameraManager::SubtractX(float value) {
    Offset(-value, 0.0f);
}

void CCameraManager::AddY(float value) {
    Offset(0.0f, value);
}

void CCameraManager::SubtractY(float value) {
    Offset(0.0f, -value);
}

void CCameraManager::Offset(float dx, float dy) {
    if (CCamera2D* camera = GetCurrentCamera()) {
        camera->Offset(dx, dy);
    }
}

CCamera2D* CCameraManager::GetCurrentCamera() const {
    return count != 0 ? cameras[current] : nullptr;
}

CCamera2D* CCameraManager::GetCamera(uint32_t index) const {
    return index < count ? cameras[index] : nullptr;
}
