/// \file
/// The command line of every program (md2viewer, md2info, md2gltf, gltf2md2), read through one table
/// of options: each option's short and long names, the name of its value, its help and what it does
/// to the program's options; the other arguments are the files. A program's Options type has `help`
/// and `version` flags, which the table's --help and --version set.
#pragma once

#include "base/Version.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <strings.h>
#include <vector>

namespace korvel::tools {

template <typename Options> struct ToolOption {
    const char* shortName; // may be null
    const char* name;
    const char* value; // null for a switch
    const char* help;
    // Returns an error message, or an empty one.
    std::string (*apply)(Options& options, const std::string& value);
};

// A positive number no larger than limit, or 0 when text is not one.
inline double PositiveNumber(const std::string& text, double limit) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0' && std::isfinite(value) && value > 0 && value <= limit ? value
                                                                                                      : 0.0;
}

// Whether a file name ends in `end` (any case) with something before it.
inline bool EndsWith(const std::string& text, const char* end) {
    const size_t n = std::strlen(end);
    return text.size() > n && strcasecmp(text.c_str() + text.size() - n, end) == 0;
}

// Adds a part given as TAG=MODEL[:SKIN] (--attach of md2viewer and md2gltf) to `parts`; an error
// message when it is not one.
inline std::string AddAttachment(std::vector<std::string>& parts, const std::string& value) {
    const size_t equals = value.find('=');
    if (equals == 0 || equals == std::string::npos || equals + 1 == value.size()) {
        return "--attach needs TAG=MODEL[:SKIN], not '" + value + "'";
    }
    parts.push_back(value);
    return "";
}

// Splits a part's MODEL[:SKIN] after the model's ".md2" (any case); without one, the whole is the model.
inline void SplitPartSkin(const std::string& given, std::string& model, std::string& skin) {
    for (size_t at = 0; at + 5 <= given.size(); ++at) {
        if (strncasecmp(given.c_str() + at, ".md2:", 5) == 0) {
            model = given.substr(0, at + 4);
            skin = given.substr(at + 5);
            return;
        }
    }
    model = given;
    skin.clear();
}

// A line for each option, its help in one column.
template <typename Options> std::string OptionHelp(const std::vector<ToolOption<Options>>& table) {
    std::string text;
    for (const ToolOption<Options>& option : table) {
        std::string left =
            option.shortName ? std::string(option.shortName) + ", " + option.name : option.name;
        left += option.value ? std::string(" ") + option.value : "";
        text += "  " + left + std::string(left.size() < 17 ? 19 - left.size() : 2, ' ') + option.help + "\n";
    }
    return text;
}

// A wrong command line: "PROGRAM: MESSAGE" and the usage on standard error; status 2.
inline int WrongCommandLine(const char* program, const char* usage, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n%s", program, message.c_str(), usage);
    return 2;
}

// Reads argv against the table: options change `options`, the other arguments (at most maxFiles) go
// to `files`; an empty value counts as none. -1 when the tool is to run; otherwise the exit status: 0 after
// --help (help()'s text) or
// --version on standard output, 2 after a wrong command line.
template <typename Options>
int ReadCommandLine(int argc, char** argv, const std::vector<ToolOption<Options>>& table, Options& options,
                    std::vector<std::string>& files, size_t maxFiles, const char* program, const char* usage,
                    const std::function<std::string()>& help) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const ToolOption<Options>* option = nullptr;
        for (const ToolOption<Options>& known : table) {
            option = arg == known.name || (known.shortName && arg == known.shortName) ? &known : option;
        }
        if (!option) {
            if (arg.size() > 1 && arg[0] == '-') {
                return WrongCommandLine(program, usage, "unknown option '" + arg + "'");
            }
            if (arg.empty() || files.size() == maxFiles) {
                return WrongCommandLine(program, usage,
                                        arg.empty() ? "an empty file name" : "too many files: '" + arg + "'");
            }
            files.push_back(arg);
            continue;
        }
        if (option->value && (i + 1 >= argc || argv[i + 1][0] == '\0')) {
            return WrongCommandLine(program, usage, "option " + arg + " needs a value");
        }
        const std::string error = option->apply(options, option->value ? argv[++i] : "");
        if (!error.empty()) {
            return WrongCommandLine(program, usage, error);
        }
        if (options.help || options.version) {
            const std::string text =
                options.help ? help() : std::string(program) + " (Korvel Engine) " KORVEL_VERSION "\n";
            std::printf("%s", text.c_str());
            return 0;
        }
    }
    return -1;
}

} // namespace korvel::tools
