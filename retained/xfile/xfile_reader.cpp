#include "retained/xfile/xfile_reader.h"

#include <vector>

#include "retained/xfile/bad_file.h"
#include "retained/xfile/decompress.h"
#include "retained/xfile/document_reader.h"
#include "retained/xfile/file_bytes.h"
#include "retained/xfile/file_header.h"
#include "retained/xfile/model_assembly.h"
#include "retained/xfile/token_stream.h"

namespace varnoka::xfile {

LoadStatus readXFile(const std::uint8_t* bytes, std::size_t size, LoadedModel& model) {
    model = LoadedModel{};
    const std::optional<FileHeader> header = parseFileHeader(bytes, size);
    if (!header) return LoadStatus::BadFile;

    const std::uint8_t* body = bytes + kFileHeaderSize;
    const std::uint8_t* bodyEnd = bytes + size;
    std::vector<std::uint8_t> unpacked;
    if (header->compressed) {
        if (!decompressBody(body, size - kFileHeaderSize, unpacked)) return LoadStatus::BadFile;
        body = unpacked.data();
        bodyEnd = unpacked.data() + unpacked.size();
    }

    try {
        TokenStream tokens(header->encoding, body, bodyEnd, header->floatBytes);
        model = assembleModel(readDocument(tokens));
    } catch (const BadFile&) {
        model = LoadedModel{};
        return LoadStatus::BadFile;
    }
    return LoadStatus::Ok;
}

LoadStatus loadXFile(const std::string& path, LoadedModel& model) {
    model = LoadedModel{};
    std::vector<std::uint8_t> bytes;
    const LoadStatus status = readFileBytes(path, bytes);
    if (status != LoadStatus::Ok) return status;
    return readXFile(bytes.data(), bytes.size(), model);
}

}  // namespace varnoka::xfile
