// Game archives for tests: a Quake-style .pak written byte by byte, and a zip (.pk3) made with the
// system's zip program from a folder.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace korvel::test {

struct PakWriter {
    // Entries in directory order: the name as stored (at most 55 characters) and the bytes.
    std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;

    // "PACK", the directory's offset and length, the entries' bytes, then the directory of 64-byte
    // records (56-byte name, offset, length).
    std::vector<uint8_t> Bytes() const;
    bool Write(const std::string& path) const;
    // Where the directory starts in Bytes(), for tests that damage it.
    size_t DirectoryOffset() const;
};

// Every file below `folder`, by its path inside with '/' between folders, with its bytes, sorted.
std::vector<std::pair<std::string, std::vector<uint8_t>>> FilesBelow(const std::string& folder);
// Packs every file below `folder` into a .pak at `pak`.
bool PakFolder(const std::string& folder, const std::string& pak);
// Zips every file below `folder` into `archive` with the zip program (deflated, paths inside relative
// to the folder); false when zip fails.
bool ZipFolder(const std::string& folder, const std::string& archive);

} // namespace korvel::test
