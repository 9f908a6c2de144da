#include "DependencyRule.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <fstream>
#include <sstream>

namespace archrule {

namespace fs = std::filesystem;

namespace {

const std::map<std::string, Layer> kTargetLayers = {
    {"orvane_engine", Layer::Engine},
    {"orvane_cli", Layer::CommandLine},
    {"orvane_windows", Layer::Windows},
    {"orvane", Layer::Program},
};

// Folders that hold no engine code whatever their CMakeLists.txt says.
const std::set<std::string> kWindowsOnlyFolders = {"app", "platform"};
const std::string kCommandLineFolder = "cli";

// The C++ standard library's headers, with the C library's in both spellings.
// clang-format off
const std::set<std::string, std::less<>> kStandardHeaders = {
    "algorithm", "any", "array", "atomic", "barrier", "bit", "bitset", "charconv", "chrono", "codecvt",
    "compare", "complex", "concepts", "condition_variable", "coroutine", "deque", "exception", "execution",
    "expected", "filesystem", "flat_map", "flat_set", "format", "forward_list", "fstream", "functional",
    "future", "generator", "initializer_list", "iomanip", "ios", "iosfwd", "iostream", "istream", "iterator",
    "latch", "limits", "list", "locale", "map", "mdspan", "memory", "memory_resource", "mutex", "new",
    "numbers", "numeric", "optional", "ostream", "print", "queue", "random", "ranges", "ratio", "regex",
    "scoped_allocator", "semaphore", "set", "shared_mutex", "source_location", "span", "spanstream",
    "sstream", "stack", "stacktrace", "stdexcept", "stdfloat", "stop_token", "streambuf", "string",
    "string_view", "syncstream", "system_error", "thread", "tuple", "type_traits", "typeindex", "typeinfo",
    "unordered_map", "unordered_set", "utility", "valarray", "variant", "vector", "version",
    "cassert", "ccomplex", "cctype", "cerrno", "cfenv", "cfloat", "cinttypes", "ciso646", "climits",
    "clocale", "cmath", "csetjmp", "csignal", "cstdalign", "cstdarg", "cstdbool", "cstddef", "cstdint",
    "cstdio", "cstdlib", "cstring", "ctgmath", "ctime", "cuchar", "cwchar", "cwctype",
    "assert.h", "complex.h", "ctype.h", "errno.h", "fenv.h", "float.h", "inttypes.h", "iso646.h",
    "limits.h", "locale.h", "math.h", "setjmp.h", "signal.h", "stdalign.h", "stdarg.h", "stdbool.h",
    "stddef.h", "stdint.h", "stdio.h", "stdlib.h", "string.h", "tgmath.h", "time.h", "uchar.h",
    "wchar.h", "wctype.h",
};
// clang-format on

// The one engine file that calls the operating system: a replace-write syncs
// its file and folder to the disk, which the standard library cannot.
const std::string kDiskSyncFile = "core/AtomicFile.cpp";
const std::set<std::string, std::less<>> kDiskSyncHeaders = {"fcntl.h", "unistd.h", "io.h"};

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string shown(const std::string& relative) { return "src/" + relative; }

// The first folder of a path relative to the source folder; "" for a file
// lying directly in it.
std::string folderOf(const std::string& relative) {
    const auto slash = relative.find('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash);
}

std::string shownFolder(const std::string& folder) { return folder.empty() ? "src/" : folder + "/"; }

// ---- CMakeLists.txt ----------------------------------------------------------

// Drops line comments and bracket comments (#[[ ... ]], #[==[ ... ]==]),
// leaving quoted arguments alone.
std::string withoutCMakeComments(const std::string& text) {
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            out += c;
            if (c == '\\' && i + 1 < text.size())
                out += text[++i];
            else if (c == '"')
                quoted = false;
            continue;
        }
        if (c == '"') {
            quoted = true;
            out += c;
            continue;
        }
        if (c != '#') {
            out += c;
            continue;
        }
        std::size_t j = i + 1;
        if (j < text.size() && text[j] == '[') {
            std::size_t k = j + 1;
            while (k < text.size() && text[k] == '=') ++k;
            if (k < text.size() && text[k] == '[') {
                const std::string close = "]" + std::string(k - j - 1, '=') + "]";
                const auto end = text.find(close, k + 1);
                i = end == std::string::npos ? text.size() : end + close.size() - 1;
                out += ' ';
                continue;
            }
        }
        const auto end = text.find('\n', i);
        i = end == std::string::npos ? text.size() : end - 1;
    }
    return out;
}

struct SourceListing {
    std::string command; // target_sources, add_library or add_executable
    std::vector<std::string> arguments;
};

std::vector<SourceListing> sourceListings(const std::string& cmakeText) {
    static const std::set<std::string> commands = {"target_sources", "add_library", "add_executable"};
    const std::string text = withoutCMakeComments(cmakeText);
    std::vector<SourceListing> found;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto isWord = [&](std::size_t at) {
            return std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_';
        };
        if (!isWord(i)) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && isWord(i)) ++i;
        std::string word = text.substr(start, i - start);
        std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
        std::size_t open = i;
        while (open < text.size() && std::isspace(static_cast<unsigned char>(text[open]))) ++open;
        if (!commands.count(word) || open >= text.size() || text[open] != '(') continue;

