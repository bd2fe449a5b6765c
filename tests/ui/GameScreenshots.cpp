// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Plays a game on a content folder and saves pictures of the game window at
// its start, during a bonus, during a failure and at the pass picture, for
// looking at the window without playing it by hand.
//
//   soruberia_game_screenshots <content folder> <output folder>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "content/QuestionBank.h"
#include "tests/ui/GameTestKit.h"
#include "ui/Fonts.h"

using namespace soruberia;
using namespace soruberia::ui;
using namespace soruberia::ui::testing;

namespace {

struct Bank {
    QuestionTextTable texts{};
    AnswerCountTable counts{};
    AnswerKeyTable key{};
};

class Player {
public:
    Player(GameForm& form, FakeClock& clock, const Bank& bank, QString outFolder)
        : form_(form), clock_(clock), bank_(bank), out_(std::move(outFolder)) {}

    QWidget* Child(const QString& name) const {
        auto* child = form_.findChild<QWidget*>(name);
        if (child == nullptr) throw std::runtime_error("no widget " + name.toStdString());
        return child;
    }
    bool Shown(const char* name) const { return Child(QString::fromLatin1(name))->isVisible(); }
    void Click(int ion) const {
        QTest::mouseClick(Child(QStringLiteral("Command1_%1").arg(ion)), Qt::LeftButton);
    }
    void Until(const char* what, const std::function<bool()>& done) {
        if (!TickUntil(form_, clock_, done, 40)) throw std::runtime_error(std::string("never: ") + what);
    }
    void Save(const char* name) const {
        const QString path = QDir(out_).filePath(QString::fromLatin1(name));
        if (!form_.grab().save(path)) throw std::runtime_error("cannot write " + path.toStdString());
        std::printf("%s\n", path.toUtf8().constData());
    }

    int Question() const {
        const std::string shown = qobject_cast<QLabel*>(Child(QStringLiteral("Label1")))->text().toStdString();
        for (std::size_t q = 1; q <= 26; ++q)
            if (bank_.texts[q] == shown) return static_cast<int>(q);
        throw std::runtime_error("question not in the bank: " + shown);
    }
    bool IsAnswer(int q, int ion) const {
        const auto qi = static_cast<std::size_t>(q);
        for (int k = 1; k <= bank_.counts[qi]; ++k)
            if (bank_.key[qi][static_cast<std::size_t>(k)] == ion) return true;
        return false;
    }
    void AnswerAll() const {
        const int q = Question();
        bool any = false;
        for (int ion = 1; ion <= 12; ++ion) {
            if (IsAnswer(q, ion)) {
                Click(ion);
                any = true;
            }
        }
        if (!any) Click(WrongIon());  // a question without answers ends at its first press
    }
    int WrongIon() const {
        const int q = Question();
        for (int ion = 1; ion <= 12; ++ion)
            if (!IsAnswer(q, ion)) return ion;
        throw std::runtime_error("a question where every ion is right");
    }

private:
    GameForm& form_;
    FakeClock& clock_;
    const Bank& bank_;
    QString out_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <content folder> <output folder>\n", argv[0]);
        return 2;
    }
    InstallFontSubstitutions();
    try {
        const std::string base = argv[1];
        Bank bank;
        ReadQuestionTexts(base, 26, bank.texts);
        ReadAnswerKey(base, 26, bank.counts, bank.key);

        FakeServices services;
        GameUnderTest game(base, services.Services(base));
        GameForm* form = game.Window();
        Player player(*form, services.clock, bank, QString::fromLocal8Bit(argv[2]));
        player.Save("game-start.png");

        // A miss, then the question answered: the gauge stands one level on.
        player.Click(player.WrongIon());
        player.Save("game-miss.png");
        player.Until("the pause ends", [&] { return !player.Shown("Image3"); });
        int before = player.Question();
        player.AnswerAll();
        player.Until("the next question", [&] { return player.Question() != before; });

        player.AnswerAll();
        player.Until("the bonus", [&] { return player.Shown("Image5"); });
        player.Save("game-bonus.png");
        player.Until("the bonus ends", [&] { return !player.Shown("Image5"); });

        // Misses, one pause each, until the balloon bursts.
        const int wrong = player.WrongIon();
        for (int i = 0; i < 5 && !player.Shown("Image2"); ++i) {
            player.Click(wrong);
            player.Until("the pause ends", [&] { return !player.Shown("Image3"); });
        }
        if (!player.Shown("Image2")) throw std::runtime_error("five misses and no failure");
        player.Save("game-failure.png");
        player.Until("the failure ends", [&] { return !player.Shown("Image2"); });

        while (!player.Shown("Image4")) {
            before = player.Question();
            player.AnswerAll();
            player.Until("the next step", [&] {
                return player.Shown("Image4") ||
                       (!player.Shown("Image5") && !player.Shown("Image3") && player.Question() != before);
            });
        }
        player.Save("game-pass.png");
        player.Until("the retry button", [&] { return player.Shown("Command4"); });
        player.Save("game-retry.png");
        delete form;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
