// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/LayoutJson.h"

#include <cstdio>
#include <string_view>

#include "appcore/Shell.h"
#include "layout/Form.h"
#include "web/Json.h"

namespace soruberia::web {

namespace {

std::string Colour(const layout::Colour& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return JsonString(text);
}

std::string Font(const layout::Font& font) {
    return "{\"face\":" + JsonString(font.family) +
           ",\"px\":" + std::to_string(layout::PointsToPixels(font.points)) +
           ",\"bold\":" + (font.bold ? "true" : "false") + '}';
}

std::string Picture(std::string_view picture) {
    const auto dot = picture.rfind('.');
    return JsonString(dot == std::string_view::npos ? picture : picture.substr(0, dot));
}

std::string_view Kind(layout::Kind kind) {
    switch (kind) {
        case layout::Kind::Label: return "label";
        case layout::Kind::PictureBox: return "picture";
        case layout::Kind::PushButton: return "button";
        case layout::Kind::Timer: return "timer";
    }
    return "timer";
}

std::string Widget(const layout::Form& form, const layout::Widget& widget) {
    const layout::PixelRect box = layout::ToPixels(widget.box);
    const layout::Font& font = widget.font.family.empty() ? form.font : widget.font;
    std::string out = "{\"name\":" + JsonString(widget.name) + ",\"kind\":\"" +
                      std::string(Kind(widget.kind)) + '"';
    out += ",\"left\":" + std::to_string(box.x) + ",\"top\":" + std::to_string(box.y) +
           ",\"width\":" + std::to_string(box.width) + ",\"height\":" + std::to_string(box.height);
    out += ",\"picture\":" + Picture(widget.picture);
    out += std::string(",\"visible\":") + (widget.visible ? "true" : "false");
    out += std::string(",\"stretch\":") + (widget.stretch ? "true" : "false");
    out += ",\"font\":" + Font(font) + ",\"text\":" + Colour(widget.text) +
           ",\"ground\":" + Colour(widget.ground);
    out += std::string(",\"align\":\"") + (widget.align == layout::Align::Centre ? "centre" : "left") + '"';
    out += ",\"accessibleName\":" + JsonString(widget.accessibleName) +
           ",\"accessibleDescription\":" + JsonString(widget.accessibleDescription);
    out += std::string(",\"announced\":") + (widget.announced ? "true" : "false");
    out += ",\"tabIndex\":" + std::to_string(widget.tabIndex);
    out += ",\"intervalMs\":" + std::to_string(widget.intervalMs);
    return out + '}';
}

std::string Form(const layout::Form& form) {
    std::string out = "{\"name\":" + JsonString(form.name) + ",\"caption\":" + JsonString(form.caption) +
                      ",\"width\":" + std::to_string(form.clientWidth) +
                      ",\"height\":" + std::to_string(form.clientHeight) +
                      ",\"colour\":" + (form.colour ? Colour(*form.colour) : std::string("null")) +
                      ",\"background\":" + Picture(form.background) + ",\"font\":" + Font(form.font) +
                      ",\"widgets\":[";
    bool first = true;
    for (const layout::Widget& widget : form.widgets) {
        if (!first) out += ',';
        first = false;
        out += Widget(form, widget);
    }
    return out + "]}";
}

}  // namespace

std::string LayoutJson() {
    std::string out = "[";
    for (const appcore::FormId id : appcore::kForms) {
        if (out.size() > 1) out += ',';
        out += Form(appcore::FormOf(id));
    }
    return out + ']';
}

std::string WidgetJson(const layout::Form& form, std::string_view widgetName) {
    const layout::Widget* widget = layout::Find(form, widgetName);
    return widget ? Widget(form, *widget) : "null";
}

}  // namespace soruberia::web
