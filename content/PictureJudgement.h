// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

// The one rule for a picture file, applied by every front-end before its
// own decoder (Qt, Windows' imaging component, the browser), so that the
// game and the checker accept the same files everywhere.
namespace soruberia::media {

struct PictureJudgement {
    int width = 0;
    int height = 0;
    std::string fault;  // why the game refuses the file, in the teacher's words; "" if it does not

    bool Accepted() const { return fault.empty(); }
};

// The file's bytes judged whole: GIF, PNG, JPEG or BMP by their signature,
// whatever the file's name: every block there up to the format's end, each
// side within kMaxPictureSide, and a GIF's first image holding all its
// pixels (a BMP's all its rows). A file cut short, or one whose header
// promises more than it holds, is refused. Reads only within `bytes`; the
// work grows with their size, and no further than a picture at the cap.
PictureJudgement JudgePicture(std::string_view bytes);

}  // namespace soruberia::media
