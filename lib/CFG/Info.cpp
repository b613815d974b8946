#include "CFG/Info.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <new>

#include "CFG/Calculator.h"
#include "CFG/INItoCFG.h"
#include "CFG/LoadTracker.h"
#include "CFG/QuotedValue.h"
#include "Files/TextFile.h"
#include "Util/FatalReport.h"
#include "Util/NumberConversion.h"
#include "Util/OutOfMemory.h"
#include "Util/Strings.h"

namespace CFG {

namespace {

const char* const kFileTerminator = "END_OF_CFG_RESOURCES";
const char* const kAddedKeyTerminator = "END_OF_ADDED_KEY";
const char* const kSelectorSeparator = "??";
const char* const kIncludePrefix = "<INCLUDE";
const char* const kCompanionSuffix = ".MOD";
const char* const kIniSuffix = ".INI";
const char* const kSubstitutionMark = "::";
const char* const kExpressionPrefix = "EVAL:(";
const char* const kRedirectionPrefix = ">>";

// Guards against values that refer to themselves and against runaway nesting.
// A lookup deeper than this (counting nested get calls and selector blocks) reads as
// empty. Real configurations nest a handful of levels.
constexpr size_t kMaxResolutionDepth = 128;
// Nested lookups allowed within one outermost get: keeps values that fan out into
// many references to the same keys (A = '::B::::B::', B = '::C::::C::', ...) from
// taking exponential time. Lookups beyond it read as empty.
constexpr size_t kMaxLookupsPerGet = 4096;
// Bytes that substitution may bring into one value or text: keeps a value that names a
// large value thousands of times from building gigabytes. Beyond it the fatal report.
constexpr size_t kMaxSubstitutedBytes = size_t(1) << 20;
// The (configuration, key) pairs whose get is running, innermost last. The system is
// single-threaded; one list serves every configuration.
struct ActiveLookup {
    const Info* info;
    const std::string* key;
};
// Function-local, so that a lookup made while other files' statics are being
// initialised finds them ready.
struct LookupState {
    std::vector<ActiveLookup> active;
    size_t lookupsLeft = 0;
};
LookupState& lookupState() {
    static LookupState l_state;
    return l_state;
}

bool isActive(const std::vector<ActiveLookup>& active, const Info* info, const std::string& key) {
    return std::any_of(active.begin(), active.end(),
                       [&](const ActiveLookup& a) { return a.info == info && *a.key == key; });
}

// Marks one get as running for as long as it is in scope (also while an exception
// passes through).
class ActiveLookupScope {
public:
    ActiveLookupScope(std::vector<ActiveLookup>& active, const Info* info, const std::string& key)
        : active(active) {
        active.push_back({info, &key});
    }
    ~ActiveLookupScope() { active.pop_back(); }
    ActiveLookupScope(const ActiveLookupScope&) = delete;
    ActiveLookupScope& operator=(const ActiveLookupScope&) = delete;

private:
    std::vector<ActiveLookup>& active;
};

// line[begin, end) without whitespace at either end, copied once.
std::string trimmedPart(const std::string& line, size_t begin, size_t end) {
    while (begin < end && std::strchr(Util::WHITESPACE, line[begin]) && line[begin] != '\0') {
        ++begin;
    }
    while (end > begin && std::strchr(Util::WHITESPACE, line[end - 1]) && line[end - 1] != '\0') {
        --end;
    }
    return line.substr(begin, end - begin);
}

std::string toUpper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

class Info::Impl {
public:
    struct Node;
    using Map = std::map<std::string, std::unique_ptr<Node>>;

    // One entry: a plain value (children null) or a selector block whose value is the
    // name of its selector key and whose children are the entries of the block.
    struct Node {
        std::string value;
        std::unique_ptr<Map> children;  // owned, null for a plain entry
        ~Node();
    };

    explicit Impl(const Info* parentInfo) : parent(parentInfo) {}

    // Deletes every node of map and everything below, without recursing, so that
    // blocks nested to any depth are freed safely.
    static void deleteMap(Map& map);

    // Applies the line rules to lines[position...] into map until the terminator line or
    // the end. Blocks are read into their children with the block's selector as
    // terminator. False only when a continued quoted value runs past the last line.
    bool populateMap(Map& map, const std::vector<std::string>& lines, size_t& position,
                     const std::string& terminator);

    // Splits line at the first separator into trimmed key and value; false without one.
    static bool readKeyVal(const std::string& line, const std::string& separator, std::string& key,
                           std::string& value);

