#include "runtime/messages.h"

#include "runtime/codec.h"

namespace netedit {

std::string Message(std::string_view fixed, std::string_view arg) {
    // Split before encoding, so that the argument's bytes are never taken for a "%s".
    auto mark = fixed.find("%s");
    if (mark == std::string_view::npos) {
        return EncodeCp932(fixed);
    }
    std::string result = EncodeCp932(fixed.substr(0, mark));
    result += arg;
    result += EncodeCp932(fixed.substr(mark + 2));
    return result;
}

} // namespace netedit
