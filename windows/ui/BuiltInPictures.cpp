// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/BuiltInPictures.h"

#include <wincodec.h>

#include <cstdio>

#include "content/FatalError.h"

namespace soruberia::windows {

namespace {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_ != nullptr) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** operator&() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

[[noreturn]] void Fail(std::string_view name, const char* reason, HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    throw FatalError("組み込みの画像 " + std::string(name) + " を読み込めません (" + reason + ", " +
                     code + ")");
}

struct Resource {
    const BYTE* bytes = nullptr;
    DWORD size = 0;
};

Resource FindPicture(const std::wstring& resourceName) {
    const HRSRC found = FindResourceW(nullptr, resourceName.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (found == nullptr) return {};
    const HGLOBAL loaded = LoadResource(nullptr, found);
    if (loaded == nullptr) return {};
    return Resource{static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

}  // namespace

BuiltInPictures::BuiltInPictures() {
    const HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&factory_));
    if (FAILED(result)) {
        factory_ = nullptr;
        Fail("(WIC)", "画像の読み込み部品を使えません", result);
    }
}

BuiltInPictures::~BuiltInPictures() {
    if (factory_ != nullptr) factory_->Release();
}

std::wstring BuiltInPictures::ResourceName(std::string_view name, bool doubleSize) {
    // The file's format is no part of the name.
    const std::size_t slash = name.rfind('/');
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash))
        name = name.substr(0, dot);
    std::wstring resource;
    for (const char c : name) {
        if (c >= 'a' && c <= 'z') {
            resource += static_cast<wchar_t>(c - 'a' + 'A');
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            resource += static_cast<wchar_t>(c);
        } else {
            resource += L'_';
        }
    }
    if (doubleSize) resource += L"_2X";
    return resource;
}

OwnedFace BuiltInPictures::Load(std::string_view name, Dpi dpi) {
    bool doubleSize = dpi.dotsPerInch > 96;
    Resource resource = doubleSize ? FindPicture(ResourceName(name, true)) : Resource{};
    if (resource.bytes == nullptr) {
        doubleSize = false;
        resource = FindPicture(ResourceName(name, false));
    }
    if (resource.bytes == nullptr || resource.size == 0) Fail(name, "プログラムにありません", E_FAIL);

    ComPtr<IWICStream> stream;
    HRESULT result = factory_->CreateStream(&stream);
    if (SUCCEEDED(result)) {
        // WIC only reads from it; the resource itself is read-only memory.
        result = stream->InitializeFromMemory(const_cast<BYTE*>(resource.bytes), resource.size);
    }
    ComPtr<IWICBitmapDecoder> decoder;
    if (SUCCEEDED(result)) {
        result = factory_->CreateDecoderFromStream(stream.get(), nullptr,
                                                   WICDecodeMetadataCacheOnLoad, &decoder);
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    if (SUCCEEDED(result)) result = decoder->GetFrame(0, &frame);
    ComPtr<IWICFormatConverter> converter;
    if (SUCCEEDED(result)) result = factory_->CreateFormatConverter(&converter);
    if (SUCCEEDED(result)) {
        result = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                       WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom);
    }
    UINT width = 0;
    UINT height = 0;
    if (SUCCEEDED(result)) result = converter->GetSize(&width, &height);
    if (FAILED(result) || width == 0 || height == 0) Fail(name, "解読できません", result);

    Face face;
    face.logicalWidth = static_cast<int>(doubleSize ? width / 2 : width);
    face.logicalHeight = static_cast<int>(doubleSize ? height / 2 : height);
    face.width = dpi.FromPixels(face.logicalWidth);
    face.height = dpi.FromPixels(face.logicalHeight);

    // Premultiplied pixels scale without dark fringes at the edges.
    IWICBitmapSource* source = converter.get();
    ComPtr<IWICBitmapScaler> scaler;
    if (static_cast<UINT>(face.width) != width || static_cast<UINT>(face.height) != height) {
        result = factory_->CreateBitmapScaler(&scaler);
        if (SUCCEEDED(result)) {
            result = scaler->Initialize(converter.get(), static_cast<UINT>(face.width),
                                        static_cast<UINT>(face.height),
                                        WICBitmapInterpolationModeFant);
        }
        if (FAILED(result)) Fail(name, "拡大縮小できません", result);
        source = scaler.get();
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = face.width;
    info.bmiHeader.biHeight = -face.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    face.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (face.bitmap == nullptr) Fail(name, "記憶域を確保できません", E_OUTOFMEMORY);
    OwnedFace owned(face);
    const UINT stride = static_cast<UINT>(face.width) * 4;
    result = source->CopyPixels(nullptr, stride, stride * static_cast<UINT>(face.height),
                                static_cast<BYTE*>(bits));
    if (FAILED(result)) Fail(name, "解読できません", result);
    GdiFlush();
    return owned;
}

}  // namespace soruberia::windows
