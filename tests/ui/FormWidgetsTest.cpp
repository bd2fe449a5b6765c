// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Each window walked against its table: its frame, and every widget of the
// table there under its name, of its kind, in its place, shown or hidden as
// at opening, with its look and accessible texts, in the table's stacking
// order and tab order. The table and the window cannot drift apart.

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "layout/GameLayout.h"
#include "layout/HintLayout.h"
#include "layout/MenuLayout.h"
#include "tests/support/ContentFiles.h"
#include "tests/ui/GameTestKit.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::ui::testing {
namespace {

QColor ToQColor(const layout::Colour& c) { return {c.red, c.green, c.blue}; }

// The windows as they open, each on content of its own.
class OpenWindows {
public:
    OpenWindows()
        : gameContent_([](int q) { return std::vector<int>{(q - 1) % 12 + 1}; },
                       [](int) { return std::string(); }) {
        game_.emplace(gameContent_.BasePath(), services_.Services(gameContent_.BasePath()));
        game_->Core().Pressed(appcore::FormId::Game, "Command3");
        menu_.emplace(gameContent_.BasePath(), menuServices_.Services(gameContent_.BasePath()),
                      GameUnderTest::Until::Menu);
    }
    OpenWindows(const OpenWindows&) = delete;
    OpenWindows& operator=(const OpenWindows&) = delete;

    QWidget* Window(const layout::Form& form) const {
        if (&form == &layout::GameWindow()) return game_->Window();
        if (&form == &layout::MenuWindow()) return menu_->Menu();
        return game_->Hint();
    }

private:
    FakeServices services_;
    FakeServices menuServices_;
    ContentFolder gameContent_;
    std::optional<GameUnderTest> game_;  // with its hint window open
    std::optional<GameUnderTest> menu_;
};

struct NamedForm {
    const char* name;
    const layout::Form& (*form)();
};

void PrintTo(const NamedForm& form, std::ostream* os) { *os << form.name; }

class WindowFromTable : public ::testing::TestWithParam<NamedForm> {
protected:
    static void SetUpTestSuite() { windows_ = new OpenWindows(); }
    static void TearDownTestSuite() {
        delete windows_;
        windows_ = nullptr;
    }

    const layout::Form& Table() const { return GetParam().form(); }
    QWidget& Window() const { return *windows_->Window(Table()); }

    template <typename T = QObject>
    T* Made(std::string_view name) const {
        return Window().findChild<T*>(ToQString(name), Qt::FindDirectChildrenOnly);
    }

    static inline OpenWindows* windows_ = nullptr;
};

TEST_P(WindowFromTable, IsTheWindowOfItsTable) {
    const layout::Form& form = Table();
    QWidget& window = Window();
    EXPECT_EQ(window.objectName(), ToQString(form.name));
    EXPECT_EQ(window.windowTitle(), ToQString(form.caption));
    EXPECT_EQ(window.size(), QSize(form.clientWidth, form.clientHeight));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    if (form.colour) {
        EXPECT_EQ(window.palette().color(QPalette::Window), ToQColor(*form.colour));
    }
    if (!form.font.family.empty()) {
        EXPECT_EQ(window.font().family(), ToQString(form.font.family));
        EXPECT_EQ(window.font().pixelSize(), layout::PointsToPixels(form.font.points));
    }
}

// A top-level window of fixed size, centred, with the program's icon and a
// close box alone, that is gone once closed.
TEST_P(WindowFromTable, HasAFixedFrameWithOnlyACloseBox) {
    const layout::Form& form = Table();
    QWidget& window = Window();
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_EQ(window.minimumSize(), QSize(form.clientWidth, form.clientHeight));
    EXPECT_EQ(window.maximumSize(), QSize(form.clientWidth, form.clientHeight));
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.testAttribute(Qt::WA_DeleteOnClose));
    ASSERT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.windowIcon().pixmap(32, 32).toImage().pixelColor(16, 2),
              QIcon(QStringLiteral(":/game/icon.png")).pixmap(32, 32).toImage().pixelColor(16, 2));
    ASSERT_NE(window.screen(), nullptr);
    const QPoint offCentre = window.geometry().center() - window.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);
}