        SourceListing listing{word, {}};
        std::string token;
        bool quoted = false;
        int depth = 1;
        for (i = open + 1; i < text.size() && depth > 0; ++i) {
            const char c = text[i];
            if (quoted) {
                if (c == '"')
                    quoted = false;
                else
                    token += c;
                continue;
            }
            if (c == '"') {
                quoted = true;
            } else if (c == '(' || c == ')' || std::isspace(static_cast<unsigned char>(c))) {
                depth += c == '(' ? 1 : c == ')' ? -1 : 0;
                if (!token.empty()) listing.arguments.push_back(token);
                token.clear();
            } else {
                token += c;
            }
        }
        found.push_back(listing);
    }
    return found;
}

bool isListingKeyword(const std::string& command, const std::string& word) {
    static const std::set<std::string> targetSources = {"PRIVATE", "PUBLIC", "INTERFACE"};
    static const std::set<std::string> addLibrary = {"STATIC",  "SHARED",   "MODULE", "OBJECT", "INTERFACE",
                                                     "UNKNOWN", "IMPORTED", "ALIAS",  "GLOBAL", "EXCLUDE_FROM_ALL"};
    static const std::set<std::string> addExecutable = {"WIN32",    "MACOSX_BUNDLE", "EXCLUDE_FROM_ALL",
                                                        "IMPORTED", "ALIAS",         "GLOBAL"};
    const auto& keywords = command == "target_sources" ? targetSources
                           : command == "add_library"  ? addLibrary
                                                       : addExecutable;
    return keywords.count(word) > 0;
}

// `path` relative to `root`, or "" when it lies outside it.
std::string relativeInside(const fs::path& path, const fs::path& root) {
    const fs::path relative = path.lexically_normal().lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..") return {};
    return relative.generic_string();
}

// ---- #include lines ------------------------------------------------------------

struct IncludeLine {
    int line = 0;
    std::string directive; // as written, for the message
    std::string name;      // between the quotes or angle brackets; empty when computed
    bool angled = false;
};

std::vector<IncludeLine> includeLines(const std::string& text) {
    std::vector<IncludeLine> found;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t i = 0;
        const auto skipBlanks = [&] {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        };
        skipBlanks();
        if (i >= line.size() || line[i] != '#') continue;
        ++i;
        skipBlanks();
        if (line.compare(i, 7, "include") != 0) continue;
        i += 7;
        if (i < line.size() && (std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '_'))
            continue; // include_next and the like
        skipBlanks();
        IncludeLine include;
        include.line = number;
        if (i < line.size() && (line[i] == '"' || line[i] == '<')) {
            include.angled = line[i] == '<';
            const auto end = line.find(include.angled ? '>' : '"', i + 1);
            if (end != std::string::npos) include.name = line.substr(i + 1, end - i - 1);
        }
        std::string directive = line;
        directive.erase(0, directive.find('#'));
        include.directive = directive;
        found.push_back(include);
    }
    return found;
}

enum class Kind { SourceFile, MissingSourceFile, Qt, Cli11, Standard, OutsideSources, Other, Unreadable };

struct Included {
    Kind kind = Kind::Other;
    std::string file;   // SourceFile: path relative to the source folder
    std::string folder; // SourceFile, MissingSourceFile: its folder
};

class Resolver {
public:
    Resolver(fs::path root, std::set<std::string> folders) : root_(std::move(root)), folders_(std::move(folders)) {}

    // Where `include` in the file `includer` (relative to the source folder)
    // leads, searching as the compiler does: beside the including file for a
    // quoted name, then the source folder. A header generated from `name.in`
    // counts as that file.
    Included resolve(const std::string& includer, const IncludeLine& include) const {
        if (include.name.empty()) return {Kind::Unreadable, {}, {}};
        std::vector<fs::path> candidates;
        if (!include.angled) candidates.push_back((root_ / includer).parent_path() / include.name);
        candidates.push_back(root_ / include.name);
        for (const auto& candidate : candidates) {
            for (const auto& path : {candidate, fs::path(candidate.string() + ".in")}) {
                std::error_code error;
                if (!fs::is_regular_file(path, error)) continue;
                const std::string relative = relativeInside(path, root_);
                if (relative.empty()) return {Kind::OutsideSources, path.lexically_normal().generic_string(), {}};
                return {Kind::SourceFile, relative, folderOf(relative)};
            }
        }
        const std::string first = fs::path(include.name).begin()->generic_string();
        if (folders_.count(first) && include.name.find('/') != std::string::npos)
            return {Kind::MissingSourceFile, {}, first};
        if (include.name.rfind("CLI/", 0) == 0) return {Kind::Cli11, {}, {}};
        if (include.name[0] == 'Q' || (include.name[0] == 'q' && include.name.size() > 2 &&
                                       include.name.compare(include.name.size() - 2, 2, ".h") == 0))
            return {Kind::Qt, {}, {}};
        if (kStandardHeaders.count(include.name)) return {Kind::Standard, {}, {}};
        return {Kind::Other, {}, {}};
    }

private:
    fs::path root_;
    std::set<std::string> folders_;
};

