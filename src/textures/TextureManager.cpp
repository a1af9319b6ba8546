#include "textures/TextureManager.h"

#include "textures/Image.h"

#include <algorithm>

namespace {

// Whether a listed image holds the texture `image` holds.
auto SameTextureAs(const CImage* image) {
    return [image](const CImage* listed) { return listed->texID == image->texID; };
}

} // namespace

CTextureManager::CTextureManager() = default;

CTextureManager::~CTextureManager() {
    ReleaseAll();
}

void CTextureManager::Add(CImage* image) {
    if (image && std::none_of(images.begin(), images.end(), SameTextureAs(image))) {
        images.push_back(image);
    }
}

void CTextureManager::Remove(CImage* image) {
    if (!image) {
        return;
    }
    auto last = std::find_if(images.rbegin(), images.rend(), SameTextureAs(image));
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
