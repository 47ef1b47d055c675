// A stand-in for Program Manager's DDE server (service and topic "PROGMAN"),
// for tests, which put it where WinExec("progman.exe") looks first or start it
// themselves. Environment variables, inherited from the test:
//   PROGMAN_TEST_LOG     file to which each event is appended as a line:
//                        "start"; an execute command as received (with
//                        " <no zero>" when its data lacked the terminating
//                        zero); "request <item>" (in lower case: item names are
//                        atoms, spelled as first made); "disconnect"
//   PROGMAN_TEST_MODE    "absent": record the start and end without serving
//   PROGMAN_TEST_GROUPS  the answer to a request of item "Progman"
// Serving, it ends with its conversation, or after 20 seconds in any case.

#include <windows.h>

#include <ddeml.h>

#include <cstdio>
#include <string>

namespace {

DWORD g_idInst = 0;
HSZ g_hszProgman = nullptr;

std::string Environment(const char* name)
{
    char buffer[4096];
    DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return length < sizeof buffer ? std::string(buffer, length) : std::string();
}

void Log(const std::string& line)
{
    if (FILE* file = std::fopen(Environment("PROGMAN_TEST_LOG").c_str(), "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

HDDEDATA OnExecute(HDDEDATA data)
{
    std::string bytes(DdeGetData(data, nullptr, 0, 0), '\0');
    DdeGetData(data, reinterpret_cast<BYTE*>(&bytes[0]), static_cast<DWORD>(bytes.size()), 0);
    size_t zero = bytes.find('\0');
    Log(zero == std::string::npos ? bytes + " <no zero>" : bytes.substr(0, zero));
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

HDDEDATA OnRequest(UINT format, HSZ item)
{
    char name[256] = "";
    DdeQueryStringA(g_idInst, item, name, sizeof name, CP_WINANSI);
    CharLowerA(name);
    Log(std::string("request ") + name);
    if (format != CF_TEXT || std::string(name) != "progman")
        return nullptr;
    std::string answer = Environment("PROGMAN_TEST_GROUPS");
    return DdeCreateDataHandle(g_idInst, reinterpret_cast<BYTE*>(&answer[0]),
                               static_cast<DWORD>(answer.size() + 1), 0, item, CF_TEXT, 0);
}

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                           ULONG_PTR, ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(DdeCmpStringHandles(hsz1, g_hszProgman) == 0);
    case XTYP_EXECUTE:
        return OnExecute(data);
    case XTYP_REQUEST:
        return OnRequest(format, hsz2);
    case XTYP_DISCONNECT:
        Log("disconnect");
        PostQuitMessage(0);
        return nullptr;
    default:
        return nullptr;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Log("start");
    if (Environment("PROGMAN_TEST_MODE") == "absent" ||
        DdeInitializeA(&g_idInst, Callback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR)
        return 0;
    g_hszProgman = DdeCreateStringHandleA(g_idInst, "PROGMAN", CP_WINANSI);
    DdeNameService(g_idInst, g_hszProgman, nullptr, DNS_REGISTER);
    SetTimer(nullptr, 0, 20000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 &&
           !(msg.message == WM_TIMER && msg.hwnd == nullptr))
        DispatchMessageA(&msg);
    DdeNameService(g_idInst, g_hszProgman, nullptr, DNS_UNREGISTER);
    DdeUninitialize(g_idInst);
    return 0;
}
