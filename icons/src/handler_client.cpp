#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>
#include <shellapi.h>

#include <hueicons/handler_client.h>

#include <hue/handles.h>

#include "path_parts.h"

#include <cstring>

namespace {

constexpr UINT ICON_FILE_CHARS = MAX_PATH;
// Class context of the handler object: in-process server, in-process
// handler and local server.
constexpr DWORD HANDLER_CONTEXT =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// A BSTR owned until it goes.
class WideString {
public:
    // The text converted with the thread's ANSI code page; null stays null.
    // Throws comerror(E_OUTOFMEMORY) when it cannot be allocated.
    explicit WideString(const char* text) {
        if (text == nullptr)
            return;
        const int length = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
        if (length <= 0)
            return;
        value_ = ::SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
        if (value_ == nullptr)
            throw comerror(E_OUTOFMEMORY);
        ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, value_, length);
    }
    ~WideString() { ::SysFreeString(value_); }
    WideString(const WideString&) = delete;
    WideString& operator=(const WideString&) = delete;

    BSTR get() const { return value_; }
    BSTR release() {
        BSTR value = value_;
        value_ = nullptr;
        return value;
    }

private:
    BSTR value_ = nullptr;
};

BSTR copyString(BSTR text) {
    if (text == nullptr)
        return nullptr;
    BSTR copy = ::SysAllocStringLen(text, ::SysStringLen(text));
    if (copy == nullptr)
        throw comerror(E_OUTOFMEMORY);
    return copy;
}

template <typename T> void addRef(T* p) {
    if (p != nullptr)
        p->AddRef();
}
template <typename T> void release(T*& p) {
    if (p != nullptr)
        p->Release();
    p = nullptr;
}

// Whether `bytes` bytes from `start` may be written: committed pages with a
// writable protection, and no guard page. Asks the memory manager instead of
// touching the memory, so that a guard page of a thread's stack is never set
// off.
bool isWritable(void* start, SIZE_T bytes) {
    if (start == nullptr)
        return false;
    auto* at = static_cast<BYTE*>(start);
    BYTE* const end = at + bytes;
    while (at < end) {
        MEMORY_BASIC_INFORMATION region;
        if (::VirtualQuery(at, &region, sizeof region) == 0 || region.State != MEM_COMMIT)
            return false;
        const DWORD writable =
            PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        if ((region.Protect & writable) == 0 || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)))
            return false;
        at = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

} // namespace

IconHandlerClient::IconHandlerClient(const char* text)
    : clsid(WideString(text).release()), iconExtractor(nullptr), persistFile(nullptr) {}

IconHandlerClient::IconHandlerClient(const IconHandlerClient& other)
    : clsid(copyString(other.clsid)), iconExtractor(other.iconExtractor),
      persistFile(other.persistFile) {
    addRef(iconExtractor);
    addRef(persistFile);
}

IconHandlerClient& IconHandlerClient::operator=(const IconHandlerClient& other) {
    if (this == &other)
        return *this;
    if (clsid != other.clsid) {
        ::SysFreeString(clsid);
        clsid = nullptr;
        clsid = copyString(other.clsid);
    }
    addRef(other.iconExtractor);
    addRef(other.persistFile);
    release(iconExtractor);
    release(persistFile);
    iconExtractor = other.iconExtractor;
    persistFile = other.persistFile;
    return *this;
}

IconHandlerClient::~IconHandlerClient() {
    release(iconExtractor);
    release(persistFile);
    ::SysFreeString(clsid);
}

bool IconHandlerClient::connect() {
    CLSID id;
    if (clsid == nullptr || FAILED(::CLSIDFromString(clsid, &id)))
        return false;
    hue::ComPtr<IUnknown> object;
    if (FAILED(::CoCreateInstance(id, nullptr, HANDLER_CONTEXT, IID_IUnknown, object.putVoid())))
        return false;
    release(iconExtractor);
    release(persistFile);
    if (FAILED(object->QueryInterface(IID_IExtractIconA, reinterpret_cast<void**>(&iconExtractor))))
        return false;
    return SUCCEEDED(
        object->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persistFile)));
}

bool IconHandlerClient::getIconInfo(const char* path, DWORD sizes, HICON& large, HICON& small,
                                    char* iconFile, int& index) {
    small = nullptr;
    large = nullptr;
    if (!isWritable(iconFile, ICON_FILE_CHARS))
        return false;
    std::memset(iconFile, 0, ICON_FILE_CHARS);
    index = 0;
    if (persistFile == nullptr || iconExtractor == nullptr)
        return false;

    const WideString widePath(path);
    if (FAILED(persistFile->Load(widePath.get(), STGM_READ)))
        return false;
    UINT flags = 0;
    if (FAILED(iconExtractor->GetIconLocation(GIL_FORSHELL, iconFile, ICON_FILE_CHARS, &index,
                                              &flags)))
        return false;
    iconFile[ICON_FILE_CHARS - 1] = '\0';
    if (iconFile[0] == '\0' || (flags & GIL_NOTFILENAME)) {
        // Extract puts the icon of the low word's size in its large-icon
        // position: small goes there, so that each lands where it belongs.
        return SUCCEEDED(
            iconExtractor->Extract(iconFile, static_cast<UINT>(index), &small, &large, sizes));
    }
    return ::GetFileAttributesA(iconFile) != INVALID_FILE_ATTRIBUTES;
}

HICON IconHandlerClient::icon(const char* path) {
    if (persistFile == nullptr || iconExtractor == nullptr)
        return nullptr;
    const WideString widePath(path);
    if (FAILED(persistFile->Load(widePath.get(), STGM_READ)))
        return nullptr;
    char location[ICON_FILE_CHARS] = {};
    int index = 0;
    UINT flags = 0;
    if (FAILED(iconExtractor->GetIconLocation(0, location, ICON_FILE_CHARS, &index, &flags)))
        return nullptr;
    location[ICON_FILE_CHARS - 1] = '\0';
    HICON result = nullptr;
    if (location[0] != '\0' && !(flags & GIL_NOTFILENAME)) {
        ::ExtractIconExA(location, index, &result, nullptr, 1);
    } else {
        HICON other = nullptr;
        iconExtractor->Extract(location, static_cast<UINT>(index), &result, &other, 0x00200010);
        if (other != nullptr)
            ::DestroyIcon(other);
    }
    return result;
}

bool IconHandlerClient::isShortcut(const char* path) {
    return path != nullptr &&
           hueicons::equalIgnoringCase(hueicons::splitPath(path).extension, ".lnk");
}
