#include "toolkit/ui/win32/native_picture_win32.h"

#include <wincodec.h>

#include <utility>

#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/redraw_pacer.h"

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (pointer_)
            pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return pointer_; }
    T* get() const { return pointer_; }
    T** out() { return &pointer_; }

private:
    T* pointer_ = nullptr;
};

// The first frame converted to 32-bit premultiplied BGRA, copied into a top-down DIB.
HBITMAP decodeToBitmap(const std::wstring& fileName, UINT& width, UINT& height) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))) ||
        FAILED(factory->CreateDecoderFromFilename(fileName.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) ||
        FAILED(factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap)
        return nullptr;
    const UINT stride = width * 4;
    if (FAILED(
            converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

LRESULT CALLBACK pictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        if (auto* box = reinterpret_cast<NativePictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            box->paint(dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

std::shared_ptr<const Picture> loadNativePicture(const std::string& fileName) {
    UINT width = 0;
    UINT height = 0;
    HBITMAP bitmap = decodeToBitmap(widen(fileName), width, height);
    if (!bitmap)
        return nullptr;
    return std::make_shared<NativePicture>(bitmap, static_cast<int>(width),
                                           static_cast<int>(height));
}

const wchar_t* pictureBoxClass() {
    static const wchar_t* const name = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = pictureBoxProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = L"ConfigReportPictureBox";
        RegisterClassW(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

NativePictureBox::NativePictureBox(HWND hwnd) : Win32Control(hwnd) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

float NativePictureBox::ScaleWidth() const {
    RECT client;
    GetClientRect(hwnd(), &client);
    return static_cast<float>(client.right) * 96 / static_cast<float>(dpiOf(hwnd()));
}

float NativePictureBox::ScaleHeight() const {
    RECT client;
    GetClientRect(hwnd(), &client);
    return static_cast<float>(client.bottom) * 96 / static_cast<float>(dpiOf(hwnd()));
}

void NativePictureBox::setPicture(std::shared_ptr<const Picture> picture) {
    layers_.reset(std::move(picture));
    InvalidateRect(hwnd(), nullptr, TRUE);
    RedrawPacer::markWindowChanged();
}

void NativePictureBox::PaintPicture(std::shared_ptr<const Picture> picture, float x, float y,
                                    float width, float height) {
    layers_.paint({std::move(picture), x, y, width, height});
    InvalidateRect(hwnd(), nullptr, TRUE);
    RedrawPacer::markWindowChanged();
}

void NativePictureBox::setAppearance(int appearance) {
    LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    style = appearance == kAppearance3D ? style | WS_EX_CLIENTEDGE : style & ~WS_EX_CLIENTEDGE;
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, style);
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawPacer::markWindowChanged();
}

void NativePictureBox::paint(HDC dc) const {
    const float scale = static_cast<float>(dpiOf(hwnd())) / 96;
    HDC source = CreateCompatibleDC(dc);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    for (const PictureLayer& layer : layers_.layers()) {
        const auto* picture = dynamic_cast<const NativePicture*>(layer.picture.get());
        if (!picture)
            continue;
        HGDIOBJ previous = SelectObject(source, picture->bitmap());
        AlphaBlend(dc, static_cast<int>(layer.x * scale), static_cast<int>(layer.y * scale),
                   static_cast<int>(layer.width * scale), static_cast<int>(layer.height * scale),
                   source, 0, 0, picture->pixelWidth(), picture->pixelHeight(), blend);
        SelectObject(source, previous);
    }
    DeleteDC(source);
}
