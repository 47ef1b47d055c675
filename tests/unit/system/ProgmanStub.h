#pragma once
// The stand-in Program Manager (tests/stubs/progman) copied next to this
// program, where WinExec("progman.exe") looks first, logging to a file of this
// process. Serve() starts it and waits until it answers; without that, the
// program under test finds no server and starts the copy itself.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/ScratchDirectory.h"
#include "support/FilePath.h"

inline std::string ProgramDirectory()
{
    return CFilePath(CFilePath::locModule).GetString();
}

class CProgmanStub {
public:
    // mode "serve", or "absent": record the start, never answer.
    explicit CProgmanStub(const char* mode = "serve")
    {
        DeleteFileA(m_strLog.c_str());
        SetEnvironmentVariableA("PROGMAN_TEST_LOG", m_strLog.c_str());
        SetEnvironmentVariableA("PROGMAN_TEST_MODE", mode);
        std::string source = ProgramDirectory() + PROGMAN_STUB_DIR "/progman.exe";
        // A copy that the last test started may still be on its way out.
        bool copied = false;
        for (int i = 0; i < 100 && !copied; ++i)
            copied = CopyFileA(source.c_str(), m_strProgram.c_str(), FALSE) || (Sleep(50), false);
        EXPECT_TRUE(copied) << source;
    }
    ~CProgmanStub()
    {
        // It ends with its conversation.
        if (m_process.hProcess != nullptr) {
            EXPECT_EQ(WaitForSingleObject(m_process.hProcess, 5000), WAIT_OBJECT_0);
            TerminateProcess(m_process.hProcess, 1);
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
        DeleteFileA(m_strLog.c_str());
    }
    CProgmanStub(const CProgmanStub&) = delete;
    CProgmanStub& operator=(const CProgmanStub&) = delete;

    void Serve()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string command = "\"" + m_strProgram + "\"";
        ASSERT_TRUE(CreateProcessA(m_strProgram.c_str(), &command[0], nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &m_process));
        ASSERT_EQ(WaitForInputIdle(m_process.hProcess, 10000), 0u);
    }

    // What the server recorded, one event a line.
    std::string Log() const { return ReadWholeFile(m_strLog); }

private:
    std::string m_strProgram = ProgramDirectory() + "progman.exe";
    std::string m_strLog =
        ProgramDirectory() + "progman-" + std::to_string(GetCurrentProcessId()) + ".log";
    PROCESS_INFORMATION m_process = {};
};
