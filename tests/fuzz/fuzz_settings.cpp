// The settings file, as Load Settings and orvane wheel --settings read it.
#include "FuzzInput.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvane::SettingsFile settings;
    orvane::readSettingsFile(fuzz::inputFile("settings", data, size), settings);
    return 0;
}
