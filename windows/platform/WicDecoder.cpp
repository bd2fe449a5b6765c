// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/WicDecoder.h"

#include <cstdio>

#include "content/FatalError.h"

namespace soruberia::windows {

using Microsoft::WRL::ComPtr;

namespace {

WicBitmap Failed(WicFault fault, HRESULT code) {
    WicBitmap failed;
    failed.fault = fault;
    failed.code = code;
    return failed;
}

}  // namespace

std::string HresultText(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

WicDecoder::WicDecoder() {
    const HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(factory_.ReleaseAndGetAddressOf()));
    if (FAILED(result)) throw FatalError("画像の読み込み部品 (WIC) を使えません (" + HresultText(result) + ")");
}

WicBitmap WicDecoder::Decode(const void* bytes, std::size_t size, const DrawSize& drawSize) const {
    if (size > MAXDWORD) return Failed(WicFault::kNotAPicture, E_INVALIDARG);
    ComPtr<IWICStream> stream;
    HRESULT result = factory_->CreateStream(stream.GetAddressOf());
    if (SUCCEEDED(result)) {
        // WIC only reads from it; a resource is read-only memory.
        result = stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)),
                                              static_cast<DWORD>(size));
    }
    ComPtr<IWICBitmapDecoder> decoder;
    if (SUCCEEDED(result)) {
        result = factory_->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                                   decoder.GetAddressOf());
    }
    if (FAILED(result)) return Failed(WicFault::kNotAPicture, result);

    ComPtr<IWICBitmapFrameDecode> frame;
    result = decoder->GetFrame(0, frame.GetAddressOf());
    ComPtr<IWICFormatConverter> converter;
    if (SUCCEEDED(result)) result = factory_->CreateFormatConverter(converter.GetAddressOf());
    if (SUCCEEDED(result)) {
        result = converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                       nullptr, 0.0, WICBitmapPaletteTypeCustom);
    }
    UINT ownWidth = 0;
    UINT ownHeight = 0;
    if (SUCCEEDED(result)) result = converter->GetSize(&ownWidth, &ownHeight);
    if (FAILED(result)) return Failed(WicFault::kUndecodable, result);
    if (ownWidth < 1 || ownHeight < 1 || ownWidth > kMaxPictureSide || ownHeight > kMaxPictureSide) {
        return Failed(WicFault::kBadSize, E_FAIL);
    }

    const SIZE own{static_cast<LONG>(ownWidth), static_cast<LONG>(ownHeight)};
    const SIZE drawn = drawSize ? drawSize(own) : own;
    if (drawn.cx < 1 || drawn.cy < 1 || drawn.cx > static_cast<LONG>(kMaxPictureSide) ||
        drawn.cy > static_cast<LONG>(kMaxPictureSide)) {
        return Failed(WicFault::kBadSize, E_FAIL);
    }
    ComPtr<IWICBitmapSource> source = converter;
    if (drawn.cx != own.cx || drawn.cy != own.cy) {
        ComPtr<IWICBitmapScaler> scaler;
        result = factory_->CreateBitmapScaler(scaler.GetAddressOf());
        if (SUCCEEDED(result)) {
            result = scaler->Initialize(converter.Get(), static_cast<UINT>(drawn.cx),
                                        static_cast<UINT>(drawn.cy), WICBitmapInterpolationModeFant);
        }
        if (FAILED(result)) return Failed(WicFault::kCannotScale, result);
        source = scaler;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = drawn.cx;
    info.bmiHeader.biHeight = -drawn.cy;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return Failed(WicFault::kNoMemory, E_OUTOFMEMORY);
    const UINT stride = static_cast<UINT>(drawn.cx) * 4;
    result = source->CopyPixels(nullptr, stride, stride * static_cast<UINT>(drawn.cy), static_cast<BYTE*>(bits));
    if (FAILED(result)) {
        DeleteObject(bitmap);
        return Failed(WicFault::kUndecodable, result);
    }
    GdiFlush();
    return {bitmap, static_cast<const std::uint32_t*>(bits), static_cast<int>(drawn.cx),
            static_cast<int>(drawn.cy), WicFault::kNone, S_OK};
}

}  // namespace soruberia::windows
