// A stand-in for Program Manager's DDE server, for tests: progman.exe with
// service and topic "PROGMAN". A test puts it where WinExec("progman.exe")
// finds it first (next to the test program) or starts it itself.
//
// It is steered by environment variables, which a program started by the test
// inherits:
//   PROGMAN_TEST_LOG     file to which every event is appended as a line:
//                          start                   the program started
//                          <command text>          an execute transaction, as
//                                                  received (" <no zero>" added
//                                                  when the data did not end in
//                                                  a zero byte)
//                          request <item>          a request transaction (the
//                                                  item in lower case: names are
//                                                  atoms, spelled as first made)
//                          disconnect              the conversation ended
//   PROGMAN_TEST_MODE    "absent": record the start and end at once without
//                        serving, like a Program Manager that never answers;
//                        anything else: serve
//   PROGMAN_TEST_GROUPS  the answer to a request of item "Progman"
//   PROGMAN_TEST_REFUSE  execute commands that begin with this text are refused
//
// Serving, it ends when its conversation ends, or after 20 seconds in any case.

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
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

void Log(const std::string& line)
{
    std::string path = Environment("PROGMAN_TEST_LOG");
    if (path.empty())
        return;
    if (FILE* file = std::fopen(path.c_str(), "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

std::string StringOf(HSZ hsz)
{
    char text[256] = "";
    DdeQueryStringA(g_idInst, hsz, text, sizeof text, CP_WINANSI);
    return text;
}

HDDEDATA OnExecute(HDDEDATA data)
{
    DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string bytes(size, '\0');
    if (size > 0)
        DdeGetData(data, reinterpret_cast<BYTE*>(&bytes[0]), size, 0);
    size_t zero = bytes.find('\0');
    std::string command = bytes.substr(0, zero);
    Log(zero == std::string::npos ? command + " <no zero>" : command);
    std::string refused = Environment("PROGMAN_TEST_REFUSE");
    if (!refused.empty() && command.compare(0, refused.size(), refused) == 0)
        return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                           ULONG_PTR, ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(DdeCmpStringHandles(hsz1, g_hszProgman) == 0 &&
                                          DdeCmpStringHandles(hsz2, g_hszProgman) == 0);
    case XTYP_EXECUTE:
        return OnExecute(data);
    case XTYP_REQUEST: {
        std::string item = StringOf(hsz2);
        std::string lower = item;
        CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
        Log("request " + lower);
        if (format != CF_TEXT || lstrcmpiA(item.c_str(), "Progman") != 0)
            return nullptr;
        std::string answer = Environment("PROGMAN_TEST_GROUPS");
        return DdeCreateDataHandle(g_idInst,
                                   reinterpret_cast<BYTE*>(const_cast<char*>(answer.c_str())),
                                   static_cast<DWORD>(answer.size() + 1), 0, hsz2, CF_TEXT, 0);
    }
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
    if (Environment("PROGMAN_TEST_MODE") == "absent")
        return 0;
    if (DdeInitializeA(&g_idInst, Callback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR)
        return 1;
    g_hszProgman = DdeCreateStringHandleA(g_idInst, "PROGMAN", CP_WINANSI);
    if (DdeNameService(g_idInst, g_hszProgman, nullptr, DNS_REGISTER) == nullptr)
        return 1;
    // Whoever started it must not wait for it for ever.
    SetTimer(nullptr, 0, 20000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr)
            break;
        DispatchMessageA(&msg);
    }
    DdeNameService(g_idInst, g_hszProgman, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(g_idInst, g_hszProgman);
    DdeUninitialize(g_idInst);
    return 0;
}
