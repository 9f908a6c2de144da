// The pool file, as Load Gathra's Picks reads it: for 6/49, and for a game
// with a bonus pool, whose bonus numbers follow the pool.
#include "FuzzInput.h"
#include "pool/PoolFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::inputFile("pool", data, size);
    const orvane::PoolFileRead read = orvane::readPoolFile(path);
    if (read.ok())
        for (int n : read.numbers) fuzz::require(n >= 1 && n <= 49, "a pool number outside 1..49");
    static const orvane::Game kPowerball = *orvane::gameFromMatrix("5/69+1/26");
    const orvane::PoolFileRead game = orvane::readPoolFile(path, kPowerball);
    for (int n : game.numbers) fuzz::require(n >= 1 && n <= 69, "a game pool number outside 1..69");
    for (int n : game.bonus) fuzz::require(n >= 1 && n <= 26, "a bonus number outside 1..26");
    fuzz::require(!orvane::poolLoadNotice(game, path, kPowerball) || !game.ok() ||
                      game.style != orvane::PoolFileStyle::Minimum,
                  "a Minimum file loaded whole has no notice");
    return 0;
}
