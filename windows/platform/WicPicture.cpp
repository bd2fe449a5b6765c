// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/WicPicture.h"

#include "content/ContentFile.h"
#include "content/FatalError.h"
#include "content/MediaLimits.h"
#include "content/PictureJudgement.h"
#include "windows/platform/FileBytes.h"

namespace soruberia::windows {
namespace {

[[noreturn]] void Fail(const std::string& fullPath, const std::string& reason) {
    throw FatalError("画像を読み込めません: " + DisplayPath(fullPath) + " (" + reason + ")");
}

std::string Reason(const WicBitmap& failed) {
    switch (failed.fault) {
        case WicFault::kNotAPicture: return "画像ではないか、壊れています";
        case WicFault::kBadSize: return "画像の大きさが不正です";
        case WicFault::kNoMemory: return "画像の記憶域を確保できません";
        case WicFault::kNone:
        case WicFault::kUndecodable:
        case WicFault::kCannotScale: break;
    }
    return "画像を解読できません (" + HresultText(failed.code) + ")";
}

}  // namespace

WinPicture::WinPicture(HBITMAP bitmap, int width, int height, const std::uint32_t* pixels)
    : bitmap_(bitmap), width_(width), height_(height), pixels_(pixels) {}

WinPicture::~WinPicture() { DeleteObject(bitmap_); }

std::uint32_t WinPicture::Pixel(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

engine::PicturePtr WicPictureLoader::Load(const std::string& fullPath) {
    // Read by this program, not by WIC, so the file is closed again before
    // decoding and a changed file is always read as it is now.
    const FileBytes file = ReadFileBytes(fullPath, media::kMaxPictureFileBytes);
    if (!file.problem.empty()) Fail(fullPath, file.problem);
    // The rule every front-end applies before its decoder: WIC is handed
    // only a whole file within the size cap.
    const media::PictureJudgement judgement = media::JudgePicture(file.bytes);
    if (!judgement.Accepted()) Fail(fullPath, judgement.fault);
    const WicBitmap decoded = wic_.Decode(file.bytes.data(), file.bytes.size());
    if (decoded.fault != WicFault::kNone) Fail(fullPath, Reason(decoded));
    return std::make_shared<WinPicture>(decoded.bitmap, decoded.width, decoded.height, decoded.pixels);
}

}  // namespace soruberia::windows