// ---- the rule ------------------------------------------------------------------

class Checker {
public:
    explicit Checker(const fs::path& sourceFolder) {
        root_ = fs::absolute(sourceFolder).lexically_normal();
        if (!root_.has_filename()) root_ = root_.parent_path();
    }

    TreeReport run() {
        std::set<std::string> folders;
        std::vector<fs::path> cmakeFiles;
        std::error_code error;
        for (fs::recursive_directory_iterator it(root_, error), end; !error && it != end; it.increment(error)) {
            const fs::path& path = it->path();
            if (it->is_directory() && it.depth() == 0) folders.insert(path.filename().string());
            if (!it->is_regular_file()) continue;
            if (path.filename() == "CMakeLists.txt")
                cmakeFiles.push_back(path);
            else
                report_.layers[relativeInside(path, root_)];
        }
        if (error) report_.problems.push_back(shown("") + ": cannot read the source folder: " + error.message());
        if (report_.layers.empty())
            report_.problems.push_back(shown("") + ": no source files found in " + root_.string());

        std::sort(cmakeFiles.begin(), cmakeFiles.end());
        for (const auto& cmake : cmakeFiles) readListings(cmake);
        for (const auto& [file, layers] : report_.layers)
            if (layers.empty() && !listedByUnknownTarget_.count(file))
                report_.problems.push_back(
                    shown(file) + ": no target lists this file; add it to a target_sources() in " +
                    shown(folderOf(file).empty() ? "" : folderOf(file) + "/") + "CMakeLists.txt");

        const Resolver resolver(root_, folders);
        for (const auto& [file, layers] : report_.layers) checkIncludes(file, layers, resolver);
        checkFolderCycles();
        return report_;
    }

private:
    void readListings(const fs::path& cmake) {
        const std::string where = shown(relativeInside(cmake, root_));
        for (const auto& listing : sourceListings(readText(cmake))) {
            if (listing.arguments.empty()) continue;
            const std::string& target = listing.arguments.front();
            const auto known = kTargetLayers.find(target);
            for (std::size_t i = 1; i < listing.arguments.size(); ++i) {
                const std::string& argument = listing.arguments[i];
                if (argument.find('$') != std::string::npos || isListingKeyword(listing.command, argument)) continue;
                const std::string file = relativeInside(cmake.parent_path() / argument, root_);
                if (file.empty() || !report_.layers.count(file)) continue;
                if (known != kTargetLayers.end()) {
                    report_.layers[file].insert(known->second);
                } else {
                    listedByUnknownTarget_.insert(file);
                    report_.problems.push_back(where + ": " + listing.command + "(" + target + " ...) lists " +
                                               shown(file) + ", but the dependency rule knows no target " + target);
                }
            }
        }
    }

    void checkIncludes(const std::string& file, const std::set<Layer>& layers, const Resolver& resolver) {
        for (const auto& include : includeLines(readText(root_ / file))) {
            const Included included = resolver.resolve(file, include);
            const std::string at = shown(file) + ":" + std::to_string(include.line) + ": " + include.directive + ": ";

            if (!included.folder.empty() && included.folder != folderOf(file)) {
                const auto edge = std::make_pair(folderOf(file), included.folder);
                if (!edges_.count(edge))
                    edges_[edge] = shown(file) + ":" + std::to_string(include.line) + " " + include.directive;
            }

            if (included.kind == Kind::Unreadable) {
                report_.problems.push_back(at + "an include the dependency rule cannot read");
                continue;
            }
            if (included.kind == Kind::MissingSourceFile) {
                report_.problems.push_back(at + "names no file under src/");
                continue;
            }
            if (layers.count(Layer::Engine)) {
                if (file == kDiskSyncFile && included.kind == Kind::Other && kDiskSyncHeaders.count(include.name))
                    continue;
                if (const std::string why = engineBreak(included); !why.empty())
                    report_.problems.push_back(at + "an engine file includes " + why +
                                               "; engine code includes only engine code and the standard library");
            } else if (layers.count(Layer::CommandLine)) {
                if (const std::string why = commandLineBreak(included); !why.empty())
                    report_.problems.push_back(at + "a command-line file includes " + why +
                                               "; command-line code includes only engine and command-line code, "
                                               "CLI11 and the standard library");
            }
        }
    }

