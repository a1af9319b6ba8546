#include "GltfUnpack.h"

#include "files/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <cstring>

using nlohmann::json;

namespace {

const char* const kDecodedExtensions[] = {"EXT_meshopt_compression", "KHR_draco_mesh_compression"};

uint32_t Word(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// The value of one base64 digit, -1 for anything else.
int Base64Digit(char c) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const char* at = c == '\0' ? nullptr : std::strchr(kDigits, c);
    return at ? static_cast<int>(at - kDigits) : -1;
}

bool DecodeBase64(const std::string& text, size_t from, std::vector<uint8_t>& bytes) {
    uint32_t bits = 0;
    int held = 0;
    for (size_t i = from; i < text.size() && text[i] != '='; ++i) {
        const int digit = Base64Digit(text[i]);
        if (digit < 0) {
            return false;
        }
        bits = (bits << 6) | static_cast<uint32_t>(digit);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(static_cast<uint8_t>(bits >> held));
        }
    }
    return true;
}

// A URI's %XX escapes replaced by their bytes.
std::string Unescaped(const std::string& uri) {
    std::string path;
    for (size_t i = 0; i < uri.size(); ++i) {
        const auto hex = [&](size_t at) { return at < uri.size() && std::isxdigit(uri[at]); };
        if (uri[i] == '%' && hex(i + 1) && hex(i + 2)) {
            path += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            path += uri[i];
        }
    }
    return path;
}

bool ReadUri(const std::string& uri, const std::string& baseDir, std::vector<uint8_t>& bytes,
             std::string& error) {
    if (uri.compare(0, 5, "data:") == 0) {
        const size_t comma = uri.find(";base64,");
        if (comma == std::string::npos || !DecodeBase64(uri, comma + 8, bytes)) {
            error = "its data: URI is not base64";
            return false;
        }
        return true;
    }
    // The base is a folder ("models", "models/") or a folder inside an archive ("pak0.pk3:models/").
    const bool joined = baseDir.empty() || baseDir.back() == '/' || baseDir.back() == ':';
    const std::string path = (joined ? baseDir : baseDir + "/") + Unescaped(uri);
    std::string why;
    if (!CFileSystem::Read(path, bytes, why)) {
        error = why.empty() ? "cannot read " + path : why;
        return false;
    }
    return true;
}

// meshoptimizer's fallback buffer: a placeholder (often without data) standing in for decoded views.
bool IsFallback(const json& buffer) {
    const json* extensions = Member(buffer, "extensions");
    const json* extension = extensions ? Member(*extensions, "EXT_meshopt_compression") : nullptr;
    const json* fallback = extension ? Member(*extension, "fallback") : nullptr;
    return fallback && fallback->is_boolean() && fallback->get<bool>();
}

void DropName(json& root, const char* list, const char* name) {
    json* names = Member(root, list);
    if (!names || !names->is_array()) {
        return;
    }
    names->erase(std::remove(names->begin(), names->end(), json(name)), names->end());
    if (names->empty()) {
        root.erase(list);
    }
}

// Where buffer view `index` lies: its buffer and the place in it, checked.
bool ViewPlace(const GltfDocument& document, uint64_t index, uint64_t& buffer, uint64_t& offset, size_t& size,
               std::string& error) {
    const json* views = Member(document.json, "bufferViews");
    const std::string which = "buffer view " + std::to_string(index);
    if (!views || !views->is_array() || index >= views->size()) {
        error = which + " does not exist";
        return false;
    }
    const json& view = (*views)[index];
    uint64_t length = 0;
    if (document.buffers.empty() || !WholeNumber(view, "buffer", document.buffers.size() - 1, buffer) ||
        !WholeNumber(view, "byteOffset", kMaxTotalBytes, offset, false) ||
        !WholeNumber(view, "byteLength", kMaxTotalBytes, length)) {
        error = which + " names no buffer, or no usable place in it";
        return false;
    }
    const size_t available = document.buffers[buffer].size();
    if (offset > available || length > available - offset) {
        error = which + " reaches past the end of its buffer";
        return false;
    }
    size = length;
    return true;
}

