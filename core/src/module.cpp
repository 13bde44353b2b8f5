#include "module.h"

namespace huecore {

namespace {
HINSTANCE module = nullptr;
}

HINSTANCE libraryModule() {
    return module;
}
void setLibraryModule(HINSTANCE instance) {
    module = instance;
}

} // namespace huecore
