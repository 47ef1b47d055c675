#include "system/DdeConversation.h"

#include <cstdarg>

#include "support/StringHelpers.h"

namespace {

// A client has nothing to serve: every call is answered with 1.
HDDEDATA CALLBACK IgnoreDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return reinterpret_cast<HDDEDATA>(1);
}

// A string handle of the library, made for one use in the ANSI code page.
class CDdeString {
public:
    CDdeString(DWORD idInst, const char* text)
        : m_idInst(idInst), m_hsz(DdeCreateStringHandleA(idInst, text, CP_WINANSI))
    {
    }
    ~CDdeString()
    {
        if (m_hsz != nullptr)
            DdeFreeStringHandle(m_idInst, m_hsz);
    }
    CDdeString(const CDdeString&) = delete;
    CDdeString& operator=(const CDdeString&) = delete;

    HSZ Get() const { return m_hsz; }

private:
    DWORD m_idInst;
    HSZ m_hsz;
};

} // namespace

CDdeConversation::~CDdeConversation()
{
    // Ending the instance ends its conversations too.
    if (m_bInitialised)
        DdeUninitialize(m_idInst);
}

bool CDdeConversation::EnsureInitialised()
{
    if (!m_bInitialised) {
        m_idInst = 0;
        m_bInitialised = DdeInitializeA(&m_idInst, IgnoreDdeCallback, 0, 0) == DMLERR_NO_ERROR;
    }
    return m_bInitialised;
}

bool CDdeConversation::Connect(const char* service, const char* topic)
{
    if (!EnsureInitialised())
        return false;
    Disconnect();
    CDdeString hszService(m_idInst, service);
    CDdeString hszTopic(m_idInst, topic);
    if (hszService.Get() == nullptr || hszTopic.Get() == nullptr)
        return false;
    m_hConv = DdeConnect(m_idInst, hszService.Get(), hszTopic.Get(), nullptr);
    return m_hConv != nullptr;
}

bool CDdeConversation::Execute(const char* format, ...)
{
    std::string command;
    va_list args;
    va_start(args, format);
    FormatStringV(command, format, args);
    va_end(args);
    if (!EnsureInitialised() || m_hConv == nullptr)
        return false;
    // The terminating zero goes with the text: servers read it as a C string.
    BYTE* data = reinterpret_cast<BYTE*>(&command[0]);
    return DdeClientTransaction(data, static_cast<DWORD>(command.size() + 1), m_hConv, nullptr,
                                CF_TEXT, XTYP_EXECUTE, kTimeout, nullptr) != nullptr;
}

bool CDdeConversation::Request(const char* item, std::string& result)
{
    result.clear();
    if (!EnsureInitialised() || m_hConv == nullptr)
        return false;
    CDdeString hszItem(m_idInst, item);
    if (hszItem.Get() == nullptr)
        return false;
    HDDEDATA answer = DdeClientTransaction(nullptr, 0, m_hConv, hszItem.Get(), CF_TEXT,
                                           XTYP_REQUEST, kTimeout, nullptr);
    if (answer == nullptr)
        return false;
    DWORD size = DdeGetData(answer, nullptr, 0, 0);
    result.resize(size);
    if (size > 0)
        DdeGetData(answer, reinterpret_cast<BYTE*>(&result[0]), size, 0);
    DdeFreeDataHandle(answer);
    result.resize(result.find('\0') != std::string::npos ? result.find('\0') : result.size());
    return true;
}

bool CDdeConversation::Disconnect()
{
    if (m_hConv == nullptr)
        return true;
    if (!DdeDisconnect(m_hConv))
        return false;
    m_hConv = nullptr;
    return true;
}
