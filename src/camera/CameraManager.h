/// \class CCameraManager
/// Keeps the 2D view offsets (it owns them) and applies the current one every frame, so applications
/// can scroll what they draw after the engine's update.
#pragma once

#include <cstdint>
#include <vector>

class CCamera2D;

class CCameraManager {
public:
    CCameraManager();
    /// Deletes every camera it was given.
    ~CCameraManager();

    /// Takes ownership of a camera created with new and makes it the current one; null is ignored,
    /// and a camera already held is only made current.
    void AddCamera(CCamera2D* camera);
    /// Makes camera `index` current; an index at or above the count changes nothing.
    void SelectCamera(uint32_t index);
    /// Shifts the following drawing by the current 2D offset, if any offset was added.
    void Apply();
    /// These move the current camera; with no camera they do nothing.
    void AddX(float value);
    void SubtractX(float value);     ///< Moves the current camera left.
    void AddY(float value);          ///< Moves the current camera down.
    void SubtractY(float value);     ///< Moves the current camera up.
    void Offset(float dx, float dy); ///< Moves the current camera by (dx, dy).
    /// The current camera; null while none was added.
    CCamera2D* GetCurrentCamera() const;
    /// Camera `index`; null at or above the count.
    CCamera2D* GetCamera(uint32_t index) const;

    CCameraManager(const CCameraManager&) = delete;
    CCameraManager& operator=(const CCameraManager&) = delete;

    std::vector<CCamera2D*> cameras; ///< The cameras, owned.
    uint32_t count;                  ///< How many cameras there are.
    uint32_t current;                ///< Index of the current camera.
};
