// The manager registry: ten process-wide slots, written only by the engine kernel and read by every
// subsystem that needs a manager. Null before the kernel is constructed and after it is destroyed.
#pragma once

class CGraphicsCore;
class CTextureManager;
class CWindowManager;
class CEventManager;
class CUtils;
class CSoundManager;
class CShaderManager;
class CCamera;
class CCameraManager;
class CFontManager;

extern CGraphicsCore* gGraphicsCore;
extern CTextureManager* gTextureManager;
extern CWindowManager* gWindowManager;
extern CEventManager* gEventManager;
extern CUtils* gUtils;
extern CSoundManager* gSoundManager;
extern CShaderManager* gShaderManager;
extern CCamera* gCamera;
extern CCameraManager* gCameraManager;
extern CFontManager* gFontManager;
