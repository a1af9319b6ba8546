#include "textures/TextureManager.h"

CTextureManager::CTextureManager() = default;

CTextureManager::~CTextureManager() = default;
