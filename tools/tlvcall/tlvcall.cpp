// tlvcall: calls the library's exports the way an installer does, for tests, demos and hand checks.
//
//   tlvcall [--dll PATH] EXPORT [TEXT ...] [+ EXPORT [TEXT ...]] ...
//
// Loads the library (by default TlvSetup.dll beside this program), calls each export with its exact
// prototype, one after the other in this process, and prints one line per call.

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class ResultKind { Integer, Short, Text, Handle, None };

struct ExportInfo {
    const char* name;
    size_t textCount;
    ResultKind result;
};

constexpr ExportInfo kExports[] = {
    {"f10", 1, ResultKind::Integer}, {"f11", 1, ResultKind::Text},   {"f12", 1, ResultKind::Text},
    {"f13", 1, ResultKind::Text},    {"f14", 1, ResultKind::Text},   {"f15", 0, ResultKind::Short},
    {"f16", 0, ResultKind::Integer}, {"f17", 0, ResultKind::Handle}, {"f18", 3, ResultKind::Short},
    {"f19", 3, ResultKind::Short},   {"f20", 1, ResultKind::Short},  {"f21", 1, ResultKind::Text},
    {"f23", 1, ResultKind::None},    {"f24", 3, ResultKind::Short},
};

struct Call {
    const ExportInfo* info;
    std::vector<const char*> texts;
    FARPROC function = nullptr;
};

struct UsageError {
    std::string message;
};

const ExportInfo* FindExport(const char* name) {
    for (const ExportInfo& info : kExports) {
        if (std::strcmp(info.name, name) == 0) {
            return &info;
        }
    }
    return nullptr;
}

std::string DefaultLibraryPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of("\\/") + 1);
    return path + "TlvSetup.dll";
}

std::vector<Call> ParseCalls(int argc, char** argv, std::string& libraryPath) {
    int next = 1;
    if (next < argc && std::strcmp(argv[next], "--dll") == 0) {
        if (next + 1 >= argc) {
            throw UsageError{"--dll needs a path"};
        }
        libraryPath = argv[next + 1];
        next += 2;
    }
    std::vector<Call> calls;
    while (next < argc) {
        const ExportInfo* info = FindExport(argv[next]);
        if (info == nullptr) {
            throw UsageError{std::string("unknown export: ") + argv[next]};
        }
        Call call{info, {}};
        for (++next; next < argc && std::strcmp(argv[next], "+") != 0; ++next) {
            call.texts.push_back(argv[next]);
        }
        if (call.texts.size() != info->textCount) {
            throw UsageError{std::string(info->name) + " takes " + std::to_string(info->textCount) +
                             " text(s), given " + std::to_string(call.texts.size())};
        }
        calls.push_back(call);
        if (next < argc) {
            ++next;  // the "+"
            if (next == argc) {
                throw UsageError{"an export must follow +"};
            }
        }
    }
    if (calls.empty()) {
        throw UsageError{"usage: tlvcall [--dll PATH] EXPORT [TEXT ...] [+ EXPORT [TEXT ...]] ..."};
    }
    return calls;
}

// Calls the export with the prototype its argument count and result type make.
template <typename Result>
Result Invoke(const Call& call) {
    const void* function = reinterpret_cast<const void*>(call.function);
    const auto& t = call.texts;
    switch (t.size()) {
    case 0:
        return reinterpret_cast<Result(WINAPI*)()>(function)();
    case 1:
        return reinterpret_cast<Result(WINAPI*)(const char*)>(function)(t[0]);
    default:
        return reinterpret_cast<Result(WINAPI*)(const char*, const char*, const char*)>(function)(t[0], t[1], t[2]);
    }
}

void PrintLine(const char* text) {
    std::fwrite(text, 1, std::strlen(text), stdout);
    std::fputc('\n', stdout);
}

void PerformCall(const Call& call) {
    char line[64];
    switch (call.info->result) {
    case ResultKind::Integer:
        std::snprintf(line, sizeof(line), "%ld", static_cast<long>(Invoke<INT32>(call)));
        PrintLine(line);
        break;
    case ResultKind::Short:
        std::snprintf(line, sizeof(line), "%u", static_cast<unsigned>(Invoke<WORD>(call)));
        PrintLine(line);
        break;
    case ResultKind::Text: {
        const char* text = Invoke<const char*>(call);
        PrintLine(text != nullptr ? text : "");
        break;
    }
    case ResultKind::Handle: {
        const HANDLE handle = Invoke<HANDLE>(call);
        if (handle == nullptr) {
            PrintLine("0");
        } else {
            std::snprintf(line, sizeof(line), "0x%llx",
                          static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(handle)));
            PrintLine(line);
        }
        break;
    }
    case ResultKind::None:
        Invoke<void>(call);
        PrintLine("");
        break;
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    // Text results are printed as the bytes the library returned.
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        std::string libraryPath;
        std::vector<Call> calls = ParseCalls(argc, argv, libraryPath);
        if (libraryPath.empty()) {
            libraryPath = DefaultLibraryPath();
        }
        // Stays loaded until the process ends, as in an installer: returned texts point into it.
        const HMODULE library = ::LoadLibraryA(libraryPath.c_str());
        if (library == nullptr) {
            throw UsageError{"cannot load " + libraryPath};
        }
        for (Call& call : calls) {
            call.function = ::GetProcAddress(library, call.info->name);
            if (call.function == nullptr) {
                throw UsageError{libraryPath + " has no export " + call.info->name};
            }
        }
        for (const Call& call : calls) {
            PerformCall(call);
        }
        return 0;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "tlvcall: %s\n", error.message.c_str());
        return 2;
    }
}
