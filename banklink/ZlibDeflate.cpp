// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "banklink/ZlibDeflate.h"

#include <zlib.h>

#include <stdexcept>

namespace soruberia::banklink {

namespace {

constexpr int kRawDeflate = -15;  // no zlib header, the largest window

Bytef* In(std::string_view bytes) {
    // zlib takes a non-const pointer but never writes through next_in.
    return const_cast<Bytef*>(reinterpret_cast<const Bytef*>(bytes.data()));
}

}  // namespace

std::string ZlibDeflate(std::string_view raw) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, kRawDeflate, 9, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("zlib: deflateInit2");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(raw.size())), '\0');
    stream.next_in = In(raw);
    stream.avail_in = static_cast<uInt>(raw.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::runtime_error("zlib: deflate");
    return out;
}

std::optional<std::string> ZlibInflate(std::string_view compressed, std::size_t limit) {
    z_stream stream{};
    if (inflateInit2(&stream, kRawDeflate) != Z_OK) throw std::runtime_error("zlib: inflateInit2");
    std::string out;
    stream.next_in = In(compressed);
    stream.avail_in = static_cast<uInt>(compressed.size());
    char buffer[16384];
    int result = Z_OK;
    while (result == Z_OK && out.size() <= limit) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        result = inflate(&stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END) break;
        out.append(buffer, sizeof buffer - stream.avail_out);
        if (result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0) {
            result = Z_DATA_ERROR;  // the data ends before its last block
        }
    }
    const bool trailing = result == Z_STREAM_END && stream.avail_in != 0;
    inflateEnd(&stream);
    if ((result != Z_STREAM_END || trailing) && out.size() <= limit) return std::nullopt;
    if (out.size() > limit) out.resize(limit + 1);
    return out;
}

}  // namespace soruberia::banklink
