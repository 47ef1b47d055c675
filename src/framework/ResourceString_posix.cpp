// Where there are no Windows resources, the same table is compiled in.
#include "framework/ResourceString.h"

namespace {

struct StringEntry {
    unsigned id;
    const char* text;
};

const StringEntry kStringTable[] = {
#define STRING(name, id, text) {id, text},
#include "res/strings.def"
#undef STRING
};

}  // namespace

bool LoadResourceString(unsigned id, std::string& out)
{
    for (const StringEntry& entry : kStringTable) {
        if (entry.id == id) {
            out = entry.text;
            return !out.empty();
        }
    }
    out.clear();
    return false;
}
