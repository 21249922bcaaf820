#include "cli/tool_output.h"

#include <cstdio>
#include <iterator>

namespace cli {
namespace {

const char* programName = "vendrake";
const char* programUsage = "";

}  // namespace

void SetProgram(const char* name, const char* usageText) {
    programName = name;
    programUsage = usageText;
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
}

void Warn(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", programName, message.c_str());
}

int Usage(const std::string& problem) {
    if (!problem.empty())
        Warn(problem);
    std::fputs(programUsage, stderr);
    return kUsage;
}

int Failure(const std::string& message, int status) {
    Warn(message);
    return status;
}

void Out(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

int Finish(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Failure("cannot write the output");
    return status;
}

std::string Printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    return text;
}

std::string Arguments::Get(const std::string& name) const {
    const auto found = options.lower_bound(name);
    return found == options.end() || found->first != name ? std::string() : found->second;
}

std::string Arguments::Last(const std::string& name) const {
    const auto end = options.upper_bound(name);
    if (end == options.begin())
        return std::string();
    const auto last = std::prev(end);
    return last->first == name ? last->second : std::string();
}

platform::Result<Arguments> TakeArguments(const std::vector<std::string>& args,
                                          const std::vector<std::string>& known,
                                          const std::vector<std::string>& flags) {
    Arguments out;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0 || arg == "--") {
            out.words.push_back(arg);
            continue;
        }
        bool isFlag = false;
        for (const std::string& flag : flags)
            isFlag = isFlag || flag == arg;
        if (isFlag) {
            out.options.emplace(arg, "");
            continue;
        }
        bool isKnown = false;
        for (const std::string& option : known)
            isKnown = isKnown || option == arg;
        if (!isKnown)
            return platform::Failure("unknown option " + arg);
        if (i + 1 >= args.size())
            return platform::Failure(arg + " needs a value");
        out.options.emplace(arg, args[++i]);
    }
    return out;
}

Leading TakeLeading(int argc, char** argv, const std::string& pathOption) {
    Leading leading;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(programUsage, stdout);
            leading.ended = Finish();
            return leading;
        }
        if (arg == "--version") {
            Out(std::string(programName) + ' ' + VENDRAKE_VERSION + '\n');
            leading.ended = Finish();
            return leading;
        }
        if (arg == pathOption) {
            if (i + 1 >= argc) {
                leading.ended = Usage(pathOption + " needs a path");
                return leading;
            }
            leading.path = argv[++i];
            continue;
        }
        leading.rest.push_back(arg);
    }
    if (leading.rest.empty()) {
        leading.ended = Usage("no command given");
        return leading;
    }
    leading.command = leading.rest.front();
    leading.rest.erase(leading.rest.begin());
    return leading;
}

}  // namespace cli
