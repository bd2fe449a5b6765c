// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/ui/GameTestKit.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QTimerEvent>

#include <stdexcept>
#include <utility>

#include "tests/support/ContentFiles.h"

namespace soruberia::ui::testing {

namespace {

constexpr int kQuestions = 26;

}  // namespace

float ScriptedRandom::Draw() {
    int question = 0;
    if (!questions.empty()) {
        question = questions.front();
        questions.pop_front();
    } else {
        question = walk_ % kQuestions + 1;
        ++walk_;
    }
    return (static_cast<float>(question) - 0.5F) / static_cast<float>(kQuestions);
}

std::unique_ptr<appcore::SoundChannel> FakeSound::Open() {
    class Channel final : public appcore::SoundChannel {
    public:
        explicit Channel(FakeSound& sound) : sound_(sound) {}
        void Play(const std::string& fullPath) override { sound_.played.push_back(fullPath); }
        void Stop() override { ++sound_.stops; }

    private:
        FakeSound& sound_;
    };
    return std::make_unique<Channel>(*this);
}

GameUnderTest::GameUnderTest(std::string basePath, const GameServices& services, Until until)
    : services_(services),
      app_(std::move(basePath), *this,
           appcore::AppServices{services.pictures, services.clock, services.random, services.bank,
                                *this, services.sound}) {
    shell_.Serve(app_);
    app_.Start();
    if (until == Until::Game) app_.Pressed(appcore::FormId::Menu, "Command3");
}

GameUnderTest::~GameUnderTest() = default;

void GameUnderTest::Show(appcore::FormId form) { shell_.Show(form); }

void GameUnderTest::Raise(appcore::FormId form) {
    if (form == appcore::FormId::Hint) ++services_.app.hintsOpened;
    shell_.Raise(form);
}

QColor PlainIonColour(int ion) { return QColor(10 * ion, 40, 90); }
QColor FoundIonColour(int ion) { return QColor(10 * ion, 160, 60); }

ContentFolder::ContentFolder(const std::function<std::vector<int>(int)>& answers,
                             const std::function<std::string(int)>& extra) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    const QDir base(dir_.path());
    for (const char* folder : {"問題", "図", "音"}) base.mkdir(QString::fromUtf8(folder));

    std::string texts;
    std::string key;
    for (int q = 1; q <= kQuestions; ++q) {
        texts += "Q" + std::to_string(q) + extra(q) + "\r\n";
        const std::vector<int> ions = answers(q);
        key += std::to_string(ions.size());
        for (int ion : ions) key += "," + std::to_string(ion);
        key += "\r\n";
    }
    testsupport::WriteBytes(base.filePath(QStringLiteral("問題/mondai.txt")), texts);
    testsupport::WriteBytes(base.filePath(QStringLiteral("問題/kotae.txt")), key);
    testsupport::WriteGamePictures(base.filePath(QStringLiteral("図")),
                                   {PlainIonColour, FoundIonColour, kMaruColour, kBatuColour});
}

void TickOnce(QWidget& form, FakeClock& clock) {
    clock.now += 0.5F;
    std::vector<QTimer*> armed;
    for (int n = 1; n <= 6; ++n) {
        auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer%1").arg(n));
        if (timer == nullptr) throw std::runtime_error("no Timer" + std::to_string(n));
        if (timer->isActive()) armed.push_back(timer);
    }
    for (QTimer* timer : armed) {
        // A timer stopped by an earlier action of this tick delivers nothing.
        if (!timer->isActive()) continue;
        QTimerEvent tick(timer->timerId());
        QCoreApplication::sendEvent(timer, &tick);
    }
}

bool TickUntil(QWidget& form, FakeClock& clock, const std::function<bool()>& done, int maxTicks) {
    for (int i = 0; i < maxTicks; ++i) {
        if (done()) return true;
        TickOnce(form, clock);
    }
    return done();
}

QColor ColourOf(const QPixmap& picture) {
    if (picture.isNull()) return {};
    return picture.toImage().pixelColor(0, 0);
}

}  // namespace soruberia::ui::testing
