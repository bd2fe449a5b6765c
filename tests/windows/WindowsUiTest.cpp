// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The Windows windows built from the layout tables, run under Wine on an
// X server: built-in pictures, the menu's build-up and its explanation
// panel, keyboard focus, the hint window.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "content/FatalError.h"
#include "layout/GameLayout.h"
#include "layout/HintLayout.h"
#include "layout/MenuLayout.h"
#include "windows/tests/TempFolder.h"
#include "windows/ui/BuiltInPictures.h"
#include "windows/app/WinProgram.h"

namespace soruberia::windows {
namespace {

class ComThread : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

bool Shown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

// Delivers what is waiting, as the event loop would.
void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

TEST(ResourceName, FollowsTheFileNameWithoutItsFormat) {
    struct Case {
        std::string_view picture;
        bool doubleSize;
        std::wstring_view resource;
    };
    const Case cases[] = {
        {"game/ion1.png", false, L"GAME_ION1"},   {"game/ion12.png", true, L"GAME_ION12_2X"},
        {"menu/tile0.bmp", false, L"MENU_TILE0"}, {"hint/table", true, L"HINT_TABLE_2X"},
        {"game/back-ground.v2.png", false, L"GAME_BACK_GROUND_V2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuiltInPictures::ResourceName(c.picture, c.doubleSize), c.resource) << c.picture;
    }
}

using BuiltIn = ComThread;

// Every picture the three forms name is in the program, at every scale, at
// the size it stands for; above 100 % it comes from the 2× drawing.
TEST_F(BuiltIn, EveryPictureOfTheFormsAtEveryScale) {
    BuiltInPictures pictures;
    std::vector<std::string_view> names;
    for (const layout::Form* form : {&layout::MenuWindow(), &layout::GameWindow(), &layout::HintWindow()}) {
        names.push_back(form->background);
        for (const layout::Widget& widget : form->widgets)
            if (!widget.picture.empty()) names.push_back(widget.picture);
    }
    ASSERT_GT(names.size(), 20u);
    for (const std::string_view name : names) {
        const OwnedFace plain = pictures.Load(name, Dpi{96});
        ASSERT_FALSE(plain.Get().Empty()) << name;
        EXPECT_EQ(plain.Get().width, plain.Get().logicalWidth) << name;
        for (const UINT dpi : {120u, 144u, 192u}) {
            const OwnedFace scaled = pictures.Load(name, Dpi{dpi});
            EXPECT_EQ(scaled.Get().logicalWidth, plain.Get().logicalWidth) << name << " at " << dpi;
            EXPECT_EQ(scaled.Get().logicalHeight, plain.Get().logicalHeight) << name << " at " << dpi;
            EXPECT_EQ(scaled.Get().width, Dpi{dpi}.FromPixels(plain.Get().width)) << name << " at " << dpi;
            EXPECT_EQ(scaled.Get().height, Dpi{dpi}.FromPixels(plain.Get().height)) << name << " at " << dpi;
        }
    }
}

TEST_F(BuiltIn, AMissingPictureEndsTheProgramWithItsName) {
    BuiltInPictures pictures;
    try {
        pictures.Load("game/nothing.png", Dpi{96});
        FAIL() << "no failure";
    } catch (const FatalError& e) {
        EXPECT_NE(std::string(e.what()).find("game/nothing.png"), std::string::npos) << e.what();
    }
}

constexpr int kTiles = layout::kTitleTileCount;

// The program on a folder of the test's own: the default bank and pictures,
// the test's explanation line.
class Program : public ComThread {
protected:
    void SetUp() override {
        ComThread::SetUp();
        const auto copy = [this](const std::string& folderName, const std::string& leaf) {
            folder.Write("\\" + folderName + "\\" + leaf, test::DataFile(folderName + "/" + leaf));
        };
        copy("問題", "mondai.txt");
        copy("問題", "kotae.txt");
        for (int ion = 1; ion <= 12; ++ion) {
            copy("図", "ion(" + std::to_string(ion) + ").gif");
            copy("図", "ion'(" + std::to_string(ion) + ").gif");
        }
        copy("図", "maru.gif");
        copy("図", "batu.gif");
        folder.Write("\\問題\\setumei.txt", "Press the ions.\r\nsecond line\r\n");
    }
    void TearDown() override {
        program.reset();
        ComThread::TearDown();
    }
    WinProgram& Open() {
        program = std::make_unique<WinProgram>(folder.Base(), [this] { ++terminations; });
        program->Start();
        return *program;
    }
    FormWindow& Window(appcore::FormId form) { return *program->Shell().Window(form); }

    test::TempFolder folder;
    int terminations = 0;
    std::unique_ptr<WinProgram> program;  // once COM runs
};

using Menu = Program;

TEST_F(Menu, BuildsUpTileByTileThenShowsTheButtons) {
    Open();
    FormWindow& menu = Window(appcore::FormId::Menu);
    EXPECT_EQ(WindowText(menu.Handle()), L"メニュー");
    const SIZE client = ClientSize(menu.Handle());
    EXPECT_EQ(client.cx, Dpi{DpiOfWindow(menu.Handle())}.FromPixels(641));
    EXPECT_EQ(client.cy, Dpi{DpiOfWindow(menu.Handle())}.FromPixels(400));
    EXPECT_EQ(menu.TextOf("Label2"), L"Press the ions.");

    const std::wstring_view title[] = {L"ソ", L"ル", L"ベ", L"リ", L"ア"};
    const char* buttons[] = {"Command1", "Command2", "Command3", "Command4"};
    for (int tick = 0; tick <= kTiles; ++tick) {
        for (int i = 0; i < kTiles; ++i) {
            const HWND tile = menu.WidgetWindow("Image1_" + std::to_string(i));
            EXPECT_EQ(Shown(tile), i < tick) << "tile " << i << " after " << tick << " ticks";
            EXPECT_EQ(WindowText(tile), title[i]);
        }
        for (const char* button : buttons) EXPECT_FALSE(Shown(menu.WidgetWindow(button))) << button;
        SendMessageW(menu.Handle(), WM_TIMER, 1, 0);
    }
    EXPECT_EQ(program->Core().Menu()->RevealCounter(), kTiles);
    EXPECT_TRUE(Shown(menu.WidgetWindow("Command1")));
    EXPECT_TRUE(Shown(menu.WidgetWindow("Command2")));
    EXPECT_TRUE(Shown(menu.WidgetWindow("Command3")));
    EXPECT_FALSE(Shown(menu.WidgetWindow("Command4")));
    EXPECT_EQ(WindowText(menu.WidgetWindow("Command3")), L"開始");
    // Later ticks change nothing: the timer has stopped for good.
    SendMessageW(menu.Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(program->Core().Menu()->RevealCounter(), kTiles);
    EXPECT_EQ(terminations, 0);
    // The quit button ends the program.
    SendMessageW(menu.WidgetWindow("Command1"), BM_CLICK, 0, 0);
    EXPECT_EQ(terminations, 1);
}

TEST_F(Menu, ExplanationPanelThenTheStart) {
    Open();
    FormWindow& menu = Window(appcore::FormId::Menu);
    for (int tick = 0; tick <= kTiles; ++tick) SendMessageW(menu.Handle(), WM_TIMER, 1, 0);
    Pump();
    EXPECT_EQ(GetFocus(), menu.WidgetWindow("Command3")) << "start takes the focus";

    SendMessageW(menu.WidgetWindow("Command2"), BM_CLICK, 0, 0);
    EXPECT_TRUE(Shown(menu.WidgetWindow("Label1")));
    EXPECT_TRUE(Shown(menu.WidgetWindow("Label2")));
    EXPECT_TRUE(Shown(menu.WidgetWindow("Command4")));
    for (const char* hidden : {"Command1", "Command2", "Command3"})
        EXPECT_FALSE(Shown(menu.WidgetWindow(hidden))) << hidden;
    EXPECT_EQ(GetFocus(), menu.WidgetWindow("Command4"));

    SendMessageW(menu.WidgetWindow("Command4"), BM_CLICK, 0, 0);
    EXPECT_FALSE(Shown(menu.WidgetWindow("Label1")));
    EXPECT_FALSE(Shown(menu.WidgetWindow("Command4")));
    EXPECT_EQ(GetFocus(), menu.WidgetWindow("Command2"));

    // Tab walks the visible buttons in their order and wraps; Shift+Tab back.
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), menu.WidgetWindow("Command3"));
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), menu.WidgetWindow("Command1"));

