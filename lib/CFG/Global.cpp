#include "CFG/Global.h"

namespace CFG {

Info* getDefaultOverrides() {
    static Info l_overrides(nullptr);
    return &l_overrides;
}

Info* global() {
    // The overrides are created first, so they outlive the configuration that asks them.
    static Info l_global(getDefaultOverrides());
    return &l_global;
}

InfoParser* parser() {
    static InfoParser l_parser(global());
    return &l_parser;
}

void setConfig(const std::string& fileName) {
    global()->reset();
    global()->addConfig(fileName);
}

bool addConfig(const std::string& fileName) {
    return global()->addConfig(fileName);
}

std::string get(const std::string& key) {
    return global()->get(key);
}

}  // namespace CFG
