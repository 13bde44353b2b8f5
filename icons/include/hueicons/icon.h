// Icon handles with one owner, and tinting an icon with a label colour
// through raster operations.
#pragma once

#include <windows.h>

#include <hueicons/export.h>

// Owns one icon handle and destroys it once, when it lets go of it. Not
// copyable: an icon has exactly one owning IconObj.
class HUEICONS_API IconObj {
public:
    IconObj();
    explicit IconObj(HICON hIcon);
    ~IconObj();
    IconObj(const IconObj&) = delete;
    IconObj& operator=(const IconObj&) = delete;

    // Destroys the held icon (unless it is hIcon itself) and holds hIcon.
    void assign(HICON hIcon);
    // Gives up the icon without destroying it; the caller owns it.
    HICON detach();
    // GetIconInfo of the held icon; the caller deletes the two bitmaps.
    bool getInfo(ICONINFO& info);
    // Destroys the held icon and holds a new one made from info's bitmaps
    // (which stay the caller's); true when it was made.
    bool replace(ICONINFO& info);
    HICON handle() const;

private:
    HICON iconHandle;
};

// Tints an icon with a colour through two raster operations on its colour
// bitmap, guided by its mask. The modder does not own the icon: destroying
// it leaves the icon it holds (the tinted one after label) to the caller.
// Not copyable, so that two modders never replace, and destroy, one icon.
class HUEICONS_API IconModder {
public:
    explicit IconModder(HICON hIcon);
    ~IconModder();
    IconModder(const IconModder&) = delete;
    IconModder& operator=(const IconModder&) = delete;

    void setRop(DWORD maskRop, DWORD paintRop);
    // Tints the held icon with color (a COLORREF); the modder then holds the
    // tinted icon in its place and the untinted one is destroyed.
    void label(COLORREF color);
    HICON handle() const;

private:
    void tint(ICONINFO& info, COLORREF color) const;

    IconObj icon;
    DWORD maskRop;
    DWORD paintRop;
};
