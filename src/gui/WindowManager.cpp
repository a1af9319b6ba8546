#include "gui/WindowManager.h"

CWindowManager::CWindowManager() = default;

CWindowManager::~CWindowManager() = default;

void CWindowManager::Update() {}
