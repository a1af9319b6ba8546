// EXT_meshopt_compression: buffer views whose bytes were encoded by meshoptimizer (vertex streams,
// triangle lists and index sequences, some with a filter on top), decoded back into plain bytes.
#include "GltfUnpack.h"

#include <meshoptimizer.h>

using nlohmann::json;

namespace {

// How one compressed view was encoded, checked against what meshoptimizer's decoders accept.
struct Encoding {
    uint64_t buffer = 0, offset = 0, length = 0, stride = 0, count = 0;
    std::string mode, filter = "NONE";
};

std::string StringMember(const json& object, const char* key, const std::string& fallback) {
    const json* member = Member(object, key);
    return member && member->is_string() ? member->get<std::string>() : member ? "" : fallback;
}

bool ReadEncoding(const json& extension, const GltfDocument& document, Encoding& e, std::string& error) {
    if (document.buffers.empty() ||
        !WholeNumber(extension, "buffer", document.buffers.size() - 1, e.buffer) ||
        !WholeNumber(extension, "byteOffset", kMaxTotalBytes, e.offset, false) ||
        !WholeNumber(extension, "byteLength", kMaxTotalBytes, e.length) ||
        !WholeNumber(extension, "byteStride", 256, e.stride) ||
        !WholeNumber(extension, "count", kMaxDecodedBytes, e.count)) {
        error = "names no buffer, or no usable place, stride or count";
        return false;
    }
    e.mode = StringMember(extension, "mode", "");
    e.filter = StringMember(extension, "filter", "NONE");
    const bool attributes = e.mode == "ATTRIBUTES";
    const bool indices = e.mode == "TRIANGLES" || e.mode == "INDICES";
    const bool strideFits = attributes ? e.stride > 0 && e.stride % 4 == 0 : e.stride == 2 || e.stride == 4;
    const bool filterFits = e.filter == "NONE" || (attributes && e.filter == "EXPONENTIAL") ||
                            (attributes && e.filter == "OCTAHEDRAL" && (e.stride == 4 || e.stride == 8)) ||
                            (attributes && e.filter == "QUATERNION" && e.stride == 8);
    if (!attributes && !indices) {
        error = "has the unknown mode '" + e.mode + "'";
    } else if (!strideFits || (e.mode == "TRIANGLES" && e.count % 3 != 0)) {
        error = "has a stride of " + std::to_string(e.stride) + " and a count of " + std::to_string(e.count) +
                ", which " + e.mode + " cannot have";
    } else if (!filterFits) {
        error = "has the filter '" + e.filter + "', which a stride of " + std::to_string(e.stride) +
                " cannot have";
    } else if (e.offset > document.buffers[e.buffer].size() ||
               e.length > document.buffers[e.buffer].size() - e.offset) {
        error = "reaches past the end of its buffer";
    } else if (e.count > kMaxDecodedBytes / e.stride) {
        error = "decodes to more than 256 MiB";
    } else if (e.count * e.stride > 256 * e.length + 4096) {
        // The codecs spend at least two bits on every 16 bytes of vertex data and a byte on every
        // index or triangle: a claim far beyond that is a damaged count, refused before allocating.
        error = "claims " + std::to_string(e.count * e.stride) + " bytes from " + std::to_string(e.length);
    } else {
        return true;
    }
    return false;
}

bool Decode(const Encoding& e, const uint8_t* source, std::vector<uint8_t>& out) {
    out.assign(e.count * e.stride, 0);
    int status = 0;
    if (e.mode == "ATTRIBUTES") {
        status = meshopt_decodeVertexBuffer(out.data(), e.count, e.stride, source, e.length);
    } else if (e.mode == "TRIANGLES") {
        status = meshopt_decodeIndexBuffer(out.data(), e.count, e.stride, source, e.length);
    } else {
        status = meshopt_decodeIndexSequence(out.data(), e.count, e.stride, source, e.length);
    }
    if (status != 0) {
        return false;
    }
    if (e.filter == "OCTAHEDRAL") {
        meshopt_decodeFilterOct(out.data(), e.count, e.stride);
    } else if (e.filter == "QUATERNION") {
        meshopt_decodeFilterQuat(out.data(), e.count, e.stride);
    } else if (e.filter == "EXPONENTIAL") {
        meshopt_decodeFilterExp(out.data(), e.count, e.stride);
    }
    return true;
}

} // namespace

bool DecodeMeshopt(GltfDocument& document, std::string& error) {
    json* views = Member(document.json, "bufferViews");
    for (size_t i = 0; views && views->is_array() && i < views->size(); ++i) {
        json& view = (*views)[i];
        const json* extensions = Member(view, "extensions");
        const json* extension = extensions ? Member(*extensions, "EXT_meshopt_compression") : nullptr;
        if (!extension) {
            continue;
        }
        const std::string which = "buffer view " + std::to_string(i) + "'s meshopt data ";
        Encoding encoding;
        if (!ReadEncoding(*extension, document, encoding, error)) {
            error = which + error;
            return false;
        }
        uint64_t declared = 0;
        if (!WholeNumber(view, "byteLength", encoding.count * encoding.stride, declared)) {
            error = which + "is shorter than its buffer view";
            return false;
        }
        std::vector<uint8_t> decoded;
        if (!Decode(encoding, document.buffers[encoding.buffer].data() + encoding.offset, decoded)) {
            error = which + "does not decode";
            return false;
        }
        // The view now lies at the start of its decoded bytes, which a buffer of their own holds.
        view["buffer"] = AddBuffer(document, std::move(decoded));
        view["byteOffset"] = 0;
        DropExtension(view, "EXT_meshopt_compression");
    }
    return true;
}
