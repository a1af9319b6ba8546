#include "GltfAccessor.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// glTF's element types by their component counts, with their names (the last, MAT4, for any count
// not listed before it).
struct ElementType {
    int components;
    int type;
    const char* name;
};
const ElementType kElementTypes[] = {{1, TINYGLTF_TYPE_SCALAR, "SCALAR"},
                                     {2, TINYGLTF_TYPE_VEC2, "VEC2"},
                                     {3, TINYGLTF_TYPE_VEC3, "VEC3"},
                                     {4, TINYGLTF_TYPE_VEC4, "VEC4"},
                                     {16, TINYGLTF_TYPE_MAT4, "MAT4"}};

// Bytes per component, 0 for a component type glTF does not have.
size_t ComponentSize(int componentType) {
    switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_BYTE:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
        return 1;
    case TINYGLTF_COMPONENT_TYPE_SHORT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
        return 2;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
    case TINYGLTF_COMPONENT_TYPE_FLOAT:
        return 4;
    default:
        return 0;
    }
}

// One component, normalized integers mapped as glTF maps them (signed ones clamped at -1).
double Component(const unsigned char* at, int componentType, bool normalized) {
    switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_BYTE: {
        const auto v = static_cast<int8_t>(*at);
        return normalized ? std::fmax(v / 127.0, -1.0) : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
        return normalized ? *at / 255.0 : *at;
    case TINYGLTF_COMPONENT_TYPE_SHORT: {
        int16_t v;
        std::memcpy(&v, at, 2);
        return normalized ? std::fmax(v / 32767.0, -1.0) : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
        uint16_t v;
        std::memcpy(&v, at, 2);
        return normalized ? v / 65535.0 : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: {
        uint32_t v;
        std::memcpy(&v, at, 4);
        return v;
    }
    default: {
        float v;
        std::memcpy(&v, at, 4);
        return v;
    }
    }
}

// `count` elements of `components` components each from buffer view `viewIndex`, from `offset` on,
// appended to `values`; false, with the reason in `error` (naming `which`), when the view is missing,
// does not hold them or holds a value that is not finite.
bool ReadView(const tinygltf::Model& model, int viewIndex, size_t offset, size_t count, int componentType,
              size_t components, bool normalized, const std::string& which, std::vector<double>& values,
              std::string& error) {
    if (viewIndex < 0 || static_cast<size_t>(viewIndex) >= model.bufferViews.size()) {
        error = which + " has no buffer view";
        return false;
    }
    const tinygltf::BufferView& view = model.bufferViews[static_cast<size_t>(viewIndex)];
    if (view.buffer < 0 || static_cast<size_t>(view.buffer) >= model.buffers.size()) {
        error = which + "'s buffer view names no buffer";
        return false;
    }
    const std::vector<unsigned char>& buffer = model.buffers[static_cast<size_t>(view.buffer)].data;
    const size_t componentSize = ComponentSize(componentType);
    const size_t elementSize = componentSize * components;
    const size_t stride = view.byteStride ? view.byteStride : elementSize;
    // glTF strides are at most 252 bytes; a count above the view's bytes cannot fit in it.
    const bool fits =
        view.byteOffset <= buffer.size() && view.byteLength <= buffer.size() - view.byteOffset &&
        stride >= elementSize && stride <= 256 && count <= view.byteLength &&
        (count == 0 ||
         (offset <= view.byteLength && stride * (count - 1) + elementSize <= view.byteLength - offset));
    if (!fits) {
        error = which + " reaches past the end of its buffer";
        return false;
    }
    const unsigned char* start = buffer.data() + view.byteOffset + offset;
    for (size_t i = 0; i < count; ++i) {
        for (size_t c = 0; c < components; ++c) {
            const double value = Component(start + i * stride + c * componentSize, componentType, normalized);
            if (!std::isfinite(value)) {
                error = which + " holds a value that is not a finite number";
                return false;
            }
            values.push_back(value);
        }
    }
    return true;
}

} // namespace

bool ReadAccessor(const tinygltf::Model& model, int index, int components, std::vector<double>& values,
                  std::string& error) {
    values.clear();
    const std::string which = "accessor " + std::to_string(index);
    if (index < 0 || static_cast<size_t>(index) >= model.accessors.size()) {
        error = which + " does not exist";
        return false;
    }
    const tinygltf::Accessor& accessor = model.accessors[static_cast<size_t>(index)];
    const ElementType& element =
        *std::find_if(std::begin(kElementTypes), std::end(kElementTypes) - 1,
                      [components](const ElementType& e) { return e.components == components; });
    if (accessor.type != element.type) {
        error = which + " is not of type " + element.name;
        return false;
    }
    if (ComponentSize(accessor.componentType) == 0) {
        error = which + " has an unknown component type";
        return false;
    }
    const auto width = static_cast<size_t>(components);
    const auto& sparse = accessor.sparse;
    // A sparse accessor without a buffer view starts from zeros, as Blender writes morph targets.
    if (sparse.isSparse && accessor.bufferView < 0) {
        // The zeros stand for a view's bytes: no more elements than the file's buffers could hold.
        size_t bytes = 0;
        for (const tinygltf::Buffer& buffer : model.buffers) {
            bytes += buffer.data.size();
        }
        if (accessor.count > bytes / (ComponentSize(accessor.componentType) * width)) {
            error = which + " is sparse over more elements than the file holds";
            return false;
        }
        values.assign(accessor.count * width, 0.0);
    } else if (!ReadView(model, accessor.bufferView, accessor.byteOffset, accessor.count,
                         accessor.componentType, width, accessor.normalized, which, values, error)) {
        return false;
    }
    if (!sparse.isSparse) {
        return true;
    }
    // The elements a sparse accessor replaces: their numbers, then their values, packed.
    const auto count = static_cast<size_t>(std::max(sparse.count, 0));
    const int indexType = sparse.indices.componentType;
    if (count == 0 || count > accessor.count ||
        (indexType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE &&
         indexType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT &&
         indexType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT)) {
        error = which + " is sparse with a count or index type glTF does not allow";
        return false;
    }
    std::vector<double> replaced, replacements;
    if (!ReadView(model, sparse.indices.bufferView,
                  static_cast<size_t>(std::max(sparse.indices.byteOffset, 0)), count, indexType, 1, false,
                  which + "'s sparse indices", replaced, error) ||
        !ReadView(model, sparse.values.bufferView, static_cast<size_t>(std::max(sparse.values.byteOffset, 0)),
                  count, accessor.componentType, width, accessor.normalized, which + "'s sparse values",
                  replacements, error)) {
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        if (replaced[i] >= static_cast<double>(accessor.count)) {
            error = which + " is sparse with an index outside its " + std::to_string(accessor.count) +
                    " elements";
            return false;
        }
        std::copy_n(replacements.begin() + static_cast<long>(i * width), width,
                    values.begin() + static_cast<long>(static_cast<size_t>(replaced[i]) * width));
    }
    return true;
}

bool ReadAccessor(const tinygltf::Model& model, int index, int components, std::vector<float>& values,
                  std::string& error) {
    std::vector<double> exact;
    const bool ok = ReadAccessor(model, index, components, exact, error);
    values.assign(exact.begin(), exact.end());
    return ok;
}
