#pragma once
// CCopyProgress: what the copy engine reports to the page that shows the copy.

#include <cstdint>

class CMultiFileMember;

class CCopyProgress {
public:
    // The member being installed; null between members.
    virtual void SetCurrentMember(CMultiFileMember* member) = 0;
    // Bytes of a finished member, or of an item that is not copied.
    virtual void AddBytesDone(uint32_t bytes) = 0;
    // Refreshes the display and serves a cancel the user asked for.
    virtual void UpdateProgress() = 0;
    // Between members: serves waiting messages, no more often than the
    // progress update reaches the window system.
    virtual void PumpBetweenMembers() = 0;
    // The copy was cancelled: the wizard ends on the not-installed page.
    virtual void SetNotInstalled() = 0;

protected:
    ~CCopyProgress() = default;
};
