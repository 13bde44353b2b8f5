#include "png_tint.h"

#include <wincodec.h>

#include <huecore/imaging.h>

#include <hue/handles.h>

#include "dib.h"
#include "errors.h"

#include <cstring>

namespace huecore {

namespace {

// The Win32 code inside an HRESULT made from one, else the HRESULT itself.
[[noreturn]] void throwHresult(HRESULT hr) {
    if (HRESULT_FACILITY(hr) == FACILITY_WIN32)
        throw winerror(HRESULT_CODE(hr));
    if (hr == E_OUTOFMEMORY)
        throwBadAllocation();
    throw winerror(static_cast<unsigned long>(hr));
}

void check(HRESULT hr) {
    if (FAILED(hr))
        throwHresult(hr);
}

hue::ComPtr<IWICImagingFactory> createFactory() {
    hue::ComPtr<IWICImagingFactory> factory;
    check(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IWICImagingFactory, factory.putVoid()));
    return factory;
}

} // namespace

BgraImage decodePng(const std::vector<std::uint8_t>& png) {
    const hue::ComScope com;
    const auto factory = createFactory();
    hue::ComPtr<IWICStream> stream;
    check(factory->CreateStream(stream.put()));
    check(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()),
                                       static_cast<DWORD>(png.size())));
    hue::ComPtr<IWICBitmapDecoder> decoder;
    check(factory->CreateDecoderFromStream(stream.get(), &GUID_ContainerFormatPng,
                                           WICDecodeMetadataCacheOnDemand, decoder.put()));
    hue::ComPtr<IWICBitmapFrameDecode> frame;
    check(decoder->GetFrame(0, frame.put()));
    hue::ComPtr<IWICFormatConverter> converter;
    check(factory->CreateFormatConverter(converter.put()));
    check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom));
    BgraImage image;
    check(converter->GetSize(&image.width, &image.height));
    const UINT stride = image.width * 4;
    image.pixels.resize(static_cast<std::size_t>(stride) * image.height);
    check(converter->CopyPixels(nullptr, stride, static_cast<UINT>(image.pixels.size()),
                                image.pixels.data()));
    return image;
}

std::vector<std::uint8_t> encodePng(const BgraImage& image) {
    const hue::ComScope com;
    const auto factory = createFactory();
    hue::ComPtr<IStream> stream;
    check(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()));
    hue::ComPtr<IWICBitmapEncoder> encoder;
    check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()));
    check(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache));
    hue::ComPtr<IWICBitmapFrameEncode> frame;
    check(encoder->CreateNewFrame(frame.put(), nullptr));
    check(frame->Initialize(nullptr));
    check(frame->SetSize(image.width, image.height));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    check(frame->SetPixelFormat(&format));
    if (!IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA))
        throw winerror(static_cast<unsigned long>(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT));
    const UINT stride = image.width * 4;
    check(frame->WritePixels(image.height, stride, static_cast<UINT>(image.pixels.size()),
                             const_cast<BYTE*>(image.pixels.data())));
    check(frame->Commit());
    check(encoder->Commit());

    STATSTG stat{};
    check(stream->Stat(&stat, STATFLAG_NONAME));
    std::vector<std::uint8_t> png(static_cast<std::size_t>(stat.cbSize.QuadPart));
    check(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    ULONG read = 0;
    check(stream->Read(png.data(), static_cast<ULONG>(png.size()), &read));
    if (read != png.size())
        throw winerror(ERROR_READ_FAULT);
    return png;
}

std::vector<std::uint8_t> tintPng(const std::vector<std::uint8_t>& png, COLORREF colour,
                                  BYTE strength) {
    BgraImage image = decodePng(png);

    const BYTE blue = GetBValue(colour);
    const BYTE green = GetGValue(colour);
    const BYTE red = GetRValue(colour);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        BYTE* pixel = &image.pixels[i];
        if (pixel[3] == 0)
            continue; // fully transparent
        pixel[0] = tintComponent(pixel[0], blue, strength);
        pixel[1] = tintComponent(pixel[1], green, strength);
        pixel[2] = tintComponent(pixel[2], red, strength);
    }
    return encodePng(image);
}

} // namespace huecore
