#include "config/Identifiers.h"

#include <chrono>
#include <optional>

#include "platform/CFileLock.h"
#include "platform/ProfileFile.h"

namespace {

// How long a program waits for another one to finish reserving its identifier. A crashed
// one holds up nobody: the system releases its lock with its process.
constexpr std::chrono::milliseconds kLockTimeout{10000};

// What NEXT_ID holds once the last identifier, 4294967295, has been handed out: the first
// number beyond it, so that the counter never wraps to identifiers handed out long ago.
constexpr const char* kPastLastId = "4294967296";

// True when the text's leading number is beyond the last identifier. Negative numbers are
// how earlier versions stored identifiers from 2^31 on; they keep reading as before.
bool IsPastLastId(const std::string& text) {
    size_t nPos = text.find_first_not_of(" \t");
    if (nPos == std::string::npos || text[nPos] == '-') {
        return false;
    }
    nPos += text[nPos] == '+' ? 1 : 0;
    uint64_t nValue = 0;
    for (; nPos < text.size() && text[nPos] >= '0' && text[nPos] <= '9'; ++nPos) {
        nValue = nValue * 10 + static_cast<uint64_t>(text[nPos] - '0');
        if (nValue > UINT32_MAX) {
            return true;
        }
    }
    return false;
}

std::string NoIdLeftMessage(const std::string& profile) {
    return "No identifier is left!\n" + profile + "\nThe last identifier, " +
           std::to_string(UINT32_MAX) + ", has been handed out.";
}

std::string ReserveFailedMessage(const std::string& profile, uint32_t nId) {
    return "Couldn't reserve the identifier!\n" + profile + "\nIdentifier " + std::to_string(nId) +
           " may be handed out again.";
}

}  // namespace

Identifiers::Allocation Identifiers::Allocate(const std::string& profile,
                                              IPlatformServices& services) {
    Allocation allocation;
    bool bReserved = false;
    {
        CFileLock lock;
        const bool bLocked = lock.Lock(CFileLock::LockPathFor(profile), kLockTimeout);
        // Read under the lock: another program may have advanced the counter meanwhile.
        std::optional<CIniDocument> document = ProfileFile::Read(profile);
        if (IsPastLastId(ProfileFile::StringValue(document, "ID", "NEXT_ID", ""))) {
            allocation.eOutcome = Outcome::NoneLeft;
        } else {
            allocation.nId = ProfileFile::IntValue(document, "ID", "NEXT_ID", 1);
            // Signed, as earlier versions stored it. Without the lock the counter is left
            // alone: another program may be advancing it. A file that exists but cannot be
            // read is never replaced by one holding only the counter.
            const std::string next = allocation.nId == UINT32_MAX
                                         ? kPastLastId
                                         : std::to_string(static_cast<int32_t>(allocation.nId + 1));
            if (bLocked && document) {
                document->SetValue("ID", "NEXT_ID", next);
                bReserved = ProfileFile::Write(profile, *document);
            }
        }
    }  // released before any message box, so other programs never wait on this one's user
    if (allocation.eOutcome == Outcome::NoneLeft) {
        services.ShowMessageBox(NoIdLeftMessage(profile), MessageBoxType::Ok);
    } else if (!bReserved) {
        allocation.eOutcome = Outcome::NotReserved;
        services.ShowMessageBox(ReserveFailedMessage(profile, allocation.nId), MessageBoxType::Ok);
    }
    return allocation;
}