    // The unprocessed value of key in map: the parent first, then the entry, a
    // selector block resolved through its selector key and its "*" case.
    std::string get(const Info& owner, const std::string& key, const Map& map, size_t depth) const;

    // key names the value in the report of too many substituted bytes; null for a text
    // that is no value.
    std::string replaceKeys(const Info& owner, std::string text, const std::string* key) const;
    static std::string evaluate(const std::string& text);

    Map map;
    const Info* parent;                        // not owned, may be null
    std::vector<std::string> pendingIncludes;  // include keys not yet loaded
    LoadTracker loads;                         // files being loaded, work of the outermost
};

Info::Impl::Node::~Node() {
    if (children) {
        deleteMap(*children);
    }
}

void Info::Impl::deleteMap(Map& map) {
    std::vector<std::unique_ptr<Map>> pending;
    auto detachChildren = [&pending](Map& m) {
        for (auto& entry : m) {
            if (entry.second && entry.second->children) {
                pending.push_back(std::move(entry.second->children));
            }
        }
        m.clear();
    };
    detachChildren(map);
    while (!pending.empty()) {
        std::unique_ptr<Map> next = std::move(pending.back());
        pending.pop_back();
        detachChildren(*next);
    }
}

bool Info::Impl::readKeyVal(const std::string& line, const std::string& separator, std::string& key,
                            std::string& value) {
    size_t found = line.find(separator);
    if (found == std::string::npos) {
        return false;
    }
    key = trimmedPart(line, 0, found);
    value = trimmedPart(line, found + separator.size(), line.size());
    return true;
}

bool Info::Impl::populateMap(Map& topMap, const std::vector<std::string>& lines, size_t& position,
                             const std::string& topTerminator) {
    // The open blocks, innermost last, kept on an explicit stack instead of recursion.
    struct Level {
        Map* map;
        std::string terminator;
    };
    std::vector<Level> levels{{&topMap, topTerminator}};
    const std::string separator = keyValueSeparator();

    for (; position < lines.size(); ++position) {
        const std::string line = Util::trim(lines[position]);
        Map& current = *levels.back().map;
        std::string key;
        std::string value;

        if (Util::startswith(line, "#")) {
            continue;
        }
        if (readKeyVal(line, separator, key, value)) {
            if (opensQuote(value) && !continueQuotedValue(value, lines, position)) {
                return false;
            }
            if (Util::startswith(key, kIncludePrefix)) {
                pendingIncludes.push_back(key);
            }
            auto node = std::make_unique<Node>();
            node->value = stripQuotes(std::move(value));
            current.insert_or_assign(std::move(key), std::move(node));
            continue;
        }
        if (readKeyVal(line, kSelectorSeparator, key, value)) {
            if (Util::startswith(key, kIncludePrefix)) {
                pendingIncludes.push_back(key);
            }
            auto node = std::make_unique<Node>();
            node->value = value;
            node->children = std::make_unique<Map>();
            Map* children = node->children.get();
            current[key] = std::move(node);
            levels.push_back({children, value});
            continue;
        }
        if (line == levels.back().terminator) {
            if (levels.size() == 1) {
                return true;
            }
            levels.pop_back();
        }
    }
    return true;
}

std::string Info::Impl::get(const Info& owner, const std::string& key, const Map& fromMap,
                            size_t depth) const {
    if (depth > kMaxResolutionDepth) {
        return std::string();
    }
    if (parent) {
        std::string fromParent = parent->get(key);
        if (!fromParent.empty()) {
            return fromParent;
        }
    }
    auto found = fromMap.find(key);
    if (found == fromMap.end()) {
        return std::string();
    }
    const Node& node = *found->second;
    if (!node.children) {
        return node.value;
    }
    const std::string selected = owner.get(node.value);
    std::string result = get(owner, selected, *node.children, depth + 1);
    if (result.empty()) {
        result = get(owner, "*", *node.children, depth + 1);
    }
    return result;
}

std::string Info::Impl::replaceKeys(const Info& owner, std::string text,
                                    const std::string* key) const {
    const std::string mark = kSubstitutionMark;
    size_t open = text.find(mark);
    if (open == std::string::npos) {
        return text;
    }
    // The text is cut at every "::"; after the first piece come pairs of a key piece
    // and the outside piece that follows it.
    std::string output = text.substr(0, open);
    size_t substitutedBytes = 0;
    size_t keyStart = open + mark.size();
    while (true) {
        size_t close = text.find(mark, keyStart);
        if (close == std::string::npos) {
            output += mark;
            output.append(text, keyStart, std::string::npos);
            break;
        }
        const std::string keyPiece = text.substr(keyStart, close - keyStart);
        if (!keyPiece.empty() && keyPiece.find_first_of(Util::WHITESPACE) == std::string::npos) {
            const std::string substituted = owner.get(keyPiece);
            substitutedBytes += substituted.size();
            if (substitutedBytes > kMaxSubstitutedBytes) {
                QUORLITH_FATAL("Substitution into "
                               << (key ? "the value of " + *key : std::string("a text"))
                               << " brings in more than " << kMaxSubstitutedBytes << " bytes");
            }
            output += substituted;
        } else {
            output += mark + keyPiece + mark;
        }
        size_t outsideStart = close + mark.size();
        size_t next = text.find(mark, outsideStart);
        if (next == std::string::npos) {
            output.append(text, outsideStart, std::string::npos);
            break;
        }
        output.append(text, outsideStart, next - outsideStart);
        keyStart = next + mark.size();
    }
    return output;
}

std::string Info::Impl::evaluate(const std::string& text) {
    const std::string rest = text.substr(std::string(kExpressionPrefix).size());
    // The expression runs to the parenthesis that closes the one of "EVAL:(".
    size_t stop = std::string::npos;
    int depth = 1;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '(') {
            ++depth;
        } else if (rest[i] == ')') {
            --depth;
        }
        if (depth == 0) {
            stop = i + 1;
            break;
        }
    }
    std::string expression;
    std::string after;
    if (stop == std::string::npos) {
        expression = rest.empty() ? rest : rest.substr(0, rest.size() - 1);
    } else {
        expression = rest.substr(0, stop - 1);
        after = rest.substr(stop);
    }
    Calculator calculator(expression);
    return Util::numToStr<float>(calculator.parse(), 10, 0, -1) + after;
}

