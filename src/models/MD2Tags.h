/// \class CMD2Tags
/// The tags of an MD2 model: named points (a head's neck, a hand's grip, a weapon's muzzle) that move
/// with the model's key frames, read from the tag file beside it ("body.tag" beside "body.md2").
/// The file is little-endian: a 32-byte header ("JDP2", version 1, the tag count, the frame count, the
/// offsets of the names, of the transforms and of their end, one more offset), 64-byte zero-padded
/// names, then for each tag and each frame twelve floats, three axes and the origin, in the model
/// file's coordinates. They are turned as the loader turns the vertices (the file's z up becomes y),
/// so a tag's transform places a part loaded by the same loader in the model's own space. A file whose
/// counts or offsets do not fit its size, whose frame count is not the model's, or whose names lack
/// their zero is refused with one line.
#pragma once

#include "models/Vec3.h"

#include <cstdint>
#include <string>
#include <vector>

/// Where a tag is in one pose: the directions of the placed part's own x, y and z axes and the point
/// its origin goes to, in the model's space (y up). A part's vertex v goes to
/// origin + v.x * axis[0] + v.y * axis[1] + v.z * axis[2].
struct MD2TagTransform {
    Vec3 axis[3] = {Vec3(1.0f, 0.0f, 0.0f), Vec3(0.0f, 1.0f, 0.0f), Vec3(0.0f, 0.0f, 1.0f)}; ///< x, y, z.
    Vec3 origin;                                                                             ///< The point.

    /// The same transform as a column-major 4x4 matrix, for glMultMatrixf.
    void ToMatrix(float matrix[16]) const;
    /// Where the point p of the placed part goes.
    Vec3 Apply(Vec3 p) const;
    /// Whether the axes are of unit length and square to each other (within a thousandth): a turn that
    /// places a part as it was made, neither stretched nor flattened.
    bool IsRotation() const;
};

class CMD2Tags {
public:
    static const int kHeaderSize = 32; ///< Bytes of the file header.
    static const int kNameSize = 64;   ///< Bytes of a tag name.

    /// The tags of a file's bytes for a model of frameCount frames (any count when negative); `name`
    /// stands for the file in messages. False, with one line in `why`, when the file is refused; the
    /// tags are then empty.
    bool Parse(const std::string& name, const std::vector<uint8_t>& bytes, int frameCount, std::string& why);
    /// Reads the tag file at path (on disk or "ARCHIVE:INNER") for a model of frameCount frames; false
    /// with one line on standard error when it cannot be read or is refused.
    bool Read(const std::string& path, int frameCount);
    /// The tag file beside a model: its name with ".tag" in place of its extension, in any case
    /// ("BODY.TAG" for "body.md2"), on disk or in the model's archive folder. Empty when there is none.
    static std::string FindBeside(const std::string& modelPath);

    /// How many tags.
    int GetCount() const { return static_cast<int>(names.size()); }
    /// The key frames each tag has.
    int GetFrameCount() const { return frameCount; }
    /// The tag names, in file order.
    const std::vector<std::string>& GetNames() const { return names; }
    /// The index of the tag of this name (compared in any case); -1 when there is none.
    int Find(const std::string& name) const;
    /// Tag `tag` in key frame `frame`; the identity when either is out of range.
    MD2TagTransform Get(int tag, int frame) const;
    /// Tag `tag` moved the fraction t from key frame cur toward key frame next, as the vertices are:
    /// the origin linearly, the axes blended and made unit and square to each other again.
    MD2TagTransform Interpolate(int tag, int cur, int next, float t) const;

private:
    std::vector<std::string> names;
    int frameCount = 0;
    /// frameCount transforms of the first tag, then of the second, and so on.
    std::vector<MD2TagTransform> transforms;
};
