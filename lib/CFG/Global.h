#pragma once

#include <string>

#include "CFG/Info.h"
#include "CFG/InfoParser.h"

// The process-wide configuration. Start-up loads the settings file and the command
// line's 'key==value' pairs into the overrides and the main file into the global
// configuration, whose parent the overrides are, so an override wins over any file.
namespace CFG {

// The process-wide overrides; no parent. Lives until the process ends.
Info* getDefaultOverrides();
// The process-wide configuration; its parent is getDefaultOverrides().
Info* global();
// The typed reader bound to global(), created on the first call.
InfoParser* parser();
// Empties global() and loads fileName into it.
void setConfig(const std::string& fileName);
// Loads one more file into global(); false when it cannot be read or parsed.
bool addConfig(const std::string& fileName);
// global()->get(key).
std::string get(const std::string& key);

}  // namespace CFG
