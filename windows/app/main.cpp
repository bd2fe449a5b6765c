// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// soruberia.exe: derives basePath and checks the content it will need, with
// the content readers and the Windows services; a failure is reported in
// the message box and ends the program with status 1.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "content/ContentPaths.h"
#include "content/ExplanationFile.h"
#include "content/QuestionBank.h"
#include "windows/platform/FatalBox.h"
#include "windows/platform/WicPicture.h"

namespace {

// The number of questions a game draws from.
constexpr std::int16_t kQuestionCount = 26;

void LoadContent() {
    using namespace soruberia;
    const std::string basePath = DeriveBasePath(ExecutableFolder());
    ReadExplanationLine(basePath);
    QuestionTextTable texts{};
    AnswerCountTable counts{};
    AnswerKeyTable key{};
    ReadQuestionTexts(basePath, kQuestionCount, texts);
    ReadAnswerKey(basePath, kQuestionCount, counts, key);
    windows::WicPictureLoader pictures;
    for (int ion = 1; ion <= 12; ++ion) {
        pictures.Load(FullPath(basePath, IonPictureName(ion, false)));
        pictures.Load(FullPath(basePath, IonPictureName(ion, true)));
    }
    pictures.Load(FullPath(basePath, paths::kMarkCorrect));
    pictures.Load(FullPath(basePath, paths::kMarkWrong));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // WIC is a COM component, used from this, the window thread.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        soruberia::windows::ReportFatalAndExit("COM を初期化できません");
    }
    soruberia::windows::Guarded(LoadContent);
    CoUninitialize();
    return 0;
}
