#include "tests/app/AppTestKit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringEncoder>
#include <QTimer>

#include <functional>
#include <stdexcept>

namespace soruberia::app::testing {

namespace {

constexpr int kQuestions = 26;
constexpr int kIons = 12;

void WriteBytes(const QString& path, const std::string& bytes) {
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

// Swallows the request to quit that closing the last window posts, and
// notes it.
class QuitSpy final : public QObject {
public:
    bool quitRequested = false;
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (receiver == QCoreApplication::instance() && event->type() == QEvent::Quit) {
            quitRequested = true;
            return true;
        }
        return false;
    }
};

}  // namespace

std::string ToShiftJis(const std::string& utf8) {
    QStringEncoder encoder("Shift_JIS");
    if (!encoder.isValid()) throw std::runtime_error("this Qt has no Shift-JIS encoder");
    const QByteArray bytes = encoder.encode(QString::fromStdString(utf8));
    return bytes.toStdString();
}

ContentFolder::ContentFolder(const std::string& explanationUtf8) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    const QDir base(dir_.path());
    for (const char* folder : {"問題", "図", "音"}) base.mkdir(QString::fromUtf8(folder));
    WriteExplanationBytes(ToShiftJis(explanationUtf8));

    std::string texts;
    std::string key;
    for (int q = 1; q <= kQuestions; ++q) {
        texts += ToShiftJis("問" + std::to_string(q)) + "\r\n";
        key += "1," + std::to_string((q - 1) % kIons + 1) + "\r\n";
    }
    WriteBytes(Path(QStringLiteral("問題/mondai.txt")), texts);
    WriteBytes(Path(QStringLiteral("問題/kotae.txt")), key);
    for (int ion = 1; ion <= kIons; ++ion) {
        WritePicture(Path(QStringLiteral("図/ion(%1).gif").arg(ion)), QColor(0, 0, 255));
        WritePicture(Path(QStringLiteral("図/ion'(%1).gif").arg(ion)), QColor(255, 255, 0));
    }
    WritePicture(Path(QStringLiteral("図/maru.gif")), QColor(0, 200, 0));
    WritePicture(Path(QStringLiteral("図/batu.gif")), QColor(200, 0, 200));
}

void ContentFolder::WriteExplanationBytes(const std::string& bytes) const {
    WriteBytes(Path(QStringLiteral("問題/setumei.txt")), bytes);
}

void ContentFolder::RemoveExplanation() const {
    QFile::remove(Path(QStringLiteral("問題/setumei.txt")));
}

void Tick(QTimer& timer) {
    if (!QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection))
        throw std::runtime_error("cannot deliver a tick");
}

void FlushDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

int VisibleWindowCount() {
    int count = 0;
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) ++count;
    return count;
}

bool ProgramEndsAfter(const std::function<void()>& action) {
    QuitSpy spy;
    qApp->installEventFilter(&spy);
    QTimer::singleShot(0, qApp, [&action] {
        action();
        // Queued behind whatever the action has posted.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    });
    QApplication::exec();
    qApp->removeEventFilter(&spy);
    return spy.quitRequested;
}

void SaveScreenshot(QWidget& widget, const QString& name) {
    const QString dir = qEnvironmentVariable("SORUBERIA_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    widget.grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

}  // namespace soruberia::app::testing
