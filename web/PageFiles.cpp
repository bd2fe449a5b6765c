// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageFiles.h"

#include <cstdint>
#include <utility>

#include "content/ContentPaths.h"
#include "content/MediaLimits.h"

namespace soruberia::web {

std::string PagePath(std::string_view relativePath) {
    if (!relativePath.empty() && relativePath.front() == '\\') relativePath.remove_prefix(1);
    std::string path(relativePath);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

std::size_t PageFileLimit(std::string_view pagePath) {
    if (pagePath.starts_with("音/")) {
        // Any sample format up to 64 bits, any chunks beside the data.
        return static_cast<std::size_t>(media::kMaxSoundSamples) * 8 + kMaxContentFileBytes;
    }
    return kMaxContentFileBytes;
}

void PageFiles::Put(std::string pagePath, std::string bytes) {
    files_.insert_or_assign(std::move(pagePath), Held{std::move(bytes), false});
}

void PageFiles::PutTooLarge(std::string pagePath) { files_.insert_or_assign(std::move(pagePath), Held{{}, true}); }

bool PageFiles::TooLarge(std::string_view pagePath) const {
    const auto found = files_.find(pagePath);
    return found != files_.end() && found->second.tooLarge;
}

void PageFiles::Drop(std::string_view folder) {
    if (const auto file = files_.find(folder); file != files_.end()) files_.erase(file);
    const std::string prefix = std::string(folder) + '/';
    for (auto it = files_.lower_bound(prefix); it != files_.end() && it->first.starts_with(prefix);) {
        it = files_.erase(it);
    }
}

const std::string* PageFiles::Find(std::string_view pagePath) const {
    const auto found = files_.find(pagePath);
    return found == files_.end() || found->second.tooLarge ? nullptr : &found->second.bytes;
}

std::vector<std::string> PageFiles::PathsBelow(std::string_view folder) const {
    const std::string prefix = std::string(folder) + '/';
    std::vector<std::string> paths;
    for (auto at = files_.lower_bound(prefix); at != files_.end() && at->first.starts_with(prefix); ++at) {
        paths.push_back(at->first);
    }
    return paths;
}

std::string PageFiles::Located(std::string_view relativePath) const {
    std::string path = PagePath(relativePath);
    constexpr std::string_view kBank = "問題/";
    if (path.compare(0, kBank.size(), kBank) == 0) {
        path = bankFolder_ + '/' + path.substr(kBank.size());
    }
    return path;
}

ContentFile PageFiles::Read(const std::string& basePath, std::string_view relativePath) const {
    const std::string path = Located(relativePath);
    std::string located = "\\" + path;
    for (char& c : located) {
        if (c == '/') c = '\\';
    }
    ContentFailure failure;
    failure.file = DisplayPath(FullPath(basePath, located));
    const auto found = files_.find(path);
    if (found == files_.end()) {
        failure.fault = ContentFault::kFileMissing;
        throw ContentError(std::move(failure));
    }
    if (found->second.tooLarge || found->second.bytes.size() > kMaxContentFileBytes) {
        failure.fault = ContentFault::kTooLarge;
        failure.value = static_cast<std::int64_t>(kMaxContentFileBytes);
        throw ContentError(std::move(failure));
    }
    return {std::move(failure.file), found->second.bytes};
}

}  // namespace soruberia::web
