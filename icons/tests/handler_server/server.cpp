// An in-process COM server of icon handlers with known behaviours, for the
// tests of the icon handler client.
#include <windows.h>
#include <shlobj.h>

#include <hue/handles.h>

#include "test_handlers.h"

#include <cstring>
#include <cwchar>
#include <new>

namespace {

enum class Kind { NamesFile, NamesMissing, ExtractsItself, NoPersistFile, FailsLoad };

LONG calls = 0;
LONG liveObjects = 0;
LONG overReleases = 0;

// A square icon of one colour, fully opaque.
HICON solidIcon(int size, COLORREF colour) {
    const hue::WindowDc screen;
    const hue::UniqueBitmap colourBits(::CreateCompatibleBitmap(screen.get(), size, size));
    const hue::UniqueBitmap maskBits(::CreateBitmap(size, size, 1, 1, nullptr));
    const hue::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    const RECT all{0, 0, size, size};
    {
        const hue::SelectGuard selected(dc.get(), colourBits.get());
        const hue::UniqueBrush brush(::CreateSolidBrush(colour));
        ::FillRect(dc.get(), &all, brush.get());
    }
    {
        const hue::SelectGuard selected(dc.get(), maskBits.get());
        ::PatBlt(dc.get(), 0, 0, size, size, BLACKNESS);
    }
    ICONINFO info{TRUE, 0, 0, maskBits.get(), colourBits.get()};
    return ::CreateIconIndirect(&info);
}

class Handler : public IExtractIconA, public IPersistFile {
public:
    explicit Handler(Kind kind) : kind_(kind) { ::InterlockedIncrement(&liveObjects); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IExtractIconA))
            *out = static_cast<IExtractIconA*>(this);
        else if (kind_ != Kind::NoPersistFile &&
                 (IsEqualIID(iid, IID_IPersistFile) || IsEqualIID(iid, IID_IPersist)))
            *out = static_cast<IPersistFile*>(this);
        if (*out == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        if (refs_ <= 0) {
            // Released more often than referenced: the tests look for this.
            ::InterlockedIncrement(&overReleases);
            return 0;
        }
        const LONG refs = ::InterlockedDecrement(&refs_);
        if (refs == 0)
            ::InterlockedDecrement(&liveObjects); // kept in memory to catch over-releases
        return static_cast<ULONG>(refs);
    }

    // IPersist, IPersistFile
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        *id = CLSID_NULL;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR file, DWORD) override {
        ::InterlockedIncrement(&calls);
        if (kind_ == Kind::FailsLoad || file == nullptr)
            return E_FAIL;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

    // IExtractIconA
    HRESULT STDMETHODCALLTYPE GetIconLocation(UINT, LPSTR file, UINT size, int* index,
                                              UINT* flags) override {
        ::InterlockedIncrement(&calls);
        *flags = 0;
        *index = 0;
        switch (kind_) {
        case Kind::NamesFile: {
            char system[MAX_PATH] = {};
            ::GetSystemDirectoryA(system, MAX_PATH);
            ::lstrcpynA(file, system, static_cast<int>(size));
            ::lstrcatA(file, "\\shell32.dll");
            *index = 3;
            return S_OK;
        }
        case Kind::NamesMissing:
            ::lstrcpynA(file, "C:\\no\\such\\folder\\icon.ico", static_cast<int>(size));
            return S_OK;
        default:
            ::lstrcpynA(file, "test handler", static_cast<int>(size));
            *index = 7;
            *flags = GIL_NOTFILENAME;
            return S_OK;
        }
    }
    HRESULT STDMETHODCALLTYPE Extract(LPCSTR, UINT, HICON* large, HICON* small,
                                      UINT sizes) override {
        ::InterlockedIncrement(&calls);
        if (kind_ != Kind::ExtractsItself)
            return S_FALSE; // "extract it yourself"
        if (large != nullptr)
            *large = solidIcon(LOWORD(sizes), RGB(200, 40, 40));
        if (small != nullptr)
            *small = solidIcon(HIWORD(sizes), RGB(40, 40, 200));
        return S_OK;
    }

private:
    LONG refs_ = 1;
    Kind kind_;
};

class Factory : public IClassFactory {
public:
    explicit Factory(Kind kind) : kind_(kind) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
            return E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* handler = new (std::nothrow) Handler(kind_);
        if (handler == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = handler->QueryInterface(iid, out);
        handler->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    Kind kind_;
};

Factory factories[] = {Factory(Kind::NamesFile), Factory(Kind::NamesMissing),
                       Factory(Kind::ExtractsItself), Factory(Kind::NoPersistFile),
                       Factory(Kind::FailsLoad)};

} // namespace

// Exported by name through server.def (no stdcall decoration on i686).
extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    *out = nullptr;
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = {};
        ::MultiByteToWideChar(CP_ACP, 0, testhandlers::ALL[i], -1, text, 64);
        CLSID id;
        if (SUCCEEDED(::CLSIDFromString(text, &id)) && IsEqualCLSID(id, clsid))
            return factories[i].QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return S_FALSE; // stays loaded, so that the tests can read the counters
}

LONG WINAPI TestHandlerCalls() {
    return calls;
}
LONG WINAPI TestHandlerLiveObjects() {
    return liveObjects;
}
LONG WINAPI TestHandlerOverReleases() {
    return overReleases;
}
}
