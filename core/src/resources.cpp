#include "resources.h"

#include <huecore/imaging.h>

#include "errors.h"

namespace huecore {

ResourceName::ResourceName(LPCSTR name) {
    if (IS_INTRESOURCE(name))
        id_ = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(name));
    else
        text_ = name;
}

LPCSTR ResourceName::get() const {
    return text_.empty() ? MAKEINTRESOURCEA(id_) : text_.c_str();
}

ResourceModule::ResourceModule(const char* path)
    : module_(::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
    if (!module_)
        throw winerror();
}

HRSRC ResourceModule::find(LPCSTR name, LPCSTR type) const {
    HRSRC resource = ::FindResourceA(module_.get(), name, type);
    if (resource == nullptr)
        throw winerror();
    return resource;
}

HGLOBAL ResourceModule::load(HRSRC resource) const {
    HGLOBAL loaded = ::LoadResource(module_.get(), resource);
    if (loaded == nullptr)
        throw winerror();
    return loaded;
}

DWORD ResourceModule::size(HRSRC resource) const {
    return ::SizeofResource(module_.get(), resource);
}

namespace {

struct NameCollection {
    std::vector<ResourceName>* names;
    bool outOfMemory;
};

BOOL CALLBACK collectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    // The name is valid only during the callback: ResourceName copies it.
    // An allocation failure must not unwind through the system's frames: it
    // ends the enumeration and is raised once the system has returned.
    auto* collection = reinterpret_cast<NameCollection*>(param);
    try {
        collection->names->emplace_back(name);
        return TRUE;
    } catch (const std::bad_alloc&) {
        collection->outOfMemory = true;
        return FALSE;
    }
}

} // namespace

int ResourceModule::enumNames(LPCSTR type, std::vector<ResourceName>& names) const {
    NameCollection collection{&names, false};
    // A module without resources of the type leaves the list as it was.
    ::EnumResourceNamesA(module_.get(), type, collectName, reinterpret_cast<LONG_PTR>(&collection));
    if (collection.outOfMemory)
        throwBadAllocation();
    return static_cast<int>(names.size());
}

ResourceName ResourceModule::nameAt(LPCSTR type, unsigned index) const {
    std::vector<ResourceName> names;
    enumNames(type, names);
    if (index >= names.size())
        throw winerror(ERROR_NOT_FOUND);
    return names[index];
}

ResourceItem::ResourceItem(const ResourceModule& module, LPCSTR name, LPCSTR type)
    : module_(module), resource_(module.find(name, type)), loaded_(module.load(resource_)) {}

ResourceItem::~ResourceItem() = default;

DWORD ResourceItem::size() const {
    return module_.size(resource_);
}

const void* ResourceItem::lock() const {
    const void* data = ::LockResource(loaded_);
    if (data == nullptr)
        throw winerror();
    return data;
}

} // namespace huecore
