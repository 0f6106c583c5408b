#include "runtime/platform.h"

namespace netedit::platform {

IoResult ReadToSize(Handle handle, std::string data, std::string& bytes) {
    std::size_t filled = 0;
    IoResult code = IoResult::Ok;
    while (filled < data.size()) {
        std::size_t got = 0;
        code = InjectedFailure() ? IoResult::DeviceError
                                 : ReadSome(handle, data.data() + filled, data.size() - filled, got);
        if (code != IoResult::Ok || got == 0) {
            break;
        }
        filled += got;
    }
    data.resize(filled);
    if (code == IoResult::Ok) {
        bytes = std::move(data);
    }
    return code;
}

} // namespace netedit::platform
