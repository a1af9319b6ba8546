/// \class CTextureManager
/// The registry of every image texture in the engine, in registration order, one entry per texture
/// name. It only lists: the images belong to whoever created them.
#pragma once

#include <vector>

class CImage;

class CTextureManager {
public:
    CTextureManager();
    /// Releases every listed image; deletes none of them.
    ~CTextureManager();

    /// Lists the image unless an image with the same texture name is listed already.
    void Add(CImage* image);
    /// Unlists the last entry with the image's texture name and deletes the image; an image that is
    /// not listed is left alone.
    void Remove(CImage* image);
    /// Calls Release on every listed image, first to last.
    void ReleaseAll();
    /// Drops an image that is being destroyed by its owner, without deleting it.
    void Forget(const CImage* image);
    /// The listed images, in order.
    const std::vector<CImage*>& GetImages() const { return images; }

    CTextureManager(const CTextureManager&) = delete;
    CTextureManager& operator=(const CTextureManager&) = delete;

private:
    std::vector<CImage*> images;
};
