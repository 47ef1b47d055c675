#pragma once
// Data exchange between a dialog's fields and its controls.

#include <string>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    // true: controls to fields; false: fields to controls.
    bool m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Exchanges value with the text of control id. A missing control throws
// CNotSupportedException: the template and the code disagree.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
