// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/app/AppTestKit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <functional>
#include <stdexcept>

#include "tests/support/ContentFiles.h"

namespace soruberia::app::testing {

namespace {

constexpr int kQuestions = 26;
constexpr int kIons = 12;

using testsupport::WriteBytes;

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
    testsupport::WriteGamePictures(Path(QStringLiteral("図")),
                                   {[](int) { return QColor(0, 0, 255); },
                                    [](int) { return QColor(255, 255, 0); }, QColor(0, 200, 0),
                                    QColor(200, 0, 200)});
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
