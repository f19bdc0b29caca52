#include "testsupport/TestProcess.h"

#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tlv::test {

namespace {

HANDLE InheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
    return ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string Quote(const std::string& argument) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
        } else if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
            backslashes = 0;
        } else {
            quoted.append(backslashes, '\\');
            backslashes = 0;
        }
        if (c != '\\') {
            quoted += c;
        }
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

ProcessResult RunProgram(const std::string& program, const std::string& arguments) {
    // Output goes through files: a pipe would also wait for the Wine server, which inherits it.
    TempFolder folder;
    const std::string outPath = folder.Path("out.txt");
    const std::string errPath = folder.Path("err.txt");
    ProcessResult result;
    {
        const HANDLE out = InheritableFile(outPath);
        const HANDLE err = InheritableFile(errPath);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out;
        startup.hStdError = err;
        const std::string path = ProgramFolder() + program;
        std::string commandLine = Quote(path) + " " + arguments;
        PROCESS_INFORMATION process = {};
        const BOOL started = ::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                              nullptr, nullptr, &startup, &process);
        ::CloseHandle(out);
        ::CloseHandle(err);
        if (!started) {
            ADD_FAILURE() << "cannot start " << path;
            return result;
        }
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exitCode = 0;
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        result.exitCode = exitCode;
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    result.output = ReadBytes(outPath);
    result.errors = ReadBytes(errPath);
    return result;
}

}  // namespace tlv::test