    // The start closes the menu and opens the game window.
    SendMessageW(menu.WidgetWindow("Command3"), BM_CLICK, 0, 0);
    EXPECT_EQ(program->Shell().Window(appcore::FormId::Menu), nullptr);
    ASSERT_NE(program->Shell().Window(appcore::FormId::Game), nullptr);
    EXPECT_EQ(WindowText(Window(appcore::FormId::Game).Handle()), L"ソルベリア");
    EXPECT_EQ(terminations, 0);
}

TEST_F(Menu, AnEmptyExplanationEndsTheLoad) {
    folder.Write("\\問題\\setumei.txt", "");
    EXPECT_THROW(Open(), FatalError);
}

using Hint = Program;

TEST_F(Hint, ItsBackButtonClosesIt) {
    Open();
    program->Core().Pressed(appcore::FormId::Menu, "Command3");
    program->Core().Pressed(appcore::FormId::Game, "Command3");
    ASSERT_NE(program->Shell().Window(appcore::FormId::Hint), nullptr);
    FormWindow& hint = Window(appcore::FormId::Hint);
    EXPECT_EQ(WindowText(hint.Handle()), L"ヒント");
    const Dpi dpi = DpiOfWindow(hint.Handle());
    EXPECT_EQ(ClientSize(hint.Handle()).cx, dpi.FromPixels(765));
    EXPECT_EQ(ClientSize(hint.Handle()).cy, dpi.FromPixels(448));
    EXPECT_EQ(WindowText(hint.WidgetWindow("Command1")), L"戻る");
    Pump();
    EXPECT_EQ(GetFocus(), hint.WidgetWindow("Command1"));
    SendMessageW(hint.WidgetWindow("Command1"), BM_CLICK, 0, 0);
    EXPECT_EQ(program->Shell().Window(appcore::FormId::Hint), nullptr);
    EXPECT_NE(program->Shell().Window(appcore::FormId::Game), nullptr);
}

}  // namespace
}  // namespace soruberia::windows
