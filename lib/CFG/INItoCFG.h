#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace CFG {

// Converts INI text into configuration lines appended to lines: every entry
// 'key = value' under the section '[S]' becomes 'S::key:NUM=="value"', or ':STR' when
// the value was written in double quotes. Lines starting with "#" or ";" are comments,
// lines without "=" are skipped; quoted values continue over lines as in configuration
// files. False when a quoted value is still open at the end of the text (the lines
// converted so far have been appended all the same).
// Every entry repeats its section's name, so a long name over many entries would
// multiply the text: conversion that produces more than kMaxConvertedBytes ends the
// process through the fatal report, naming source (the file the text comes from).
bool INItoCFG(const std::string& text, std::vector<std::string>& lines,
              const std::string& source = "INI text");

constexpr size_t kMaxConvertedBytes = size_t(16) << 20;

// ":STR"
std::string stringTypePostfix();
// ":NUM"
std::string numberTypePostfix();
// "::"
std::string sectionKeySeparator();

}  // namespace CFG
