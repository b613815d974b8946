#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Util/NonCopyable.h"

namespace CFG {

// One parsed configuration: string keys and string values read from a file, its
// ".MOD" companion files and its includes, with selector blocks kept as a tree.
// A configuration may have a parent that is asked first for every key, so a
// non-empty value there wins over this configuration's own.
//
// File format, one rule per trimmed line, the first that applies:
//   "# ..."            comment
//   KEY == VALUE       entry (the first "=="; the value follows the quote rules)
//   KEY ?? SELECTOR    selector block, read until a line equal to SELECTOR
//   END_OF_CFG_RESOURCES  ends the file (inside a block: the block's selector ends it)
// Keys that begin with "<INCLUDE" name files loaded after the current one.
class Info : public Util::NonCopyable<Info> {
public:
    class Impl;

    // An empty configuration. parent is not owned and may be null.
    explicit Info(const Info* parent = nullptr);
    // As above, then addConfig(fileName); when that fails the configuration is emptied.
    Info(const std::string& fileName, const Info* parent);
    virtual ~Info();

    // Deletes every entry; the parent and the pending include list stay.
    virtual void reset();
    // Loads fileName (".INI" files are converted first), then fileName + ".MOD", then
    // the files named by include keys met on the way. False when the file cannot be
    // read (nothing else happens then) or when a quoted value is never closed (the
    // companion file and includes are still loaded). A file that is already being
    // loaded into this configuration (under any spelling of its path), or one nested
    // too deeply, is not loaded again; a load that reads too many files or bytes ends
    // the process (LoadTracker).
    virtual bool addConfig(const std::string& fileName);
    // Stores one entry as if the line 'key == value' had been read. False, storing
    // nothing, when the value opens a quote it does not close.
    virtual bool add(const std::string& key, const std::string& value);
    // The value of key with the parent asked first, selector blocks resolved, "::KEY::"
    // substituted, then an "EVAL:(" expression evaluated or a ">>KEY" redirection
    // followed. Empty when the key is missing, and for a key that refers back to itself
    // while it is being resolved or that nests too deeply. Substitution that brings more
    // than 1 MiB into one value (or text) ends the process through the fatal report.
    // Throws std::domain_error for an expression operand that is not a number.
    virtual std::string get(const std::string& key) const;
    // Clears out and fills it with this configuration's top-level keys in ascending byte
    // order (not the parent's, not those inside blocks).
    virtual void keys(std::vector<std::string>& out) const;
    // Replaces every "::KEY::" in text by get(KEY); pieces between "::" marks that are
    // empty or hold whitespace stay as they are.
    virtual std::string replaceKeys(const std::string& text) const;

    // "=="
    static std::string keyValueSeparator();

private:
    std::unique_ptr<Impl> impl;
};

}  // namespace CFG
