// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QPixmap>
#include <QWidget>

#include <string>
#include <string_view>

#include "appcore/FormView.h"
#include "appcore/Shell.h"
#include "ui/FormWidgets.h"

namespace soruberia::appcore {
class App;
}

namespace soruberia::ui {

// One of the program's windows, built from its layout table: it draws what
// the app core sets and forwards its presses, timer ticks and close box to
// the app core by the widgets' layout names. Every widget carries its
// layout name as objectName ("Command1_7", "Label4", "Image1_3", "Timer2").
// Deletes itself on close.
class FormWindow final : public QWidget, public appcore::FormView {
    Q_OBJECT
public:
    FormWindow(appcore::FormId form, appcore::App& app, QWidget* parent = nullptr);
    ~FormWindow() override;

    appcore::FormId Form() const { return form_; }

    // Closes the window without telling the app core, which asked for it.
    void CloseQuietly();

    void SetText(std::string_view widget, const std::string& utf8Text) override;
    void SetPicture(std::string_view widget, engine::PicturePtr picture) override;
    void SetVisible(std::string_view widget, bool visible) override;
    void MoveLeft(std::string_view widget, float twips) override;
    void SetTimer(std::string_view timer, int milliseconds) override;
    void Focus(std::string_view widget) override;
    bool HasFocusedWidget() const override;
    void SetAccessible(std::string_view widget, const std::string& name,
                       const std::string& description) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void StopTimers();

    appcore::FormId form_;
    appcore::App& app_;
    FormWidgets widgets_;
    QPixmap background_;
    bool quiet_ = false;  // closing on the app core's request
};

}  // namespace soruberia::ui
