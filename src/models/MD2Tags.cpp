// Reading a tag file: every count and offset is checked against the file's size before anything is
// read or allocated, in 64-bit arithmetic, so a damaged header can neither read past the bytes nor
// ask for a huge allocation.
#include "models/MD2Tags.h"

#include "files/FileSystem.h"
#include "models/LittleEndian.h"

#include <cmath>
#include <cstring>
#include <iostream>
#include <strings.h>

namespace {

const int kFloatsPerTransform = 12;
const int64_t kTransformSize = kFloatsPerTransform * 4;

// The file's (x, y, z), z up, as the loader turns vertices: (x, z, -y).
Vec3 Turned(const float* v) {
    return Vec3(v[0], v[2], -v[1]);
}

// Reads one transform. The part's own axes are turned as its vertices are, so its y axis is the file's
// z axis and its z axis the file's y axis negated.
MD2TagTransform ReadTransform(const uint8_t* p) {
    float f[kFloatsPerTransform];
    for (int i = 0; i < kFloatsPerTransform; ++i) {
        f[i] = ReadFloatLE(p + 4 * i);
    }
    MD2TagTransform t;
    t.axis[0] = Turned(f);
    t.axis[1] = Turned(f + 6);
    t.axis[2] = Turned(f + 3) * -1.0f;
    t.origin = Turned(f + 9);
    return t;
}

// Far beyond any model's size, and small enough that blending two poses and squaring the lengths of
// their axes stays finite.
const float kMaxNumber = 1e18f;

bool Usable(const MD2TagTransform& t) {
    for (const Vec3& v : {t.axis[0], t.axis[1], t.axis[2], t.origin}) {
        for (const float x : {v.x, v.y, v.z}) {
            if (!(std::fabs(x) <= kMaxNumber)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool CMD2Tags::Parse(const std::string& name, const std::vector<uint8_t>& bytes, int wantedFrames,
                     std::string& why) {
    names.clear();
    transforms.clear();
    frameCount = 0;
    const auto refuse = [&](const std::string& reason) {
        why = "Invalid tag file (" + reason + "): " + name + "!";
        return false;
    };
    const int64_t size = static_cast<int64_t>(bytes.size());
    if (size < kHeaderSize || std::memcmp(bytes.data(), "JDP2", 4) != 0) {
        return refuse("not a JDP2 tag file");
    }
    const uint8_t* p = bytes.data();
    if (ReadInt32LE(p + 4) != 1) {
        return refuse("version " + std::to_string(ReadInt32LE(p + 4)) + ", not 1");
    }
    const int64_t tags = ReadInt32LE(p + 8);
    const int64_t frames = ReadInt32LE(p + 12);
    const int64_t namesAt = ReadInt32LE(p + 16);
    const int64_t transformsAt = ReadInt32LE(p + 20);
    const int64_t endAt = ReadInt32LE(p + 24);
    if (tags < 0 || frames < 1) {
        return refuse(std::to_string(tags) + " tags in " + std::to_string(frames) + " frames");
    }
    if (wantedFrames >= 0 && frames != wantedFrames) {
        return refuse(std::to_string(frames) + " frames, but the model has " + std::to_string(wantedFrames));
    }
    // Each count is below 2^31, so their product fits; its bytes are reckoned only once they fit too.
    const bool fits = tags * frames <= size / kTransformSize;
    const int64_t transformBytes = fits ? tags * frames * kTransformSize : 0;
    if (!fits || namesAt < kHeaderSize || namesAt + tags * kNameSize > size || transformsAt < kHeaderSize ||
        transformsAt + transformBytes > size || endAt < transformsAt + transformBytes || endAt > size) {
        return refuse(std::to_string(tags) + " tags in " + std::to_string(frames) +
                      " frames do not fit its " + std::to_string(size) + " bytes");
    }
    std::vector<std::string> read;
    for (int64_t i = 0; i < tags; ++i) {
        const char* text = reinterpret_cast<const char*>(p + namesAt + i * kNameSize);
        const size_t length = strnlen(text, kNameSize);
        if (length == kNameSize) {
            return refuse("the name of tag " + std::to_string(i) + " has no end");
        }
        read.emplace_back(text, length);
    }
    std::vector<MD2TagTransform> all(static_cast<size_t>(tags * frames));
    for (size_t i = 0; i < all.size(); ++i) {
        all[i] = ReadTransform(p + transformsAt + static_cast<int64_t>(i) * kTransformSize);
        if (!Usable(all[i])) {
            return refuse("a transform of tag " + std::to_string(static_cast<int64_t>(i) / frames) +
                          " is not a number, or one beyond 1e18");
        }
    }
    names = std::move(read);
    transforms = std::move(all);
    frameCount = static_cast<int>(frames);
    return true;
}

bool CMD2Tags::Read(const std::string& path, int wantedFrames) {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!CFileSystem::Read(path, bytes, why)) {
        std::cerr << (why.empty() ? "Unable to find the tag file: " + path + "!" : why) << std::endl;
        return false;
    }
    if (!Parse(path, bytes, wantedFrames, why)) {
        std::cerr << why << std::endl;
        return false;
    }
    return true;
}

std::string CMD2Tags::FindBeside(const std::string& modelPath) {
    return CFileSystem::FindNoCase(CFileSystem::FolderOf(modelPath),
                                   {CFileSystem::StemOf(CFileSystem::FileNameOf(modelPath)) + ".tag"});
}

int CMD2Tags::Find(const std::string& name) const {
    for (size_t i = 0; i < names.size(); ++i) {
        if (strcasecmp(names[i].c_str(), name.c_str()) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
