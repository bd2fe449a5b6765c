// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The least a Windows API program of this kind costs: one fixed window titled
// "floor" with a 641 × 400 client area showing one 640 × 400 picture, compiled
// in as a resource and decoded with WIC, as the game does with its own. The
// Wine start-up bench compares soruberia.exe against it.
#include <windows.h>
#include <wincodec.h>

namespace {

HBITMAP picture = nullptr;

// The picture as a top-down 32-bit DIB section, or null.
HBITMAP DecodePicture() {
    const HRSRC found = FindResourceW(nullptr, L"FLOOR_PICTURE", MAKEINTRESOURCEW(10));  // RT_RCDATA
    const HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    if (loaded == nullptr) return nullptr;
    auto* bytes = static_cast<BYTE*>(LockResource(loaded));
    const DWORD size = SizeofResource(nullptr, found);

    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    HBITMAP bitmap = nullptr;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&factory));
    if (SUCCEEDED(result)) result = factory->CreateStream(&stream);
    if (SUCCEEDED(result)) result = stream->InitializeFromMemory(bytes, size);
    if (SUCCEEDED(result))
        result = factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad, &decoder);
    if (SUCCEEDED(result)) result = decoder->GetFrame(0, &frame);
    if (SUCCEEDED(result)) result = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(result))
        result = converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                       nullptr, 0.0, WICBitmapPaletteTypeCustom);
    UINT width = 0;
    UINT height = 0;
    if (SUCCEEDED(result)) result = converter->GetSize(&width, &height);
    if (SUCCEEDED(result)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = static_cast<LONG>(width);
        info.bmiHeader.biHeight = -static_cast<LONG>(height);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap != nullptr &&
            FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4, static_cast<BYTE*>(bits)))) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    if (converter != nullptr) converter->Release();
    if (frame != nullptr) frame->Release();
    if (decoder != nullptr) decoder->Release();
    if (stream != nullptr) stream->Release();
    if (factory != nullptr) factory->Release();
    return bitmap;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC target = BeginPaint(window, &paint);
        if (picture != nullptr) {
            const HDC source = CreateCompatibleDC(target);
            const HGDIOBJ old = SelectObject(source, picture);
            BitBlt(target, 0, 0, 640, 400, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    picture = DecodePicture();
    if (picture == nullptr) return 1;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"SoruberiaFloor";
    if (RegisterClassW(&windowClass) == 0) return 1;

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 641, 400};
    AdjustWindowRect(&frame, style, FALSE);
    const HWND window = CreateWindowW(L"SoruberiaFloor", L"floor", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                      frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                      nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(picture);
    CoUninitialize();
    return static_cast<int>(message.wParam);
}
