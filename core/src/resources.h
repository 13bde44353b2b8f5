// Resources of a program file or library loaded as a data file. Every failed
// system call throws winerror.
#pragma once

#include <windows.h>

#include <hue/handles.h>

#include <string>
#include <vector>

namespace huecore {

// A resource name: an integer identifier or a string.
class ResourceName {
public:
    // Copies a string name; an integer name (high 16 bits clear) is kept as
    // its identifier.
    explicit ResourceName(LPCSTR name);
    // The name as the resource functions take it; valid while this object
    // lives.
    LPCSTR get() const;

private:
    std::string text_;
    DWORD id_ = 0;
};

// A module loaded as a data file; freed when the object goes.
class ResourceModule {
public:
    explicit ResourceModule(const char* path);
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    HRSRC find(LPCSTR name, LPCSTR type) const;
    HGLOBAL load(HRSRC resource) const;
    // The resource's size in bytes; 0 is not an error.
    DWORD size(HRSRC resource) const;
    // Appends every name of resource type `type`, in the system's order, and
    // returns the list's length.
    int enumNames(LPCSTR type, std::vector<ResourceName>& names) const;
    // The name at position index; winerror(ERROR_NOT_FOUND) when there is
    // none.
    ResourceName nameAt(LPCSTR type, unsigned index) const;

private:
    hue::UniqueModule module_;
};

// One found and loaded resource of a module, which must outlive it.
class ResourceItem {
public:
    ResourceItem(const ResourceModule& module, LPCSTR name, LPCSTR type);
    virtual ~ResourceItem();

    DWORD size() const;
    const void* lock() const;

private:
    const ResourceModule& module_;
    HRSRC resource_;
    HGLOBAL loaded_;
};

} // namespace huecore
