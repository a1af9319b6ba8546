/// \class CFontManager
/// Loads fonts and hands them out by 1-based number; font 1 is the engine font loaded at video start-up.
#pragma once

#include <memory>
#include <vector>

class CFont;

class CFontManager {
public:
    /// No fonts yet.
    CFontManager();
    /// Destroys the fonts LoadFont created (without GL calls once the context is gone); fonts handed
    /// in through AddFont stay with their owner.
    ~CFontManager();

    /// Creates, loads and appends a font; a font image that cannot be loaded ends the process.
    void LoadFont(const char* file);
    /// Appends a font someone else owns.
    void AddFont(CFont* font);
    /// Font n (1-based); any other number yields the last font; null while no font is loaded.
    CFont* GetFont(unsigned int n);

    CFontManager(const CFontManager&) = delete;
    CFontManager& operator=(const CFontManager&) = delete;

private:
    std::vector<CFont*> fonts;
    /// The fonts this manager created and must destroy.
    std::vector<std::unique_ptr<CFont>> created;
};
