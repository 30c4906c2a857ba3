#include "common/resources.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char ca = a[i] == '\\' ? '/' : a[i];
        const char cb = b[i] == '\\' ? '/' : b[i];
        if (ca != cb) return false;
    }
    return true;
}

}  // namespace

ResourceBytes FindResource(std::string_view name) {
    for (int i = 0; i < ResourceCount; ++i) {
        const ResourceEntry& e = ResourceTable[i];
        if (SameName(e.name, name)) return {e.begin, size_t(e.end - e.begin)};
    }
    return {};
}

std::string_view RequireTextResource(std::string_view name) {
    const ResourceBytes bytes = FindResource(name);
    if (!bytes) {
        std::fprintf(stderr, "orbivore: built-in resource \"%.*s\" is missing\n", int(name.size()), name.data());
        std::exit(1);
    }
    return bytes.Text();
}
