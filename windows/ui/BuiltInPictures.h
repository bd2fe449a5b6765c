// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

#include "windows/platform/WicDecoder.h"
#include "windows/ui/Dpi.h"
#include "windows/ui/Face.h"

namespace soruberia::windows {

// The windows' own pictures, compiled into the program as RCDATA resources
// named after their file: "game/ion1.png" is GAME_ION1, its 2× drawing
// GAME_ION1_2X. Above 100 % the 2× drawing is scaled down to the exact size,
// so faces stay sharp. Decoded with WIC from memory (WicDecoder), so the
// file format of the resources is WIC's business. Made on the window thread
// once COM runs.
class BuiltInPictures {
public:

    // Throws FatalError when the picture is not in the program.
    OwnedFace Load(std::string_view name, Dpi dpi);
    // The picture for a box it fills, stretched smoothly to `size` device
    // pixels straight from the drawing that suits dpi.
    OwnedFace LoadStretched(std::string_view name, Dpi dpi, SIZE size);

    // The resource name of a picture: "game/ion1.png" and true give GAME_ION1_2X.
    static std::wstring ResourceName(std::string_view name, bool doubleSize);

private:
    // The drawing that suits dpi, at the size it stands for there or at
    // its own.
    OwnedFace Decode(std::string_view name, Dpi dpi, bool atDpiSize);

    WicDecoder wic_;
};

}  // namespace soruberia::windows
