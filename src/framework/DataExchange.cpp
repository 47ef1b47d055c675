#include "framework/DataExchange.h"

#include <windows.h>

#include <vector>

#include "framework/Exception.h"
#include "framework/Wnd.h"

void DDX_Text(CDataExchange* pDX, int id, std::string& value)
{
    HWND control = GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
    if (control == nullptr)
        AfxThrowNotSupportedException();
    if (!pDX->m_bSaveAndValidate) {
        SetWindowTextA(control, value.c_str());
        return;
    }
    int length = GetWindowTextLengthA(control);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(control, buffer.data(), length + 1);
    value.assign(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}
