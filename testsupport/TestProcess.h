#pragma once

#include <string>

namespace tlv::test {

struct ProcessResult {
    unsigned exitCode = 0;
    std::string output;  // standard output, as bytes
    std::string errors;  // standard error
};

// Runs a program of the build folder to its end with the given command-line arguments.
ProcessResult RunProgram(const std::string& program, const std::string& arguments);

// Quotes one command-line argument so that the C runtime's parser gives it back unchanged.
std::string Quote(const std::string& argument);

}  // namespace tlv::test