Info::Info(const Info* parent) : impl(std::make_unique<Impl>(parent)) {}

Info::Info(const std::string& fileName, const Info* parent) : impl(std::make_unique<Impl>(parent)) {
    if (!addConfig(fileName)) {
        reset();
    }
}

Info::~Info() = default;

void Info::reset() {
    Impl::deleteMap(impl->map);
}

bool Info::addConfig(const std::string& fileName) try {
    // A directory or other non-regular file loads nothing.
    LoadTracker::Scope loading(impl->loads, fileName);
    if (!loading.admitted()) {
        return false;
    }
    std::string text;
    if (!Files::TextFile::load(fileName, text, "\n")) {
        return false;
    }
    std::vector<std::string> lines;
    if (Util::endswith(toUpper(fileName), kIniSuffix) &&
        !INItoCFG(text, lines, "INI file " + fileName)) {
        return false;
    }
    Util::splitString(text, "\n", lines, false, false);

    size_t position = 0;
    const bool parsed = impl->populateMap(impl->map, lines, position, kFileTerminator);

    addConfig(fileName + kCompanionSuffix);

    std::vector<std::string> includes;
    includes.swap(impl->pendingIncludes);
    for (const std::string& includeKey : includes) {
        addConfig(get(includeKey));
    }
    return parsed;
} catch (const std::bad_alloc&) {
    Util::reportOutOfMemory("configuration file", fileName);
}

bool Info::add(const std::string& key, const std::string& value) {
    std::vector<std::string> lines{key + " " + keyValueSeparator() + " " + value};
    size_t position = 0;
    return impl->populateMap(impl->map, lines, position, kAddedKeyTerminator);
}

std::string Info::get(const std::string& key) const {
    LookupState& state = lookupState();
    if (state.active.empty()) {
        state.lookupsLeft = kMaxLookupsPerGet;
    }
    if (state.lookupsLeft == 0 || state.active.size() >= kMaxResolutionDepth ||
        isActive(state.active, this, key)) {
        return std::string();
    }
    --state.lookupsLeft;
    ActiveLookupScope scope(state.active, this, key);

    std::string result = impl->replaceKeys(*this, impl->get(*this, key, impl->map, 0), &key);
    if (Util::startswith(result, kExpressionPrefix)) {
        return Impl::evaluate(result);
    }
    if (Util::startswith(result, kRedirectionPrefix)) {
        return get(result.substr(std::string(kRedirectionPrefix).size()));
    }
    return result;
}

void Info::keys(std::vector<std::string>& out) const {
    out.clear();
    out.reserve(impl->map.size());
    for (const auto& entry : impl->map) {
        out.push_back(entry.first);
    }
}

std::string Info::replaceKeys(const std::string& text) const {
    return impl->replaceKeys(*this, text, nullptr);
}

std::string Info::keyValueSeparator() {
    return "==";
}

}  // namespace CFG
