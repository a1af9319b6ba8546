#include "support/ArchiveWriter.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace korvel::test {

namespace {

void PutUint32LE(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

} // namespace

size_t PakWriter::DirectoryOffset() const {
    size_t offset = 12;
    for (const auto& entry : entries) {
        offset += entry.second.size();
    }
    return offset;
}

std::vector<uint8_t> PakWriter::Bytes() const {
    const size_t directory = DirectoryOffset();
    std::vector<uint8_t> out(directory + 64 * entries.size(), 0);
    std::memcpy(out.data(), "PACK", 4);
    PutUint32LE(out, 4, static_cast<uint32_t>(directory));
    PutUint32LE(out, 8, static_cast<uint32_t>(64 * entries.size()));
    size_t at = 12;
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto& entry = entries[i];
        std::copy(entry.second.begin(), entry.second.end(), out.begin() + at);
        const size_t record = directory + 64 * i;
        std::memcpy(&out[record], entry.first.data(), std::min<size_t>(entry.first.size(), 55));
        PutUint32LE(out, record + 56, static_cast<uint32_t>(at));
        PutUint32LE(out, record + 60, static_cast<uint32_t>(entry.second.size()));
        at += entry.second.size();
    }
    return out;
}

bool PakWriter::Write(const std::string& path) const {
    WriteFile(path, Bytes());
    return std::filesystem::file_size(path) == Bytes().size();
}

std::vector<std::pair<std::string, std::vector<uint8_t>>> FilesBelow(const std::string& folder) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.emplace_back(std::filesystem::relative(entry.path(), folder).generic_string(),
                               ReadFile(entry.path().string()));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool PakFolder(const std::string& folder, const std::string& pak) {
    PakWriter writer;
    writer.entries = FilesBelow(folder);
    return writer.Write(pak);
}

bool ZipFolder(const std::string& folder, const std::string& archive) {
    const std::string absolute = std::filesystem::absolute(archive).string();
    return RunCommand("cd " + ShellQuote(folder) + " && zip -q -r " + ShellQuote(absolute) + " .") == 0;
}

} // namespace korvel::test
