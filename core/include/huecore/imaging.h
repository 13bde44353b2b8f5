// Imaging of the label engine: the exception for failed system calls, and
// multi-image icons loaded from .ico files or program files, tinted with a
// label colour and written as .ico files.
#pragma once

#include <huecore/export.h>

#include <exception>
#include <iosfwd>
#include <vector>

// A failed system call: carries the Win32 error code (or the HRESULT of a
// failed COM call) and gives the system's message for it.
class HUECORE_API winerror : public std::exception {
public:
    // The calling thread's last error (GetLastError) at construction.
    winerror();
    explicit winerror(unsigned long code);
    winerror(const winerror& other);
    winerror& operator=(const winerror& other);
    ~winerror() override;

    // The system's message text for code, as the system gives it (with its
    // line break), or the empty string when the system has none. Valid as
    // long as this object.
    const char* what() const noexcept override;

    unsigned long code;

private:
    mutable char message_[512];
};

namespace huecore {
class IconImage;
}

// A multi-image icon, held as the raw bytes of its images in stored order.
// Loading fails with winerror (ERROR_INVALID_DATA for a malformed file or
// resource) or std::bad_alloc and leaves nothing behind.
class HUECORE_API Icon {
public:
    // Every image of an .ico file.
    explicit Icon(const char* icoPath);
    // Every image of the icon group at position index (from 0, in the
    // system's enumeration order) of a program file or library; a position
    // outside the groups fails with winerror(ERROR_NOT_FOUND).
    Icon(const char* modulePath, int index);
    virtual ~Icon();
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    int imageCount() const;
    // Moves every opaque pixel of every image toward colour (a COLORREF) by
    // strength / 256 of the distance.
    void tint(unsigned long colour, unsigned char strength);
    // Writes the icon in the .ico format; stream errors stay in the stream.
    void write(std::ostream& out) const;
    // Where image i's data lies in the written file.
    unsigned long imageOffset(int i) const;

private:
    std::vector<huecore::IconImage> images_;
};
