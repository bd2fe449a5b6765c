// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/WicPicture.h"

#include <wincodec.h>

#include <cstdio>

#include "content/ContentFile.h"
#include "content/FatalError.h"
#include "windows/platform/FileBytes.h"

namespace soruberia::windows {
namespace {

// Pictures of the game are a few kilobytes.
constexpr std::size_t kMaxPictureFileBytes = 16u * 1024u * 1024u;
constexpr UINT kMaxSide = 8192;

template <typename T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    ~ComPtr() {
        if (p != nullptr) p->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

std::string Hresult(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

[[noreturn]] void Fail(const std::string& fullPath, const std::string& reason) {
    throw FatalError("画像を読み込めません: " + DisplayPath(fullPath) + " (" + reason + ")");
}

}  // namespace

WinPicture::WinPicture(HBITMAP bitmap, int width, int height, const std::uint32_t* pixels)
    : bitmap_(bitmap), width_(width), height_(height), pixels_(pixels) {}

WinPicture::~WinPicture() { DeleteObject(bitmap_); }

std::uint32_t WinPicture::Pixel(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

WicPictureLoader::WicPictureLoader() {
    const HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&factory_));
    if (FAILED(result)) {
        factory_ = nullptr;
        throw FatalError("画像の読み込み部品 (WIC) を使えません (" + Hresult(result) + ")");
    }
}

WicPictureLoader::~WicPictureLoader() {
    if (factory_ != nullptr) factory_->Release();
}

engine::PicturePtr WicPictureLoader::Load(const std::string& fullPath) {
    // Read by this program, not by WIC, so the file is closed again before
    // decoding and a changed file is always read as it is now.
    FileBytes file = ReadFileBytes(fullPath, kMaxPictureFileBytes);
    if (!file.problem.empty()) Fail(fullPath, file.problem);
    if (file.bytes.empty()) Fail(fullPath, "ファイルが空です");

    ComPtr<IWICStream> stream;
    HRESULT result = factory_->CreateStream(&stream);
    if (SUCCEEDED(result)) {
        result = stream->InitializeFromMemory(reinterpret_cast<BYTE*>(file.bytes.data()),
                                              static_cast<DWORD>(file.bytes.size()));
    }
    ComPtr<IWICBitmapDecoder> decoder;
    if (SUCCEEDED(result)) {
        result = factory_->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnLoad,
                                                   &decoder);
    }
    if (FAILED(result)) Fail(fullPath, "画像ではないか、壊れています");
    ComPtr<IWICBitmapFrameDecode> frame;
    result = decoder->GetFrame(0, &frame);
    ComPtr<IWICFormatConverter> converter;
    if (SUCCEEDED(result)) result = factory_->CreateFormatConverter(&converter);
    if (SUCCEEDED(result)) {
        result = converter->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA,
                                       WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom);
    }
    UINT width = 0;
    UINT height = 0;
    if (SUCCEEDED(result)) result = converter->GetSize(&width, &height);
    if (FAILED(result)) Fail(fullPath, "画像を解読できません (" + Hresult(result) + ")");
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        Fail(fullPath, "画像の大きさが不正です");
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) Fail(fullPath, "画像の記憶域を確保できません");
    auto picture = std::make_shared<WinPicture>(bitmap, static_cast<int>(width),
                                                static_cast<int>(height),
                                                static_cast<const std::uint32_t*>(bits));
    const UINT stride = width * 4;
    result = converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits));
    if (FAILED(result)) Fail(fullPath, "画像を解読できません (" + Hresult(result) + ")");
    GdiFlush();
    return picture;
}

}  // namespace soruberia::windows