TEST_P(WindowFromTable, MakesEveryWidgetOfItsKindInItsPlace) {
    for (const layout::Widget& entry : Table().widgets) {
        SCOPED_TRACE(std::string(entry.name));
        if (entry.kind == layout::Kind::Timer) {
            auto* timer = Made<QTimer>(entry.name);
            ASSERT_NE(timer, nullptr);
            if (entry.intervalMs > 0) {
                EXPECT_EQ(timer->interval(), entry.intervalMs);
            }
            continue;
        }
        auto* widget = Made<QWidget>(entry.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), TwipsRect(entry.box));
        EXPECT_EQ(widget->isVisible(), entry.visible);
        EXPECT_TRUE(widget->isEnabled());
        if (!entry.accessibleName.empty()) {
            EXPECT_EQ(widget->accessibleName(), ToQString(entry.accessibleName));
        }
        if (!entry.accessibleDescription.empty()) {
            EXPECT_EQ(widget->accessibleDescription(), ToQString(entry.accessibleDescription));
        }

        switch (entry.kind) {
            case layout::Kind::PushButton: {
                auto* button = qobject_cast<PictureButton*>(widget);
                ASSERT_NE(button, nullptr);
                EXPECT_FALSE(button->Picture().isNull());
                break;
            }
            case layout::Kind::PictureBox: {
                auto* box = qobject_cast<QLabel*>(widget);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->hasScaledContents(), entry.stretch);
                EXPECT_EQ(box->pixmap().isNull(), entry.picture.empty());
                EXPECT_FALSE(box->autoFillBackground());  // transparent around its picture
                break;
            }
            case layout::Kind::Label: {
                auto* label = qobject_cast<QLabel*>(widget);
                ASSERT_NE(label, nullptr);
                EXPECT_TRUE(label->autoFillBackground());
                EXPECT_EQ(label->palette().color(QPalette::Window), ToQColor(entry.ground));
                EXPECT_EQ(label->palette().color(QPalette::WindowText), ToQColor(entry.text));
                EXPECT_TRUE(label->wordWrap());
                EXPECT_EQ(label->textFormat(), Qt::PlainText);  // a question is never markup
                EXPECT_EQ(label->alignment(),
                          (entry.align == layout::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                              Qt::AlignTop);
                if (!entry.font.family.empty()) {
                    EXPECT_EQ(label->font().family(), ToQString(entry.font.family));
                    EXPECT_EQ(label->font().pixelSize(), layout::PointsToPixels(entry.font.points));
                    EXPECT_EQ(label->font().bold(), entry.font.bold);
                }
                // The box itself is painted in its ground colour.
                const QImage shot = label->grab().toImage();
                EXPECT_EQ(shot.pixelColor(shot.width() - 1, shot.height() - 1), ToQColor(entry.ground));
                break;
            }
            case layout::Kind::Timer: break;
        }
    }
}

TEST_P(WindowFromTable, HasNoWidgetOutsideItsTable) {
    for (QObject* child : Window().children()) {
        if (!child->isWidgetType() && qobject_cast<QTimer*>(child) == nullptr) continue;
        EXPECT_NE(layout::Find(Table(), child->objectName().toStdString()), nullptr)
            << child->objectName().toStdString();
    }
}

TEST_P(WindowFromTable, StacksItsWidgetsAsTheTableListsThem) {
    // A window's child widgets are listed bottom to top.
    QStringList stacked;
    for (QObject* child : Window().children())
        if (child->isWidgetType()) stacked << child->objectName();
    QStringList listed;
    for (const layout::Widget& entry : Table().widgets)
        if (entry.kind != layout::Kind::Timer) listed << ToQString(entry.name);
    EXPECT_EQ(stacked, listed);
}

TEST_P(WindowFromTable, ChainsItsButtonsInTheTablesTabOrder) {
    std::vector<const layout::Widget*> stops;
    for (const layout::Widget& entry : Table().widgets)
        if (entry.tabIndex >= 0) stops.push_back(&entry);
    std::ranges::sort(stops, {}, &layout::Widget::tabIndex);
    ASSERT_FALSE(stops.empty());

    QStringList expected;
    for (const layout::Widget* stop : stops) expected << ToQString(stop->name);
    QStringList chained;
    QWidget* first = Made<QWidget>(stops.front()->name);
    ASSERT_NE(first, nullptr);
    QWidget* widget = first;
    do {
        if (widget->focusPolicy() & Qt::TabFocus) chained << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first && chained.size() < expected.size());
    EXPECT_EQ(chained, expected);
}

INSTANTIATE_TEST_SUITE_P(Forms, WindowFromTable,
                         ::testing::Values(NamedForm{"GameWindow", layout::GameWindow},
                                           NamedForm{"MenuWindow", layout::MenuWindow},
                                           NamedForm{"HintWindow", layout::HintWindow}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace soruberia::ui::testing