// Images in files of their own are read here, where a file inside an archive is found as well as
// one on disk, and carried in the document as buffer views; one that cannot be read is left to
// tinygltf, which says so.
void EmbedImages(GltfDocument& document, const std::string& baseDir) {
    json* images = Member(document.json, "images");
    for (size_t i = 0; images && images->is_array() && i < images->size(); ++i) {
        json& image = (*images)[i];
        const json* uri = Member(image, "uri");
        std::vector<uint8_t> bytes;
        std::string error;
        if (!uri || !uri->is_string() || uri->get<std::string>().compare(0, 5, "data:") == 0 ||
            !ReadUri(uri->get<std::string>(), baseDir, bytes, error) || bytes.size() > kMaxDecodedBytes) {
            continue;
        }
        const bool jpeg = bytes.size() > 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
        image.erase("uri");
        image["mimeType"] = jpeg ? "image/jpeg" : "image/png";
        image["bufferView"] = AddDecodedView(document, std::move(bytes));
    }
}

} // namespace

const json* Member(const json& object, const char* key) {
    if (!object.is_object()) {
        return nullptr;
    }
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

json* Member(json& object, const char* key) {
    return const_cast<json*>(Member(static_cast<const json&>(object), key));
}

bool WholeNumber(const json& object, const char* key, uint64_t limit, uint64_t& value, bool required) {
    const json* member = Member(object, key);
    if (!member) {
        return !required;
    }
    // Numbers this program wrote itself may be stored as signed.
    if (!member->is_number_integer() || (!member->is_number_unsigned() && member->get<int64_t>() < 0) ||
        member->get<uint64_t>() > limit) {
        return false;
    }
    value = member->get<uint64_t>();
    return true;
}

void DropExtension(json& object, const char* name) {
    json* extensions = Member(object, "extensions");
    if (extensions && extensions->is_object()) {
        extensions->erase(name);
        if (extensions->empty()) {
            object.erase("extensions");
        }
    }
}

bool LoadBuffers(GltfDocument& document, const std::vector<uint8_t>* glbBinary, const std::string& baseDir,
                 std::string& error) {
    document.buffers.clear();
    const json* buffers = Member(document.json, "buffers");
    if (buffers && !buffers->is_array()) {
        error = "its buffers are not a list";
        return false;
    }
    uint64_t total = 0;
    for (size_t i = 0; buffers && i < buffers->size(); ++i) {
        const json& buffer = (*buffers)[i];
        const std::string which = "buffer " + std::to_string(i);
        uint64_t length = 0;
        if (!WholeNumber(buffer, "byteLength", kMaxTotalBytes, length)) {
            error = which + " has no usable byteLength";
            return false;
        }
        document.buffers.emplace_back();
        std::vector<uint8_t>& bytes = document.buffers.back();
        const json* uri = Member(buffer, "uri");
        if (IsFallback(buffer)) {
            continue;
        }
        if (!uri && i == 0 && glbBinary) {
            bytes = *glbBinary;
        } else if (!uri || !uri->is_string()) {
            error = which + " has no data";
            return false;
        } else if (!ReadUri(uri->get<std::string>(), baseDir, bytes, error)) {
            error = which + ": " + error;
            return false;
        }
        if (bytes.size() < length) {
            error = which + " is cut short: " + std::to_string(bytes.size()) + " of its " +
                    std::to_string(length) + " bytes";
            return false;
        }
        bytes.resize(length);
        total += length;
        if (total > kMaxTotalBytes) {
            error = "its buffers hold more than 1 GiB";
            return false;
        }
    }
    EmbedImages(document, baseDir);
    return true;
}

bool ViewBytes(const GltfDocument& document, uint64_t index, const uint8_t*& bytes, size_t& size,
               std::string& error) {
    uint64_t buffer = 0, offset = 0;
    if (!ViewPlace(document, index, buffer, offset, size, error)) {
        return false;
    }
    bytes = document.buffers[buffer].data() + offset;
    return true;
}

uint64_t AddBuffer(GltfDocument& document, std::vector<uint8_t> bytes) {
    document.buffers.push_back(std::move(bytes));
    return document.buffers.size() - 1;
}

uint64_t AddDecodedView(GltfDocument& document, std::vector<uint8_t> bytes) {
    const uint64_t length = bytes.size();
    json view = {
        {"buffer", AddBuffer(document, std::move(bytes))}, {"byteOffset", 0}, {"byteLength", length}};
    json* views = Member(document.json, "bufferViews");
    if (!views) {
        document.json["bufferViews"] = json::array();
        views = Member(document.json, "bufferViews");
    }
    views->push_back(std::move(view));
    return views->size() - 1;
}

bool WriteGlb(GltfDocument& document, std::vector<uint8_t>& glb, std::string& error) {
    // Each buffer starts on a 4-byte boundary, so that its views keep their alignment.
    std::vector<uint8_t> merged;
    std::vector<uint64_t> starts;
    for (const std::vector<uint8_t>& bytes : document.buffers) {
        merged.resize((merged.size() + 3) & ~size_t(3), 0);
        if (merged.size() + bytes.size() > kMaxTotalBytes) {
            error = "its buffers hold more than 1 GiB once decoded";
            return false;
        }
        starts.push_back(merged.size());
        merged.insert(merged.end(), bytes.begin(), bytes.end());
    }
    json* views = Member(document.json, "bufferViews");
    for (size_t i = 0; views && views->is_array() && i < views->size(); ++i) {
        uint64_t buffer = 0, offset = 0;
        size_t size = 0;
        if (!ViewPlace(document, i, buffer, offset, size, error)) {
            return false;
        }
        (*views)[i]["buffer"] = 0;
        (*views)[i]["byteOffset"] = starts[buffer] + offset;
    }
    json& root = document.json;
    if (!document.buffers.empty()) {
        root["buffers"] = json::array({{{"byteLength", merged.size()}}});
    }
    for (const char* name : kDecodedExtensions) {
        DropName(root, "extensionsUsed", name);
        DropName(root, "extensionsRequired", name);
    }
    glb = JoinGlb(root.dump(-1, ' ', false, json::error_handler_t::replace), std::move(merged));
    return true;
}

bool SplitGlb(const std::vector<uint8_t>& bytes, std::string& text, std::vector<uint8_t>& binary,
              bool& hasBinary) {
    if (bytes.size() < 20 || Word(bytes, 12) > bytes.size() - 20 || Word(bytes, 16) != 0x4E4F534A) {
        return false;
    }
    const size_t jsonEnd = 20 + size_t(Word(bytes, 12));
    text.assign(bytes.begin() + 20, bytes.begin() + static_cast<long>(jsonEnd));
    hasBinary = bytes.size() >= jsonEnd + 8 && Word(bytes, jsonEnd + 4) == 0x004E4942;
    if (hasBinary) {
        const size_t length = Word(bytes, jsonEnd);
        if (length > bytes.size() - jsonEnd - 8) {
            return false;
        }
        binary.assign(bytes.begin() + static_cast<long>(jsonEnd + 8),
                      bytes.begin() + static_cast<long>(jsonEnd + 8 + length));
    }
    return true;
}

std::vector<uint8_t> JoinGlb(std::string text, std::vector<uint8_t> binary) {
    text.resize((text.size() + 3) & ~size_t(3), ' ');
    binary.resize((binary.size() + 3) & ~size_t(3), 0);
    std::vector<uint8_t> glb;
    const auto word = [&glb](uint64_t value) {
        for (int i = 0; i < 4; ++i) {
            glb.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    };
    glb.insert(glb.end(), {'g', 'l', 'T', 'F'});
    word(2);
    word(12 + 8 + text.size() + (binary.empty() ? 0 : 8 + binary.size()));
    word(text.size());
    glb.insert(glb.end(), {'J', 'S', 'O', 'N'});
    glb.insert(glb.end(), text.begin(), text.end());
    if (!binary.empty()) {
        word(binary.size());
        glb.insert(glb.end(), {'B', 'I', 'N', 0});
        glb.insert(glb.end(), binary.begin(), binary.end());
    }
    return glb;
}