    // What an engine file may not include, described; "" when allowed.
    std::string engineBreak(const Included& included) const {
        switch (included.kind) {
        case Kind::Standard: return {};
        case Kind::Qt: return "Qt";
        case Kind::Cli11: return "CLI11";
        case Kind::OutsideSources: return included.file + ", outside src/";
        case Kind::Other: return "a header that is not the standard library";
        case Kind::SourceFile:
            if (kWindowsOnlyFolders.count(included.folder) || included.folder == kCommandLineFolder)
                return shown(included.file) + " from " + included.folder + "/";
            return layerBreak(included, {Layer::Engine});
        default: return {};
        }
    }

    std::string commandLineBreak(const Included& included) const {
        switch (included.kind) {
        case Kind::Standard:
        case Kind::Cli11: return {};
        case Kind::Qt: return "Qt";
        case Kind::OutsideSources: return included.file + ", outside src/";
        case Kind::Other: return "a header that is neither CLI11 nor the standard library";
        case Kind::SourceFile:
            if (kWindowsOnlyFolders.count(included.folder))
                return shown(included.file) + " from " + included.folder + "/";
            return layerBreak(included, {Layer::Engine, Layer::CommandLine});
        default: return {};
        }
    }

    // A source file outside the allowed layers, described; "" when allowed or
    // when the file is unlisted (reported on its own).
    std::string layerBreak(const Included& included, const std::set<Layer>& allowed) const {
        const auto& layers = report_.layers.at(included.file);
        if (layers.empty()) return {};
        for (const Layer layer : layers)
            if (allowed.count(layer)) return {};
        return shown(included.file) + ", which belongs to " + targetName(*layers.begin());
    }

    void checkFolderCycles() {
        std::map<std::string, std::set<std::string>> next;
        for (const auto& [edge, where] : edges_) next[edge.first].insert(edge.second);
        const auto reachable = [&](const std::string& from) {
            std::set<std::string> seen;
            std::vector<std::string> stack{from};
            while (!stack.empty()) {
                const std::string folder = stack.back();
                stack.pop_back();
                for (const auto& to : next[folder])
                    if (seen.insert(to).second) stack.push_back(to);
            }
            return seen;
        };
        std::map<std::string, std::set<std::string>> reach;
        for (const auto& [folder, targets] : next) reach[folder] = reachable(folder);

        std::set<std::string> reported;
        for (const auto& [start, reached] : reach) {
            if (reported.count(start) || !reached.count(start)) continue;
            // The folders on some cycle with `start`: those it reaches that reach it back.
            std::set<std::string> cycleFolders;
            for (const auto& folder : reached)
                if (reach[folder].count(start)) cycleFolders.insert(folder);
            reported.insert(cycleFolders.begin(), cycleFolders.end());

            // The shortest way round from `start`, for the message.
            std::map<std::string, std::string> cameFrom;
            std::deque<std::string> queue{start};
            std::string last;
            while (!queue.empty() && last.empty()) {
                const std::string folder = queue.front();
                queue.pop_front();
                for (const auto& to : next[folder]) {
                    if (!cycleFolders.count(to)) continue;
                    if (to == start) {
                        last = folder;
                        break;
                    }
                    if (!cameFrom.count(to)) {
                        cameFrom[to] = folder;
                        queue.push_back(to);
                    }
                }
            }
            std::vector<std::string> path{start};
            for (std::string folder = last; folder != start; folder = cameFrom[folder])
                path.insert(path.begin() + 1, folder);
            path.push_back(start);

            std::string round, evidence;
            for (std::size_t i = 0; i < path.size(); ++i) {
                round += (i ? " -> " : "") + shownFolder(path[i]);
                if (i + 1 < path.size()) evidence += (i ? "; " : "") + edges_.at({path[i], path[i + 1]});
            }
            const std::string& first = edges_.at({path[0], path[1]});
            report_.problems.push_back(first.substr(0, first.find(' ')) + ": folders include each other: " + round +
                                       " (" + evidence + ")");
        }
    }

    fs::path root_;
    TreeReport report_;
    std::set<std::string> listedByUnknownTarget_;
    // The first include seen from one folder into another, "src/<file>:<line> #include ...".
    std::map<std::pair<std::string, std::string>, std::string> edges_;
};

} // namespace

std::string targetName(Layer layer) {
    for (const auto& [name, value] : kTargetLayers)
        if (value == layer) return name;
    return "?";
}

TreeReport checkSourceTree(const fs::path& sourceFolder) { return Checker(sourceFolder).run(); }

} // namespace archrule
