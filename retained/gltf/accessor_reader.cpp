#include "retained/gltf/accessor_reader.h"

#include <algorithm>
#include <cstring>

namespace varnoka::gltf {

namespace {

const std::string Damaged = "The car's geometry points outside its data.";

// A run of `count` elements of `elementSize` bytes, `stride` apart, inside one bufferView.
struct Span {
    const std::uint8_t* first = nullptr;
    std::uint64_t stride = 0;
};

bool ComponentSize(int componentType, std::uint64_t& size) {
    const int bytes = tinygltf::GetComponentSizeInBytes(static_cast<std::uint32_t>(componentType));
    if (bytes <= 0) return false;
    size = static_cast<std::uint64_t>(bytes);
    return true;
}

// Checks byteOffset + stride * (count - 1) + elementSize within the view and the view within its
// buffer; the counts are bounded by the view's length first so nothing overflows.
bool LocateSpan(const tinygltf::Model& document, int viewIndex, std::uint64_t byteOffset, std::uint64_t count,
                std::uint64_t elementSize, bool strideAllowed, Span& span) {
    if (viewIndex < 0 || static_cast<std::size_t>(viewIndex) >= document.bufferViews.size()) return false;
    const tinygltf::BufferView& view = document.bufferViews[static_cast<std::size_t>(viewIndex)];
    if (view.buffer < 0 || static_cast<std::size_t>(view.buffer) >= document.buffers.size()) return false;
    const std::vector<unsigned char>& buffer = document.buffers[static_cast<std::size_t>(view.buffer)].data;
    if (view.byteOffset > buffer.size() || view.byteLength > buffer.size() - view.byteOffset) return false;
    std::uint64_t stride = elementSize;
    if (strideAllowed && view.byteStride != 0) {
        if (view.byteStride < elementSize) return false;
        stride = view.byteStride;
    }
    if (count > view.byteLength || byteOffset > view.byteLength) return false;
    if (count > 0 && stride * (count - 1) + elementSize > view.byteLength - byteOffset) return false;
    span.first = buffer.data() + view.byteOffset + byteOffset;
    span.stride = stride;
    return true;
}

double Component(const std::uint8_t* at, int componentType, bool normalized) {
    switch (componentType) {
        case TINYGLTF_COMPONENT_TYPE_BYTE: {
            const auto v = static_cast<std::int8_t>(*at);
            return normalized ? std::max(v / 127.0, -1.0) : v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return normalized ? *at / 255.0 : *at;
        case TINYGLTF_COMPONENT_TYPE_SHORT: {
            std::int16_t v;
            std::memcpy(&v, at, sizeof v);
            return normalized ? std::max(v / 32767.0, -1.0) : v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
            std::uint16_t v;
            std::memcpy(&v, at, sizeof v);
            return normalized ? v / 65535.0 : v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: {
            std::uint32_t v;
            std::memcpy(&v, at, sizeof v);
            return normalized ? v / 4294967295.0 : v;
        }
        case TINYGLTF_COMPONENT_TYPE_FLOAT: {
            float v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        default:
            return 0;
    }
}

std::uint32_t Index(const std::uint8_t* at, int componentType) {
    switch (componentType) {
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return *at;
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
            std::uint16_t v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: {
            std::uint32_t v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        default:
            return 0;
    }
}

bool IsIndexType(int componentType) {
    return componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE ||
           componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT ||
           componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
}

const tinygltf::Accessor* Find(const tinygltf::Model& document, int accessor) {
    if (accessor < 0 || static_cast<std::size_t>(accessor) >= document.accessors.size()) return nullptr;
    return &document.accessors[static_cast<std::size_t>(accessor)];
}

// Reads elements of `components` values each, through `read(at, component)`, into `values`,
// then lays any sparse substitutes over them.
template <class T, class ReadComponent>
bool ReadElements(const tinygltf::Model& document, const tinygltf::Accessor& accessor, int components,
                  std::vector<T>& values, ReadComponent read) {
    std::uint64_t componentSize = 0;
    if (!ComponentSize(accessor.componentType, componentSize)) return false;
    const std::uint64_t elementSize = componentSize * static_cast<std::uint64_t>(components);
    const std::uint64_t count = accessor.count;
    if (accessor.bufferView < 0) {
        // All zeros until a sparse part says otherwise; the caller has bounded the count.
        values.assign(static_cast<std::size_t>(count * static_cast<std::uint64_t>(components)), T{});
    } else {
        Span span;
        if (!LocateSpan(document, accessor.bufferView, accessor.byteOffset, count, elementSize, true, span))
            return false;
        values.resize(static_cast<std::size_t>(count * static_cast<std::uint64_t>(components)));
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint8_t* element = span.first + i * span.stride;
            for (int c = 0; c < components; ++c)
                values[static_cast<std::size_t>(i) * static_cast<std::size_t>(components) +
                       static_cast<std::size_t>(c)] = read(element + static_cast<std::uint64_t>(c) * componentSize);
        }
    }
    if (!accessor.sparse.isSparse) return true;
    const auto& sparse = accessor.sparse;
    if (sparse.count <= 0 || static_cast<std::uint64_t>(sparse.count) > count || sparse.indices.byteOffset < 0 ||
        sparse.values.byteOffset < 0 || !IsIndexType(sparse.indices.componentType))
        return false;
    std::uint64_t indexSize = 0;
    ComponentSize(sparse.indices.componentType, indexSize);
    const auto sparseCount = static_cast<std::uint64_t>(sparse.count);
    Span indexSpan, valueSpan;
    if (!LocateSpan(document, sparse.indices.bufferView, static_cast<std::uint64_t>(sparse.indices.byteOffset),
                    sparseCount, indexSize, false, indexSpan) ||
        !LocateSpan(document, sparse.values.bufferView, static_cast<std::uint64_t>(sparse.values.byteOffset),
                    sparseCount, elementSize, false, valueSpan))
        return false;
    for (std::uint64_t i = 0; i < sparseCount; ++i) {
        const std::uint32_t target = Index(indexSpan.first + i * indexSpan.stride, sparse.indices.componentType);
        if (target >= count) return false;
        const std::uint8_t* element = valueSpan.first + i * valueSpan.stride;
        for (int c = 0; c < components; ++c)
            values[static_cast<std::size_t>(target) * static_cast<std::size_t>(components) +
                   static_cast<std::size_t>(c)] = read(element + static_cast<std::uint64_t>(c) * componentSize);
    }
    return true;
}

}  // namespace

bool AccessorCount(const tinygltf::Model& document, int accessor, std::uint64_t& count) {
    const tinygltf::Accessor* found = Find(document, accessor);
    if (found == nullptr) return false;
    count = found->count;
    return true;
}

bool ReadFloats(const tinygltf::Model& document, int accessor, int components, std::vector<float>& values,
                std::string& problem) {
    values.clear();
    const tinygltf::Accessor* found = Find(document, accessor);
    if (found == nullptr || tinygltf::GetNumComponentsInType(static_cast<std::uint32_t>(found->type)) != components ||
        !ReadElements(document, *found, components, values, [&](const std::uint8_t* at) {
            return static_cast<float>(Component(at, found->componentType, found->normalized));
        })) {
        values.clear();
        problem = Damaged;
        return false;
    }
    return true;
}

bool ReadIndices(const tinygltf::Model& document, int accessor, std::vector<std::uint32_t>& indices,
                 std::string& problem) {
    indices.clear();
    const tinygltf::Accessor* found = Find(document, accessor);
    if (found == nullptr || found->type != TINYGLTF_TYPE_SCALAR || !IsIndexType(found->componentType) ||
        !ReadElements(document, *found, 1, indices,
                      [&](const std::uint8_t* at) { return Index(at, found->componentType); })) {
        indices.clear();
        problem = Damaged;
        return false;
    }
    return true;
}

}  // namespace varnoka::gltf
