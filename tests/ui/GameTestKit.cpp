#include "tests/ui/GameTestKit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QTimerEvent>

#include <stdexcept>

#include "ui/GameForm.h"

namespace soruberia::ui::testing {

namespace {

constexpr int kQuestions = 26;

void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write " + path.toStdString());
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Qt writes no GIF, but the picture loader reads by content.
void WritePicture(const QString& path, QColor colour) {
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(colour);
    if (!image.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
}

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
    WriteFile(base.filePath(QStringLiteral("問題/mondai.txt")), texts);
    WriteFile(base.filePath(QStringLiteral("問題/kotae.txt")), key);

    for (int ion = 1; ion <= 12; ++ion) {
        WritePicture(base.filePath(QStringLiteral("図/ion(%1).gif").arg(ion)), PlainIonColour(ion));
        WritePicture(base.filePath(QStringLiteral("図/ion'(%1).gif").arg(ion)), FoundIonColour(ion));
    }
    WritePicture(base.filePath(QStringLiteral("図/maru.gif")), kMaruColour);
    WritePicture(base.filePath(QStringLiteral("図/batu.gif")), kBatuColour);
}

void TickOnce(GameForm& form, FakeClock& clock) {
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

bool TickUntil(GameForm& form, FakeClock& clock, const std::function<bool()>& done, int maxTicks) {
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
