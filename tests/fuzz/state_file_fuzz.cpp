// The state file ("saveFiles\StateSave.txt") of any bytes.
#include "app/state_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string stateName;
    int next = 0;
    if (!readStateFile(fuzz::text(data, size), stateName, next))
        return 0;
    // What was read, written again, reads back the same.
    std::string again;
    int nextAgain = 0;
    fuzz::require(readStateFile(stateFileText(stateName, next), again, nextAgain), "the written state file reads");
    fuzz::require(again == stateName && nextAgain == next, "the state file round trip");
    return 0;
}
