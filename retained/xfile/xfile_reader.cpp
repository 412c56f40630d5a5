#include "retained/xfile/xfile_reader.h"

#include <vector>

#include "retained/io/file_bytes.h"
#include "retained/xfile/bad_file.h"
#include "retained/xfile/decompress.h"
#include "retained/xfile/document_reader.h"
#include "retained/xfile/file_header.h"
#include "retained/xfile/model_assembly.h"
#include "retained/xfile/token_stream.h"

namespace varnoka::xfile {

LoadStatus ReadXFile(const std::uint8_t* bytes, std::size_t size, LoadedModel& model) {
    model = LoadedModel{};
    const std::optional<FileHeader> header = ParseFileHeader(bytes, size);
    if (!header) return LoadStatus::BadFile;

    const std::uint8_t* body = bytes + FileHeaderSize;
    const std::uint8_t* bodyEnd = bytes + size;
    std::vector<std::uint8_t> unpacked;
    if (header->compressed) {
        if (!DecompressBody(body, size - FileHeaderSize, unpacked)) return LoadStatus::BadFile;
        body = unpacked.data();
        bodyEnd = unpacked.data() + unpacked.size();
    }

    try {
        TokenStream tokens(header->encoding, body, bodyEnd, header->floatBytes);
        model = AssembleModel(ReadDocument(tokens));
    } catch (const BadFile&) {
        model = LoadedModel{};
        return LoadStatus::BadFile;
    }
    return LoadStatus::Ok;
}

LoadStatus LoadXFile(const std::string& path, LoadedModel& model) {
    model = LoadedModel{};
    std::vector<std::uint8_t> bytes;
    const LoadStatus status = ReadFileBytes(path, bytes);
    if (status != LoadStatus::Ok) return status;
    return ReadXFile(bytes.data(), bytes.size(), model);
}

}  // namespace varnoka::xfile
