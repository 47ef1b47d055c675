#pragma once
// String-table ids by name, from the one definition of the table.

enum StringId : unsigned {
#define STRING(name, id, text) name = id,
#include "res/strings.def"
#undef STRING
};
