// Lists every image texture the engine has created.
#pragma once

class CTextureManager {
public:
    CTextureManager();
    ~CTextureManager();
};
