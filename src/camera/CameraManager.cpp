#include "camera/CameraManager.h"

CCameraManager::CCameraManager() = default;

CCameraManager::~CCameraManager() = default;

void CCameraManager::Apply() {}
