// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Makes the default content beside the game: the question bank and the
// explanation line (data/問題), the ion pictures and judgement marks
// (data/図) and the sounds (data/音).
//
//   soruberia-content-gen <tools/data folder> <data folder> [preview folder]
//
// The optional preview folder receives every picture also as PNG, for
// looking at them.

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QTextLayout>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "content/FatalError.h"
#include "layout/Fonts.h"
#include "layout/GameLayout.h"
#include "layout/MenuLayout.h"
#include "tools/content-gen/GifWriter.h"
#include "tools/content-gen/Pictures.h"
#include "tools/content-gen/PrecipitateTable.h"
#include "tools/content-gen/QuestionSource.h"
#include "tools/content-gen/Sounds.h"
#include "tools/content-gen/TextFiles.h"

namespace fs = std::filesystem;
using namespace soruberia;
using namespace soruberia::contentgen;

namespace {

constexpr int kQuestionCount = 26;  // the number a game reads

// The stand-in of a label's face, as the game shows it.
QFont LabelFont(const layout::Font& face) {
    const std::string_view standIn = layout::StandInFamily(face.family);
    const QString family = QString::fromUtf8(standIn.data(), static_cast<qsizetype>(standIn.size()));
    QFont font(family);
    font.setPixelSize(layout::PointsToPixels(face.points));
    font.setBold(face.bold);
    if (QFontInfo(font).family() != family)
        throw FatalError("font " + family.toStdString() + " is not installed");
    return font;
}

// Number of lines the text takes when wrapped as a label wraps it.
int WrappedLines(const std::string& utf8, const QFont& font, int width) {
    QTextLayout layout(QString::fromStdString(utf8), font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

std::string ReadExplanationSource(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FatalError("cannot open " + path.string());
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() != '#') return line;
    }
    throw FatalError(path.string() + ": no explanation line");
}

void MakeQuestionBank(const fs::path& sourceDir, const fs::path& textDir) {
    const PrecipitateTable table = HintPrecipitateTable();
    const fs::path sourcePath = sourceDir / "questions.txt";
    const auto questions = LoadQuestionSource(sourcePath, table);
    if (questions.size() != kQuestionCount)
        throw FatalError(sourcePath.string() + ": " + std::to_string(questions.size()) +
                         " questions, the game reads " + std::to_string(kQuestionCount));

    constexpr layout::TextBox kLabel = layout::kQuestionLabel;
    const QFont questionFont = LabelFont(kLabel.font);
    const int labelWidth = layout::TwipsToPixels(kLabel.box.width);
    std::vector<std::string> texts;
    std::vector<std::string> keys;
    for (const auto& q : questions) {
        const std::string where = sourcePath.string() + ":" + std::to_string(q.line);
        if (HalfWidths(q.text) > kMaxQuestionHalfWidths ||
            WrappedLines(q.text, questionFont, labelWidth) > kLabel.lines)
            throw FatalError(where + ": the text does not fit the lines of the question label");
        const std::vector<int> key = DeriveKey(q.terms, table);
        if (key.empty()) throw FatalError(where + ": no ion satisfies '" + q.condition + "'");
        texts.push_back("\"" + q.text + "\"");
        std::string line = std::to_string(key.size());
        // Appended piece by piece: GCC 12 takes "," + std::to_string(…) for
        // an overlapping copy (-Wrestrict).
        for (int button : key) {
            line += ',';
            line += std::to_string(button);
        }
        keys.push_back(line);
        std::cout << line << "\t" << q.text << "\n";
    }
    WriteCp932Lines(textDir / "mondai.txt", texts);
    WriteCp932Lines(textDir / "kotae.txt", keys);

    const fs::path explanationPath = sourceDir / "explanation.txt";
    const std::string explanation = ReadExplanationSource(explanationPath);
    const layout::Widget& panel = *layout::Find(layout::MenuWindow(), "Label2");
    const QFont explanationFont = LabelFont(panel.font);
    const int lines = WrappedLines(explanation, explanationFont, layout::TwipsToPixels(panel.box.width));
    if (lines * QFontMetrics(explanationFont).lineSpacing() > layout::TwipsToPixels(panel.box.height))
        throw FatalError(explanationPath.string() + ": the text does not fit the menu's label");
    WriteCp932Lines(textDir / "setumei.txt", {explanation});
}

void SavePicture(const QImage& picture, const fs::path& pictureDir, const std::string& name,
                 bool transparent, const fs::path& previewDir) {
    WriteGif(pictureDir / (name + ".gif"), picture, transparent);
    if (!previewDir.empty()) picture.save(QString::fromStdString((previewDir / (name + ".png")).string()));
}

void MakePictures(const fs::path& pictureDir, const fs::path& previewDir) {
    const PrecipitateTable table = HintPrecipitateTable();
    for (int button = 1; button <= kIonCount; ++button) {
        const IonLabel ion = SplitIonLabel(QString::fromStdString(table.ions[static_cast<std::size_t>(button)]));
        const std::string n = std::to_string(button);
        SavePicture(DrawIonPicture(ion, false), pictureDir, "ion(" + n + ")", false, previewDir);
        SavePicture(DrawIonPicture(ion, true), pictureDir, "ion'(" + n + ")", false, previewDir);
    }
    SavePicture(DrawCorrectMark(), pictureDir, "maru", true, previewDir);
    SavePicture(DrawWrongMark(), pictureDir, "batu", true, previewDir);
}

void MakeSounds(const fs::path& soundDir) {
    WriteWav(soundDir / "o.wav", CorrectChime());
    WriteWav(soundDir / "x.wav", WrongBuzzer());
    WriteWav(soundDir / "pan.wav", BurstPop());
    WriteWav(soundDir / "dame.wav", FallingTone());
    WriteWav(soundDir / "gokaku.wav", PassFanfare());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s <tools/data folder> <data folder> [preview folder]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        const fs::path sourceDir = argv[1];
        const fs::path dataDir = argv[2];
        const fs::path previewDir = argc == 4 ? fs::path(argv[3]) : fs::path();
        const fs::path textDir = dataDir / "問題";
        const fs::path pictureDir = dataDir / "図";
        const fs::path soundDir = dataDir / "音";
        for (const auto& dir : {textDir, pictureDir, soundDir}) fs::create_directories(dir);
        if (!previewDir.empty()) fs::create_directories(previewDir);
        MakeQuestionBank(sourceDir, textDir);
        MakePictures(pictureDir, previewDir);
        MakeSounds(soundDir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soruberia-content-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
