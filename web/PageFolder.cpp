// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageFolder.h"

#include <cstdint>
#include <utility>

#include "content/ContentPaths.h"

namespace soruberia::web {

namespace {

constexpr std::string_view kBank = "問題";

// A page path in the program's form, "\問題\mondai.txt" for "問題/mondai.txt".
std::string Relative(const std::string& pagePath) {
    std::string relative = "\\" + pagePath;
    for (char& c : relative) {
        if (c == '/') c = '\\';
    }
    return relative;
}

}  // namespace

PageFolder::PageFolder(const PageFiles& files, std::string basePath)
    : files_(files), basePath_(std::move(basePath)) {}

std::optional<std::string> PageFolder::PagePathOf(const std::string& fullPath) const {
    if (!fullPath.starts_with(basePath_)) return std::nullopt;
    const std::string_view rest = std::string_view(fullPath).substr(basePath_.size());
    if (!rest.empty() && rest.front() != '\\') return std::nullopt;
    std::string path = PagePath(rest);
    if (path == kBank || path.starts_with(std::string(kBank) + '/')) {
        path = files_.BankFolder() + path.substr(kBank.size());
    }
    return path;
}

const std::string* PageFolder::Bytes(const std::string& fullPath) const {
    const auto path = PagePathOf(fullPath);
    return path ? files_.Find(*path) : nullptr;
}

bool PageFolder::TooLarge(const std::string& fullPath) const {
    const auto path = PagePathOf(fullPath);
    return path && files_.TooLarge(*path);
}

check::ContentFolder::Entry PageFolder::Look(const std::string& fullPath) {
    const auto path = PagePathOf(fullPath);
    if (!path) return {Kind::kMissing, {}};
    if (path->empty() || !files_.PathsBelow(*path).empty()) return {Kind::kFolder, {}};
    const bool there = files_.Find(*path) != nullptr || files_.TooLarge(*path);
    return {there ? Kind::kFile : Kind::kMissing, {}};
}

std::variant<ContentFile, ContentFailure> PageFolder::Load(const std::string& fullPath) {
    ContentFailure failure;
    failure.file = Display(fullPath);
    const std::string* bytes = Bytes(fullPath);
    if (bytes == nullptr && !TooLarge(fullPath)) {
        failure.fault = ContentFault::kFileMissing;
        return failure;
    }
    if (bytes == nullptr || bytes->size() > kMaxContentFileBytes) {
        failure.fault = ContentFault::kTooLarge;
        failure.value = static_cast<std::int64_t>(kMaxContentFileBytes);
        return failure;
    }
    return ContentFile{std::move(failure.file), *bytes};
}

std::string PageFolder::Head(const std::string& fullPath, std::size_t count) {
    const std::string* bytes = Bytes(fullPath);
    return bytes == nullptr ? std::string() : bytes->substr(0, count);
}

std::vector<std::string> PageFolder::Names(const std::string& folderPath) {
    std::vector<std::string> names;
    const auto folder = PagePathOf(folderPath);
    if (!folder) return names;
    for (const std::string& path : files_.PathsBelow(*folder)) {
        const std::string name = path.substr(folder->size() + 1);
        const std::string first = name.substr(0, name.find('/'));
        if (names.empty() || names.back() != first) names.push_back(first);
    }
    return names;
}

std::string PageFolder::Display(const std::string& fullPath) {
    const auto path = PagePathOf(fullPath);
    return DisplayPath(path ? FullPath(basePath_, path->empty() ? "" : Relative(*path)) : fullPath);
}

}  // namespace soruberia::web
