#include "base/Registry.h"

CGraphicsCore* gGraphicsCore = nullptr;
CTextureManager* gTextureManager = nullptr;
CWindowManager* gWindowManager = nullptr;
CEventManager* gEventManager = nullptr;
CUtils* gUtils = nullptr;
CSoundManager* gSoundManager = nullptr;
CShaderManager* gShaderManager = nullptr;
CCamera* gCamera = nullptr;
CCameraManager* gCameraManager = nullptr;
CFontManager* gFontManager = nullptr;
