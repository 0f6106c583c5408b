#include "runtime/platform.h"

namespace netedit::platform {

int ReadToSize(Handle handle, std::string& data) {
    std::size_t filled = 0;
    int code = 0;
    while (filled < data.size()) {
        std::size_t got = 0;
        code = ReadSome(handle, data.data() + filled, data.size() - filled, got);
        if (code != 0 || got == 0) {
            break;
        }
        filled += got;
    }
    data.resize(filled);
    return code;
}

} // namespace netedit::platform
