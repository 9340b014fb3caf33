// A recording (--replay FILE) of any bytes. The format has one way to write
// each journal, so whatever the reader takes, written again, must be the
// very bytes it read: a reader that lets a damaged or padded record through
// fails that. Nothing read may break the bounds the format promises.
#include "engine/journal.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string file = fuzz::text(data, size);
    Journal journal;
    std::string error;
    if (!readJournal(file, journal, error)) {
        fuzz::require(!error.empty(), "a refused recording says why");
        return 0;
    }
    fuzz::require(journal.header.savedFiles.size() <= journalNS::MAX_SAVED_FILES, "saved files within bounds");
    fuzz::require(journal.header.gameVersion.size() <= journalNS::MAX_TEXT, "version within bounds");
    std::string again = journalHeaderBytes(journal.header);
    for (const JournalRead& r : journal.reads) {
        fuzz::require(r.kind != JournalRead::Kind::Pad || r.user < 4, "pads 0 to 3");
        appendJournalRead(again, r);
    }
    if (journal.end)
        appendJournalEnd(again, *journal.end);
    fuzz::require(again == file, "what was read, written again, is the same file");
    return 0;
}
