// The archive side of the file system, on PhysicsFS. Every archive or folder is mounted once, at a
// mount point of its own ("k1", "k2", ...), so no two of them ever see each other's files. No write
// folder is ever set: PhysicsFS cannot write anything anywhere.
#include "files/FileSystem.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>
#include <physfs.h>

namespace {

const size_t kPakHeaderSize = 12;
const size_t kPakEntrySize = 64;
const size_t kPakNameSize = 56;
// Folders nest no deeper than this inside an archive; a deeper tree is cut there.
const int kMaxDepth = 64;

// A zip's entries by name with the CRC-32 of their bytes, as its central directory lists them.
using Checksums = std::map<std::string, uint32_t>;

struct Mounts {
    std::map<std::string, std::string> points;  // archive (as the system resolves it) -> mount point
    std::map<std::string, std::string> refused; // archive -> the line it was refused with
    std::map<std::string, Checksums> checksums; // mount point of a zip -> its entries' CRC-32s
    unsigned made = 0;                          // mount points given out, never reused
};

Mounts& TheMounts() {
    static Mounts mounts;
    return mounts;
}

// PhysicsFS's reason for the last failure; asking clears it, so each failure is asked once.
std::string ErrorText(PHYSFS_ErrorCode code) {
    const char* text = PHYSFS_getErrorByCode(code);
    return text ? text : "unknown error";
}

std::string LastError() {
    return ErrorText(PHYSFS_getLastErrorCode());
}

uint32_t ReadUint32LE(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// A Quake-style .pak is a "PACK" header with the directory's offset and length, then a directory of
// 64-byte entries (a 56-byte name, an offset and a length). PhysicsFS takes the directory's word for
// where the entries lie, so the directory is checked against the file first. Empty when it holds.
std::string PakFault(FILE* file) {
    uint8_t header[kPakHeaderSize];
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return "cannot be read";
    }
    const long size = std::ftell(file);
    std::rewind(file);
    if (size < static_cast<long>(kPakHeaderSize) ||
        std::fread(header, 1, sizeof header, file) != sizeof header) {
        return "header cut short";
    }
    const uint64_t offset = ReadUint32LE(header + 4);
    const uint64_t length = ReadUint32LE(header + 8);
    if (offset > INT32_MAX || length > INT32_MAX) {
        return "directory offset or length negative";
    }
    if (length % kPakEntrySize != 0) {
        return "directory length not a multiple of 64";
    }
    if (offset + length > static_cast<uint64_t>(size)) {
        return "directory runs past the end of the file";
    }
    std::unique_ptr<uint8_t[]> directory(new uint8_t[length ? length : 1]);
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fread(directory.get(), 1, length, file) != length) {
        return "directory cannot be read";
    }
    for (uint64_t at = 0; at < length; at += kPakEntrySize) {
        const char* name = reinterpret_cast<const char*>(directory.get() + at);
        if (std::memchr(name, '\0', kPakNameSize) == nullptr) {
            return "entry name not terminated";
        }
        const uint64_t start = ReadUint32LE(directory.get() + at + kPakNameSize);
        const uint64_t bytes = ReadUint32LE(directory.get() + at + kPakNameSize + 4);
        if (start + bytes > static_cast<uint64_t>(size)) {
            return std::string("entry ") + name + " runs past the end of the file";
        }
    }
    return "";
}

// What is wrong with a file that claims to be a .pak; empty for any other file, which PhysicsFS judges.
std::string PakCheck(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    char magic[4] = {};
    if (!file || std::fread(magic, 1, 4, file.get()) != 4 || std::memcmp(magic, "PACK", 4) != 0) {
        return "";
    }
    return PakFault(file.get());
}

