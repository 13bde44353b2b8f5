// Calling a file type's own icon handler, as the shell would, to learn the
// icon a file has without a label.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>

#include <hueicons/export.h>

#include <exception>

// A failed COM allocation (E_OUTOFMEMORY) while making a client's strings.
class HUEICONS_API comerror : public std::exception {
public:
    explicit comerror(long code) : code(code) {}
    const char* what() const noexcept override { return "COM allocation failed"; }
    long code;
};

// A client of one icon handler, named by its class identifier. COM must be
// initialised on the calling thread; the client never initialises it, and is
// used on the thread that connected it.
class HUEICONS_API IconHandlerClient {
public:
    // No COM call is made; a null clsid connects to nothing.
    explicit IconHandlerClient(const char* clsid);
    // A copy holds its own references to the same handler object.
    IconHandlerClient(const IconHandlerClient& other);
    IconHandlerClient& operator=(const IconHandlerClient& other);
    ~IconHandlerClient();

    // Creates the handler object; true when it offers both IExtractIconA and
    // IPersistFile.
    bool connect();
    // For the file path: either the handler's icon file and index (iconFile
    // must hold 260 characters), true when that file exists; or the icons the
    // handler extracted itself (small at the low word of sizes, large at the
    // high word), owned by the caller, true when the handler succeeded.
    bool getIconInfo(const char* path, DWORD sizes, HICON& large, HICON& small, char* iconFile,
                     int& index);
    // One icon for the file path, owned by the caller, or null.
    HICON icon(const char* path);

private:
    friend struct IconHandlerClientInspector; // the tests' view

    static bool isShortcut(const char* path);

    BSTR clsid;
    IExtractIconA* iconExtractor;
    IPersistFile* persistFile;
};
