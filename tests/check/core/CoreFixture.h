// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "check/core/CheckServices.h"

namespace soruberia::check::test {

// A copy of the default content (data/) in a temporary folder of its own.
class ContentCopy {
public:
    ContentCopy();
    ~ContentCopy();
    ContentCopy(const ContentCopy&) = delete;
    ContentCopy& operator=(const ContentCopy&) = delete;

    // basePath of the copy, UTF-8, in the platform's form.
    const std::string& Base() const { return base_; }
    // A file below the copy, "図/maru.gif".
    std::filesystem::path File(const std::string& relative) const;

private:
    std::filesystem::path root_;
    std::string base_;
};

// A label that cuts every text beginning with `cutPrefix` after its first
// two characters, and fits every other; it remembers what it measured.
class FakeLabel final : public QuestionLabelMeasure {
public:
    std::string cutPrefix = "\xE3\x81\xAA\xE3\x81\x97";  // なし: nothing is cut
    std::string note;
    std::vector<std::string> measured;

    LabelFit Measure(const std::string& text) override;
    std::string FontNote() override { return note; }
};

// Decoders that answer from a table by file name, and know every other file
// as a small picture or a whole second of sound.
class FakePictures final : public PictureDecoder {
public:
    std::map<std::string, PictureDecoding> answers;
    std::vector<std::string> asked;
    PictureDecoding Decode(const std::string& fullPath) override;
};

class FakeSounds final : public SoundDecoder {
public:
    std::map<std::string, SoundDecoding> answers;
    std::vector<std::string> asked;
    SoundDecoding Decode(const std::string& fullPath) override;
};

// The file name of a full path in the program's form.
std::string FileName(const std::string& fullPath);

}  // namespace soruberia::check::test