uint16_t ReadUint16LE(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// The CRC-32 zip files keep of each entry's bytes (the reflected polynomial 0xEDB88320).
uint32_t Crc32(const std::vector<uint8_t>& bytes) {
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> t(256);
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t byte : bytes) {
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

// How a file starts: as a zip does (a local entry header, or an end record when the directory comes
// first), as an empty zip (an end record that lists nothing), or as no zip.
enum class ZipStart { None, Zip, Empty };

ZipStart ZipStartOf(FILE* file) {
    uint8_t start[22] = {};
    std::rewind(file);
    const size_t got = std::fread(start, 1, sizeof start, file);
    if (got < 4 || start[0] != 'P' || start[1] != 'K' ||
        !((start[2] == 3 && start[3] == 4) || (start[2] == 5 && start[3] == 6))) {
        return ZipStart::None;
    }
    const bool empty = start[2] == 5 && got == sizeof start && ReadUint16LE(start + 10) == 0 &&
                       ReadUint32LE(start + 12) == 0;
    return empty ? ZipStart::Empty : ZipStart::Zip;
}

// The CRC-32s a zip's central directory gives its entries; empty when the directory cannot be found
// or read (PhysicsFS then judges the file), or for a zip64 archive, whose sizes lie elsewhere.
Checksums ZipChecksums(FILE* file) {
    Checksums sums;
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return sums;
    }
    const long size = std::ftell(file);
    // The end record (22 bytes and a comment of up to 65,535) closes the file.
    const long tail = std::min<long>(size, 22 + 65535);
    std::vector<uint8_t> end(static_cast<size_t>(tail));
    if (tail < 22 || std::fseek(file, size - tail, SEEK_SET) != 0 ||
        std::fread(end.data(), 1, end.size(), file) != end.size()) {
        return sums;
    }
    long at = tail - 22;
    while (at >= 0 && ReadUint32LE(&end[static_cast<size_t>(at)]) != 0x06054b50u) {
        --at;
    }
    if (at < 0) {
        return sums;
    }
    const uint64_t length = ReadUint32LE(&end[static_cast<size_t>(at) + 12]);
    const uint64_t offset = ReadUint32LE(&end[static_cast<size_t>(at) + 16]);
    if (offset == 0xFFFFFFFFu || offset + length > static_cast<uint64_t>(size)) {
        return sums;
    }
    std::vector<uint8_t> directory(static_cast<size_t>(length));
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fread(directory.data(), 1, directory.size(), file) != directory.size()) {
        return sums;
    }
    for (size_t entry = 0;
         entry + 46 <= directory.size() && ReadUint32LE(&directory[entry]) == 0x02014b50u;) {
        const uint8_t* e = &directory[entry];
        const size_t name = ReadUint16LE(e + 28), extra = ReadUint16LE(e + 30),
                     comment = ReadUint16LE(e + 32);
        if (entry + 46 + name > directory.size()) {
            break;
        }
        const std::string inner(reinterpret_cast<const char*>(e + 46), name);
        if (!inner.empty() && inner.back() != '/') {
            sums[inner] = ReadUint32LE(e + 16);
        }
        entry += 46 + name + extra + comment;
    }
    return sums;
}

std::string Resolved(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    std::string resolved = real ? real : path;
    std::free(real);
    return resolved;
}

// A name as an archive lists it that could be taken for something else: ".", "..", or one holding
// a separator or drive colon. Such entries are never listed, so never opened.
bool UnsafeName(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 ||
           std::strpbrk(name, "/\\:") != nullptr;
}

std::string InMount(const std::string& mountPoint, const std::string& inner) {
    return inner.empty() ? mountPoint : mountPoint + "/" + inner;
}

PHYSFS_FileType TypeOf(const std::string& physfsPath) {
    PHYSFS_Stat info;
    return PHYSFS_stat(physfsPath.c_str(), &info) ? info.filetype : PHYSFS_FILETYPE_OTHER;
}

// The safe names directly in a folder of the mounted tree.
std::vector<std::string> NamesIn(const std::string& physfsFolder) {
    std::vector<std::string> names;
    PHYSFS_enumerate(
        physfsFolder.c_str(),
        [](void* data, const char*, const char* name) {
            if (!UnsafeName(name)) {
                static_cast<std::vector<std::string>*>(data)->push_back(name);
            }
            return PHYSFS_ENUM_OK;
        },
        &names);
    return names;
}

void Walk(const std::string& mountPoint, const std::string& folder, int depth,
          std::vector<std::string>& files) {
    for (const std::string& name : NamesIn(InMount(mountPoint, folder))) {
        const std::string inner = folder.empty() ? name : folder + "/" + name;
        const PHYSFS_FileType type = TypeOf(InMount(mountPoint, inner));
        if (type == PHYSFS_FILETYPE_REGULAR) {
            files.push_back(inner);
        } else if (type == PHYSFS_FILETYPE_DIRECTORY && depth < kMaxDepth) {
            Walk(mountPoint, inner, depth + 1, files);
        }
    }
}

} // namespace

