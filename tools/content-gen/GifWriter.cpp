// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/content-gen/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "content/FatalError.h"

namespace soruberia::contentgen {
namespace {

std::string GifFault(const std::filesystem::path& path, int code) {
    const char* text = GifErrorString(code);
    return "cannot write " + path.string() + ": " + (text ? text : "giflib error");
}

}  // namespace

void WriteGif(const std::filesystem::path& path, const QImage& picture, bool transparent) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();

    // Count the opaque colours; the most used get the lowest indices, so the
    // palette (and the file) comes out the same on every run.
    std::map<QRgb, long> uses;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if (!transparent || qAlpha(row[x]) >= 128) ++uses[row[x] | 0xFF000000u];
    }
    std::vector<std::pair<QRgb, long>> colours(uses.begin(), uses.end());
    std::stable_sort(colours.begin(), colours.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    const int first = transparent ? 1 : 0;
    const int entries = first + static_cast<int>(colours.size());
    if (entries > 256)
        throw FatalError(path.string() + ": " + std::to_string(entries) +
                         " colours, more than a GIF palette holds");

    std::map<QRgb, GifByteType> index;
    int mapSize = 2;
    while (mapSize < entries) mapSize *= 2;
    std::vector<GifColorType> palette(static_cast<std::size_t>(mapSize), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const QRgb c = colours[i].first;
        const auto slot = static_cast<std::size_t>(first) + i;
        palette[slot] = GifColorType{static_cast<GifByteType>(qRed(c)),
                                     static_cast<GifByteType>(qGreen(c)),
                                     static_cast<GifByteType>(qBlue(c))};
        index[c] = static_cast<GifByteType>(slot);
    }

    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) throw FatalError(GifFault(path, error));
    // Closed unchecked if writing fails half-way; checked below otherwise.
    struct Closer {
        GifFileType* gif;
        ~Closer() {
            if (gif) EGifCloseFile(gif, nullptr);
        }
    } closer{gif};
    auto check = [&](int result) {
        if (result != GIF_OK) throw FatalError(GifFault(path, gif->Error));
    };

    ColorMapObject* map = GifMakeMapObject(mapSize, palette.data());
    if (!map) throw FatalError(path.string() + ": out of memory for the palette");
    const std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> mapOwner(map, GifFreeMapObject);

    EGifSetGifVersion(gif, transparent);
    check(EGifPutScreenDesc(gif, width, height, 8, 0, map));
    if (transparent) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.UserInputFlag = false;
        control.DelayTime = 0;
        control.TransparentColor = 0;
        GifByteType extension[4];
        const auto length = EGifGCBToExtension(&control, extension);
        check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
    }
    check(EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr));
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = row[x];
            line[static_cast<std::size_t>(x)] =
                (transparent && qAlpha(c) < 128) ? 0 : index.at(c | 0xFF000000u);
        }
        check(EGifPutLine(gif, line.data(), width));
    }
    closer.gif = nullptr;
    if (EGifCloseFile(gif, &error) != GIF_OK) throw FatalError(GifFault(path, error));
    // giflib creates its files readable by the owner alone.
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
}

}  // namespace soruberia::contentgen
