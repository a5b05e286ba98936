// The Program Manager's command parser over any client's text: what it accepts
// reads back the same when written out again with every argument quoted.
#include "tests/fuzz/fuzz_fields.h"
#include "tools/progman/progman_commands.h"

#include <cstdlib>

namespace {

// The longest command text the server takes from a client.
constexpr size_t kLongestText = 8192;

std::string Written(const std::vector<ProgmanCommand>& commands) {
    std::string text;
    for (const ProgmanCommand& command : commands) {
        text += "[" + command.name;
        for (size_t i = 0; i < command.args.size(); ++i) text += (i ? ",\"" : "(\"") + command.args[i] + "\"";
        text += command.args.empty() ? "]" : ")]";
    }
    return text;
}

bool Same(const std::vector<ProgmanCommand>& a, const std::vector<ProgmanCommand>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].args != b[i].args) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ProgmanCommand> commands;
    if (!ParseProgmanCommands(text, &commands)) {
        if (!commands.empty()) std::abort();
        return 0;
    }
    std::string again = Written(commands);
    std::vector<ProgmanCommand> reread;
    // Quotes add two characters an argument, which may pass the size limit.
    if (again.size() <= kLongestText && (!ParseProgmanCommands(again, &reread) || !Same(commands, reread)))
        std::abort();
    return 0;
}