bool CFileSystem::Mount(const std::string& root, std::string& mountPoint, std::string& why) {
    Mounts& mounts = TheMounts();
    const std::string key = Resolved(root);
    auto point = mounts.points.find(key);
    if (point != mounts.points.end()) {
        mountPoint = point->second;
        return true;
    }
    auto refused = mounts.refused.find(key);
    if (refused != mounts.refused.end()) {
        why = refused->second;
        return false;
    }
    if (!PHYSFS_isInit() && !PHYSFS_init(nullptr)) {
        why = Refusal(root, "PhysicsFS cannot start: " + LastError());
        return false;
    }
    std::string fault = PakCheck(key);
    const std::string candidate = "k" + std::to_string(++mounts.made);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(key.c_str(), "rb"), std::fclose);
    const ZipStart start = file ? ZipStartOf(file.get()) : ZipStart::None;
    const bool zip = start != ZipStart::None;
    if (fault.empty() && !PHYSFS_mount(key.c_str(), candidate.c_str(), 1)) {
        const PHYSFS_ErrorCode code = PHYSFS_getLastErrorCode();
        // PhysicsFS mounts no empty zip: nothing is found at its mount point, as in an empty folder.
        const bool empty = start == ZipStart::Empty && code == PHYSFS_ERR_UNSUPPORTED;
        // A zip that starts as one but has no directory at its end is a download broken off.
        fault = empty                            ? ""
                : code != PHYSFS_ERR_UNSUPPORTED ? ErrorText(code)
                : zip                            ? "the archive ends before its directory: cut short?"
                                                 : "not an archive of a known kind (.pak, .pk3, .zip)";
    }
    if (!fault.empty()) {
        why = Refusal(root, fault);
        mounts.refused[key] = why;
        return false;
    }
    mounts.points[key] = candidate;
    if (zip) {
        mounts.checksums[candidate] = ZipChecksums(file.get());
    }
    mountPoint = candidate;
    return true;
}

void CFileSystem::Unmount(const std::string& root) {
    Mounts& mounts = TheMounts();
    const std::string key = Resolved(root);
    mounts.refused.erase(key);
    auto point = mounts.points.find(key);
    if (point != mounts.points.end()) {
        PHYSFS_unmount(key.c_str());
        mounts.checksums.erase(point->second);
        mounts.points.erase(point);
    }
}

bool CFileSystem::MountedIsFile(const std::string& mountPoint, const std::string& inner) {
    return !inner.empty() && TypeOf(InMount(mountPoint, inner)) == PHYSFS_FILETYPE_REGULAR;
}

std::vector<std::string> CFileSystem::MountedFilesIn(const std::string& mountPoint,
                                                     const std::string& folder) {
    std::vector<std::string> files;
    for (const std::string& name : NamesIn(InMount(mountPoint, folder))) {
        if (MountedIsFile(mountPoint, folder.empty() ? name : folder + "/" + name)) {
            files.push_back(name);
        }
    }
    return files;
}

bool CFileSystem::MountedRead(const std::string& mountPoint, const std::string& archive,
                              const std::string& inner, std::vector<uint8_t>& bytes, std::string& why) {
    PHYSFS_Stat info;
    if (!PHYSFS_stat(InMount(mountPoint, inner).c_str(), &info)) {
        // PhysicsFS checks a zip entry's local header against the directory when it first looks at it.
        const PHYSFS_ErrorCode code = PHYSFS_getLastErrorCode();
        if (code != PHYSFS_ERR_NOT_FOUND) {
            why = Refusal(archive, "entry " + inner + " damaged" +
                                       (code == PHYSFS_ERR_OK ? "" : ": " + ErrorText(code)));
        }
        return false;
    }
    if (info.filetype != PHYSFS_FILETYPE_REGULAR) {
        return false;
    }
    std::unique_ptr<PHYSFS_File, int (*)(PHYSFS_File*)> file(
        PHYSFS_openRead(InMount(mountPoint, inner).c_str()), PHYSFS_close);
    if (!file) {
        why = Refusal(archive, "entry " + inner + ": " + LastError());
        return false;
    }
    const PHYSFS_sint64 length = PHYSFS_fileLength(file.get());
    if (length < 0) {
        why = Refusal(archive, "entry " + inner + " of unknown size");
        return false;
    }
    if (static_cast<uint64_t>(length) > kMaxEntrySize) {
        why = Refusal(archive, "entry " + inner + " larger than 256 MiB");
        return false;
    }
    bytes.resize(static_cast<size_t>(length));
    const PHYSFS_sint64 got = length ? PHYSFS_readBytes(file.get(), bytes.data(), bytes.size()) : 0;
    if (got != length) {
        bytes.clear();
        why = Refusal(archive, "entry " + inner + " cut short" + (got < 0 ? ": " + LastError() : ""));
        return false;
    }
    // A zip keeps a checksum of every entry: bytes damaged on the way are refused, not used.
    const auto sums = TheMounts().checksums.find(mountPoint);
    if (sums != TheMounts().checksums.end()) {
        const auto sum = sums->second.find(inner);
        if (sum != sums->second.end() && sum->second != Crc32(bytes)) {
            bytes.clear();
            why = Refusal(archive,
                          "entry " + inner + " damaged: its bytes do not match the archive's checksum");
            return false;
        }
    }
    return true;
}

void CFileSystem::MountedTree(const std::string& mountPoint, const std::string& folder,
                              std::vector<std::string>& files) {
    Walk(mountPoint, folder, 0, files);
}
