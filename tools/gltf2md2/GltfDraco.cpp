// KHR_draco_mesh_compression: a primitive whose indices and attributes are one Draco stream, decoded
// with libdraco and written back as plain accessors the primitive then names.
#include "GltfUnpack.h"

#include <draco/compression/decode.h>
#include <draco/mesh/mesh.h>

#include <cstring>
#include <memory>

using nlohmann::json;

namespace {

const int kFloat = 5126, kUnsignedInt = 5125;

int ComponentsOf(const json& accessor) {
    const json* type = Member(accessor, "type");
    const std::string name = type && type->is_string() ? type->get<std::string>() : "";
    return name == "SCALAR" ? 1 : name == "VEC2" ? 2 : name == "VEC3" ? 3 : name == "VEC4" ? 4 : 0;
}

// Every point's value of a Draco attribute as `components` values of type T.
template <typename T>
bool PointValues(const draco::PointAttribute& attribute, uint32_t points, int components,
                 std::vector<uint8_t>& bytes) {
    const size_t width = sizeof(T) * static_cast<size_t>(components);
    bytes.assign(points * width, 0);
    T value[4] = {};
    for (uint32_t p = 0; p < points; ++p) {
        const draco::AttributeValueIndex index = attribute.mapped_index(draco::PointIndex(p));
        if (index.value() >= attribute.size() ||
            !attribute.ConvertValue<T>(index, static_cast<int8_t>(components), value)) {
            return false;
        }
        std::memcpy(bytes.data() + p * width, value, width);
    }
    return true;
}

// Dequantized attributes come back as floats and are written as floats; integers (joints, or data
// stored without quantization) keep the component type the accessor declares.
bool AttributeBytes(const draco::PointAttribute& attribute, uint32_t points, int components,
                    int& componentType, std::vector<uint8_t>& bytes) {
    if (attribute.data_type() == draco::DT_FLOAT32 || attribute.data_type() == draco::DT_FLOAT64) {
        componentType = kFloat;
    }
    switch (componentType) {
    case 5120:
        return PointValues<int8_t>(attribute, points, components, bytes);
    case 5121:
        return PointValues<uint8_t>(attribute, points, components, bytes);
    case 5122:
        return PointValues<int16_t>(attribute, points, components, bytes);
    case 5123:
        return PointValues<uint16_t>(attribute, points, components, bytes);
    case kUnsignedInt:
        return PointValues<uint32_t>(attribute, points, components, bytes);
    case kFloat:
        return PointValues<float>(attribute, points, components, bytes);
    default:
        return false;
    }
}

uint64_t AddAccessor(GltfDocument& document, json accessor, std::vector<uint8_t> bytes) {
    accessor.erase("byteOffset");
    accessor.erase("sparse");
    accessor["bufferView"] = AddDecodedView(document, std::move(bytes));
    json& accessors = document.json["accessors"];
    accessors.push_back(std::move(accessor));
    return accessors.size() - 1;
}

std::unique_ptr<draco::Mesh> DecodeStream(const GltfDocument& document, uint64_t view, std::string& error) {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    if (!ViewBytes(document, view, bytes, size, error)) {
        return nullptr;
    }
    draco::DecoderBuffer buffer;
    buffer.Init(reinterpret_cast<const char*>(bytes), size);
    draco::Decoder decoder;
    auto decoded = decoder.DecodeMeshFromBuffer(&buffer);
    if (!decoded.ok() || !decoded.value()) {
        const std::string why = decoded.ok() ? "" : decoded.status().error_msg_string();
        error = "does not decode" + (why.empty() ? std::string() : " (" + why + ")");
        return nullptr;
    }
    std::unique_ptr<draco::Mesh> mesh = std::move(decoded).value();
    if (uint64_t(mesh->num_faces()) * 12 > kMaxDecodedBytes ||
        uint64_t(mesh->num_points()) * 16 > kMaxDecodedBytes) {
        error = "decodes to more than 256 MiB";
        return nullptr;
    }
    return mesh;
}

// The triangles of a decoded mesh as an index accessor.
bool WriteIndices(GltfDocument& document, const draco::Mesh& mesh, json& primitive, std::string& error) {
    std::vector<uint8_t> bytes(size_t(mesh.num_faces()) * 12);
    for (uint32_t f = 0; f < mesh.num_faces(); ++f) {
        const draco::Mesh::Face& face = mesh.face(draco::FaceIndex(f));
        for (int c = 0; c < 3; ++c) {
            const uint32_t point = face[c].value();
            if (point >= mesh.num_points()) {
                error = "has a corner outside its points";
                return false;
            }
            std::memcpy(bytes.data() + (size_t(f) * 3 + c) * 4, &point, 4);
        }
    }
    const json indices = {
        {"componentType", kUnsignedInt}, {"count", mesh.num_faces() * 3}, {"type", "SCALAR"}};
    primitive["indices"] = AddAccessor(document, indices, std::move(bytes));
    return true;
}

bool DecodePrimitive(GltfDocument& document, json& primitive, const json& extension, std::string& error) {
    uint64_t view = 0;
    const json* ids = Member(extension, "attributes");
    json* attributes = Member(primitive, "attributes");
    if (!WholeNumber(extension, "bufferView", UINT32_MAX, view) || !ids || !ids->is_object() || !attributes ||
        !attributes->is_object()) {
        error = "names no buffer view or attributes";
        return false;
    }
    uint64_t mode = 4;
    if (!WholeNumber(primitive, "mode", 6, mode, false) || mode != 4) {
        error = "is not a triangle list";
        return false;
    }
    const std::unique_ptr<draco::Mesh> mesh = DecodeStream(document, view, error);
    if (!mesh || !WriteIndices(document, *mesh, primitive, error)) {
        return false;
    }
    for (const auto& [name, id] : ids->items()) {
        json* accessorIndex = Member(*attributes, name.c_str());
        const json* accessors = Member(document.json, "accessors");
        uint64_t index = 0, unique = 0;
        if (!accessorIndex || !WholeNumber(*attributes, name.c_str(), UINT32_MAX, index)) {
            continue;
        }
        if (!accessors || !accessors->is_array() || index >= accessors->size() || !id.is_number_unsigned()) {
            error = "has no accessor or Draco attribute for " + name;
            return false;
        }
        json accessor = (*accessors)[index];
        unique = id.get<uint64_t>();
        const draco::PointAttribute* attribute =
            unique <= UINT32_MAX ? mesh->GetAttributeByUniqueId(static_cast<uint32_t>(unique)) : nullptr;
        const int components = ComponentsOf(accessor);
        uint64_t type = kFloat;
        if (!attribute || components == 0 || !WholeNumber(accessor, "componentType", kFloat, type)) {
            error = "has no usable Draco attribute or accessor for " + name;
            return false;
        }
        int componentType = static_cast<int>(type);
        std::vector<uint8_t> bytes;
        if (!AttributeBytes(*attribute, mesh->num_points(), components, componentType, bytes)) {
            error = "has " + name + " values that do not fit its accessor";
            return false;
        }
        accessor["componentType"] = componentType;
        accessor["count"] = mesh->num_points();
        if (componentType == kFloat) {
            accessor.erase("normalized");
        }
        *accessorIndex = AddAccessor(document, std::move(accessor), std::move(bytes));
    }
    DropExtension(primitive, "KHR_draco_mesh_compression");
    return true;
}

} // namespace

bool DecodeDraco(GltfDocument& document, std::string& error) {
    json* meshes = Member(document.json, "meshes");
    for (size_t m = 0; meshes && meshes->is_array() && m < meshes->size(); ++m) {
        json* primitives = Member((*meshes)[m], "primitives");
        for (size_t p = 0; primitives && primitives->is_array() && p < primitives->size(); ++p) {
            json& primitive = (*primitives)[p];
            const json* extensions = Member(primitive, "extensions");
            const json* extension = extensions ? Member(*extensions, "KHR_draco_mesh_compression") : nullptr;
            if (!extension) {
                continue;
            }
            // Copied: the primitive's extensions are edited while it is read.
            const json copy = *extension;
            if (!DecodePrimitive(document, primitive, copy, error)) {
                error = "mesh " + std::to_string(m) + " primitive " + std::to_string(p) + "'s Draco data " +
                        error;
                return false;
            }
        }
    }
    return true;
}
