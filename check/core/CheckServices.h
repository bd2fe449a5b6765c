// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <variant>

// What the checker asks of the platform it runs on: how the game window lays
// out a question text, and whether the game's own decoders accept a picture
// or a sound. Each front-end answers with its own services.
namespace soruberia::check {

// How a question text sits in the game window's question label.
struct LabelFit {
    bool fits = true;
    int neededHeight = 0;  // px the wrapped text takes
    int height = 0;        // px the label shows
    int lines = 0;         // lines the text wraps to
    int shownLines = 0;    // lines that show whole
    std::string shown;     // UTF-8, the text of the lines that show whole
    std::string cut;       // the rest, lost below the label's lower edge
    // The size the text is drawn at, in percent of the label's font size:
    // below 100 where the label shrinks a text to fit (the page's does;
    // the desktop windows' never do). The measures above are at that size.
    int scalePercent = 100;
};

class QuestionLabelMeasure {
public:
    virtual ~QuestionLabelMeasure() = default;
    // A question text in UTF-8, as the game shows it.
    virtual LabelFit Measure(const std::string& text) = 0;
    // Why the measure may not be the students' (the label's face is missing),
    // or "".
    virtual std::string FontNote() = 0;
};

// Why the game cannot use a file, in the teacher's words.
struct MediaFault {
    std::string reason;
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

using PictureDecoding = std::variant<PictureSize, MediaFault>;

class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    // The file named in the program's form, decoded as the game decodes it.
    virtual PictureDecoding Decode(const std::string& fullPath) = 0;
};

struct SoundShape {
    std::int64_t frames = 0;           // frames that can be played
    std::int64_t announcedFrames = 0;  // frames the header promises
    int channels = 0;
    int rate = 0;
};

using SoundDecoding = std::variant<SoundShape, MediaFault>;

class SoundDecoder {
public:
    virtual ~SoundDecoder() = default;
    // The file named in the program's form, decoded as the game's sound
    // channel decodes it.
    virtual SoundDecoding Decode(const std::string& fullPath) = 0;
};

struct CheckServices {
    QuestionLabelMeasure& label;
    PictureDecoder& pictures;
    SoundDecoder& sounds;
};

}  // namespace soruberia::check
