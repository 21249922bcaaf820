// What the command-line tools share: their messages, their output and how they read the
// words of a command.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/result.h"

namespace cli {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

// Names the program in its messages and gives the text Usage and --help print. Called once,
// first thing in main(); both are kept for the life of the program.
void SetProgram(const char* name, const char* usageText);

// Prints "PROGRAM: message" on stderr.
void Warn(const std::string& message);
// Prints the problem (unless empty) and the usage text on stderr; returns kUsage.
int Usage(const std::string& problem);
// Prints the message on stderr; returns status.
int Failure(const std::string& message, int status = kFailed);
// Writes text to the buffered stdout.
void Out(const std::string& text);
// Flushes stdout: returns status, or kFailed with a message when the output could not be written.
int Finish(int status = 0);

// Text for a terminal: control characters (an escape sequence, a tab or a line break inside
// a name from a list or a file) become blanks, so one entry stays one line and nothing read
// can drive the terminal.
std::string Printable(std::string text);

// The command's words after the command name, with its options taken out.
struct Arguments {
    std::vector<std::string> words;
    std::multimap<std::string, std::string> options;
    bool Has(const std::string& name) const { return options.count(name) > 0; }
    // The value given first, or "" when the option is not given.
    std::string Get(const std::string& name) const;
    // The value given last, or "" when the option is not given.
    std::string Last(const std::string& name) const;
};

// Splits args into words and options: each of known takes a value, flags take none.
// Fails on an unknown option or a value missing.
platform::Result<Arguments> TakeArguments(const std::vector<std::string>& args,
                                          const std::vector<std::string>& known,
                                          const std::vector<std::string>& flags);

// The command line split at the command.
struct Leading {
    std::string path;               // the file the path option named, or ""
    std::string command;            // the command's name
    std::vector<std::string> rest;  // the words after the command
    int ended = -1;                 // the exit status to end with, or -1 to go on
};

// Reads what stands before the command: --help and --version, which end the program, and
// pathOption with the file it names.
Leading TakeLeading(int argc, char** argv, const std::string& pathOption);

}  // namespace cli
