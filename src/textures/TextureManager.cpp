#include "textures/TextureManager.h"

#include "textures/Image.h"

#include <algorithm>

CTextureManager::CTextureManager() = default;

CTextureManager::~CTextureManager() {
    ReleaseAll();
}

void CTextureManager::Add(CImage* image) {
    if (!image) {
        return;
    }
    for (const CImage* listed : images) {
        if (listed->texID == image->texID) {
            return;
        }
    }
    images.push_back(image);
}

void CTextureManager::Remove(CImage* image) {
    if (!image) {
        return;
    }
    auto last = std::find_if(images.rbegin(), images.rend(),
                             [image](const CImage* listed) { return listed->texID == image->texID; });
    if (last == images.rend()) {
        return;
    }
    images.erase(std::next(last).base());
    // The image's destructor calls Forget, which finds it already gone.
    delete image;
}

void CTextureManager::ReleaseAll() {
    for (CImage* image : images) {
        image->Release();
    }
}

void CTextureManager::Forget(const CImage* image) {
    images.erase(std::remove(images.begin(), images.end(), image), images.end());
}
