#pragma once
// CDdeConversation: one client conversation through the DDE management
// library, with the library instance it needs. The instance is created on the
// first operation that needs it (a failed start is tried again by the next
// one) and ended when the object goes, which also ends an open conversation.
//
// Every transaction waits at most kTimeout milliseconds for the server.

#include <windows.h>

#include <ddeml.h>

#include <string>

class CDdeConversation {
public:
    static constexpr DWORD kTimeout = 1000;

    CDdeConversation() = default;
    ~CDdeConversation();
    CDdeConversation(const CDdeConversation&) = delete;
    CDdeConversation& operator=(const CDdeConversation&) = delete;

    // Opens a conversation with service and topic, ending one already open.
    // False when no server answers; no conversation is held then.
    bool Connect(const char* service, const char* topic);

    // Formats a command printf-style (cut to 511 characters) and sends it as
    // text with its terminating zero in an execute transaction. True when the
    // server accepted it; false without a conversation.
    bool Execute(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Requests item as text. result receives the answer up to its first zero
    // byte; it is empty when there is no answer (and the result false).
    bool Request(const char* item, std::string& result);

    // Ends the conversation. True when it was ended, or when none was open;
    // on failure the conversation is kept.
    bool Disconnect();

    bool IsConnected() const { return m_hConv != nullptr; }

private:
    bool EnsureInitialised();

    bool m_bInitialised = false;
    DWORD m_idInst = 0;
    HCONV m_hConv = nullptr;
};
