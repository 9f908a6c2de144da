// The pool file, as Load Gathra's Picks reads it.
#include "FuzzInput.h"
#include "pool/PoolFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const orvane::PoolFileRead read = orvane::readPoolFile(fuzz::inputFile("pool", data, size));
    if (read.ok())
        for (int n : read.numbers) fuzz::require(n >= 1 && n <= 49, "a pool number outside 1..49");
    return 0;
}
