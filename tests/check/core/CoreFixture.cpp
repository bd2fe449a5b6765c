// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/check/core/CoreFixture.h"

#include <random>
#include <stdexcept>

#include "content/ContentPaths.h"

namespace soruberia::check::test {

namespace fs = std::filesystem;

namespace {

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

fs::path DefaultContent() {
    const std::string folder = DEFAULT_CONTENT;
#ifdef _WIN32
    // The source tree as Wine shows it: drive Z: is the root of the host.
    return fs::path(u8"Z:") / fs::path(std::u8string(folder.begin(), folder.end()));
#else
    return fs::path(std::u8string(folder.begin(), folder.end()));
#endif
}

}  // namespace

ContentCopy::ContentCopy() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / ("soruberia-check-core-" + std::to_string(random()));
        if (fs::create_directory(candidate)) root_ = candidate;
    }
    if (root_.empty()) throw std::runtime_error("cannot create a temporary folder");
    fs::copy(DefaultContent(), root_, fs::copy_options::recursive);
    base_ = DeriveBasePath(Utf8(root_));
}

ContentCopy::~ContentCopy() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

fs::path ContentCopy::File(const std::string& relative) const {
    return root_ / fs::path(std::u8string(relative.begin(), relative.end()));
}

LabelFit FakeLabel::Measure(const std::string& text) {
    measured.push_back(text);
    if (text.rfind(cutPrefix, 0) != 0) return {true, 40, 49, 2, 2, text, ""};
    std::size_t at = 0;
    for (int characters = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && characters++ == 2) break;
    }
    return {false, 60, 49, 3, 2, text.substr(0, at), text.substr(at)};
}

std::string FileName(const std::string& fullPath) { return fullPath.substr(fullPath.rfind('\\') + 1); }

PictureDecoding FakePictures::Decode(const std::string& fullPath) {
    asked.push_back(FileName(fullPath));
    const auto answer = answers.find(FileName(fullPath));
    return answer != answers.end() ? answer->second : PictureDecoding{PictureSize{101, 61}};
}

SoundDecoding FakeSounds::Decode(const std::string& fullPath) {
    asked.push_back(FileName(fullPath));
    const auto answer = answers.find(FileName(fullPath));
    return answer != answers.end() ? answer->second : SoundDecoding{SoundShape{22050, 22050, 1, 22050}};
}

}  // namespace soruberia::check::test
