// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/BuiltInPictures.h"

#include "content/FatalError.h"

namespace soruberia::windows {

namespace {

[[noreturn]] void Fail(std::string_view name, const char* reason, HRESULT result) {
    throw FatalError("組み込みの画像 " + std::string(name) + " を読み込めません (" + reason + ", " +
                     HresultText(result) + ")");
}

const char* Reason(WicFault fault) {
    switch (fault) {
        case WicFault::kCannotScale: return "拡大縮小できません";
        case WicFault::kNoMemory: return "記憶域を確保できません";
        case WicFault::kNone:
        case WicFault::kNotAPicture:
        case WicFault::kUndecodable:
        case WicFault::kBadSize: break;
    }
    return "解読できません";
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

OwnedFace BuiltInPictures::Load(std::string_view name, Dpi dpi) { return Decode(name, dpi, true); }

OwnedFace BuiltInPictures::LoadStretched(std::string_view name, Dpi dpi, SIZE size) {
    const OwnedFace own = Decode(name, dpi, false);
    OwnedFace stretched = StretchedFace(own.Get(), size.cx, size.cy);
    if (stretched.Get().Empty()) Fail(name, Reason(WicFault::kCannotScale), E_OUTOFMEMORY);
    return stretched;
}

OwnedFace BuiltInPictures::Decode(std::string_view name, Dpi dpi, bool atDpiSize) {
    bool doubleSize = dpi.dotsPerInch > 96;
    Resource resource = doubleSize ? FindPicture(ResourceName(name, true)) : Resource{};
    if (resource.bytes == nullptr) {
        doubleSize = false;
        resource = FindPicture(ResourceName(name, false));
    }
    if (resource.bytes == nullptr || resource.size == 0) Fail(name, "プログラムにありません", E_FAIL);

    Face face;
    const WicBitmap decoded = wic_.Decode(resource.bytes, resource.size, [&](SIZE own) {
        face.logicalWidth = static_cast<int>(doubleSize ? own.cx / 2 : own.cx);
        face.logicalHeight = static_cast<int>(doubleSize ? own.cy / 2 : own.cy);
        return atDpiSize ? SIZE{dpi.FromPixels(face.logicalWidth), dpi.FromPixels(face.logicalHeight)} : own;
    });
    if (decoded.fault != WicFault::kNone) Fail(name, Reason(decoded.fault), decoded.code);
    face.bitmap = decoded.bitmap;
    face.width = decoded.width;
    face.height = decoded.height;
    face.pixels = decoded.pixels;
    return OwnedFace(face);
}

}  // namespace soruberia::windows
