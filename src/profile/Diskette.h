#pragma once
// CDiskette: one diskette of the install set (section "diskettes"). The label
// only names it in the prompt; a diskette is recognised by its files.

#include <string>

struct CDiskette {
    std::string m_strLabel;
    std::string m_strText1;
};
