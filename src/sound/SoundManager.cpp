#include "sound/SoundManager.h"

CSoundManager::CSoundManager() = default;

CSoundManager::~CSoundManager() = default;
