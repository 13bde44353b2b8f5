#include "icon_png.h"

#include <wincodec.h>

#include <hue/handles.h>

#include <vector>

namespace huelabel {

namespace {

// The colour and mask bitmaps of an icon, deleted when it goes.
struct IconBitmaps {
    explicit IconBitmaps(HICON icon) {
        ICONINFO info{};
        ok = ::GetIconInfo(icon, &info) != FALSE;
        color.reset(info.hbmColor);
        mask.reset(info.hbmMask);
    }
    bool ok;
    hue::UniqueBitmap color, mask;
};

// The rows of a bitmap as 32-bit top-down pixels.
bool readPixels(HBITMAP bitmap, int width, int height, std::vector<BYTE>& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.assign(static_cast<std::size_t>(width) * height * 4, 0);
    const hue::WindowDc screen;
    return ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                       DIB_RGB_COLORS) == height;
}

// BGRA pixels of an icon: its own alpha where it has one, else opaque where
// the AND mask is clear.
HRESULT iconPixels(HICON icon, UINT& size, std::vector<BYTE>& bgra) {
    const IconBitmaps bitmaps(icon);
    if (!bitmaps.ok || !bitmaps.color)
        return E_INVALIDARG;
    BITMAP colorInfo{};
    if (!::GetObjectA(bitmaps.color.get(), sizeof colorInfo, &colorInfo))
        return E_FAIL;
    const int width = colorInfo.bmWidth, height = colorInfo.bmHeight;
    std::vector<BYTE> mask;
    if (!readPixels(bitmaps.color.get(), width, height, bgra) ||
        !readPixels(bitmaps.mask.get(), width, height, mask))
        return E_FAIL;
    bool hasAlpha = false;
    for (std::size_t i = 3; i < bgra.size() && !hasAlpha; i += 4)
        hasAlpha = bgra[i] != 0;
    if (!hasAlpha) {
        for (std::size_t i = 0; i < bgra.size(); i += 4)
            bgra[i + 3] = mask[i] == 0 ? 0xFF : 0x00;
    }
    size = static_cast<UINT>(width);
    return height == width ? S_OK : E_INVALIDARG;
}

} // namespace

HRESULT saveIconPng(HICON icon, const char* path) {
    UINT size = 0;
    std::vector<BYTE> bgra;
    HRESULT hr = iconPixels(icon, size, bgra);
    if (FAILED(hr))
        return hr;

    wchar_t widePath[MAX_PATH] = {};
    if (!::MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH))
        return HRESULT_FROM_WIN32(::GetLastError());

    hue::ComPtr<IWICImagingFactory> factory;
    hue::ComPtr<IWICStream> stream;
    hue::ComPtr<IWICBitmapEncoder> encoder;
    hue::ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (FAILED(hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWICImagingFactory, factory.putVoid())) ||
        FAILED(hr = factory->CreateStream(stream.put())) ||
        FAILED(hr = stream->InitializeFromFilename(widePath, GENERIC_WRITE)) ||
        FAILED(hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) ||
        FAILED(hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(hr = encoder->CreateNewFrame(frame.put(), nullptr)) ||
        FAILED(hr = frame->Initialize(nullptr)) || FAILED(hr = frame->SetSize(size, size)) ||
        FAILED(hr = frame->SetPixelFormat(&format)))
        return hr;
    if (!IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA))
        return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (FAILED(
            hr = frame->WritePixels(size, size * 4, static_cast<UINT>(bgra.size()), bgra.data())) ||
        FAILED(hr = frame->Commit()) || FAILED(hr = encoder->Commit()))
        return hr;
    return S_OK;
}

} // namespace huelabel
