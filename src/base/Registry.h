/// \file
/// The manager registry: ten process-wide slots, written only by the engine kernel and read by every
/// subsystem that needs a manager. Null before the kernel is constructed and after it is destroyed.
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

extern CGraphicsCore* gGraphicsCore;     ///< The display: video mode, 2D overlay, caption, mouse pointer.
extern CTextureManager* gTextureManager; ///< The list of every image texture.
extern CWindowManager* gWindowManager;   ///< The GUI windows.
extern CEventManager* gEventManager;     ///< Keyboard and mouse input.
extern CUtils* gUtils;                   ///< Frame time, BMP textures, debug drawings.
extern CSoundManager* gSoundManager;     ///< Audio device, sound effects and music.
extern CShaderManager* gShaderManager;   ///< The ten built-in GLSL programs.
extern CCamera* gCamera;                 ///< The 3D camera.
extern CCameraManager* gCameraManager;   ///< The 2D view offsets.
extern CFontManager* gFontManager;       ///< The fonts; font 1 is the engine font.
