// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace soruberia::windows {

// Where decoding a picture stopped.
enum class WicFault {
    kNone,
    kNotAPicture,  // no decoder of WIC takes the bytes
    kUndecodable,  // a decoder took them, but not its first frame
    kBadSize,      // no pixels, or a side above kMaxPictureSide
    kCannotScale,
    kNoMemory,  // no bitmap of that size
};

// Content pictures come within media::kMaxPictureSide already
// (content/PictureJudgement.h); this bounds the built-in pictures and the
// size a picture is drawn at, scaled for the screen's DPI.
inline constexpr UINT kMaxPictureSide = 8192;

// A decoded picture: a new top-down 32-bit DIB section of premultiplied BGRA,
// ready for AlphaBlend (a GIF's transparent colour stays transparent). The
// bitmap is the caller's to delete; on a fault there is none.
struct WicBitmap {
    HBITMAP bitmap = nullptr;
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    WicFault fault = WicFault::kNone;
    HRESULT code = S_OK;  // of the step that failed
};

// The program's one way to decode a picture with Windows' imaging component
// (WIC), for the content pictures and the built-in ones alike. Made on a
// thread once COM runs there; throws FatalError when WIC cannot be had.
class WicDecoder {
public:
    WicDecoder();

    // Given its own size, the size in pixels to draw a picture at.
    using DrawSize = std::function<SIZE(SIZE own)>;

    // The first frame of a picture file's bytes (only read), at its own size
    // or at the size `drawSize` gives, scaled to it with the Fant filter;
    // premultiplied pixels scale without dark fringes at the edges.
    WicBitmap Decode(const void* bytes, std::size_t size, const DrawSize& drawSize = {}) const;

private:
    Microsoft::WRL::ComPtr<IWICImagingFactory> factory_;
};

// "0x88982F50", for messages.
std::string HresultText(HRESULT result);

}  // namespace soruberia::windows
