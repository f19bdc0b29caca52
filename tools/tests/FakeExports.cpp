// A stand-in for the library with every export's prototype and results that show how tlvcall called it.

#include <windows.h>

#include <climits>
#include <string>

#define EXPORT extern "C" __declspec(dllexport)

namespace {

std::string text;

const char* Echo(const char* name, const char* argument) {
    text = std::string(name) + ":" + argument;
    return text.c_str();
}

WORD Digits(const char* a, const char* b, const char* c) {
    return static_cast<WORD>((a[0] - '0') * 100 + (b[0] - '0') * 10 + (c[0] - '0'));
}

}  // namespace

EXPORT INT32 WINAPI f10(const char*) { return -7; }
EXPORT const char* WINAPI f11(const char* a) { return Echo("f11", a); }
EXPORT const char* WINAPI f12(const char* a) { return Echo("f12", a); }
EXPORT const char* WINAPI f13(const char* a) { return Echo("f13", a); }
EXPORT const char* WINAPI f14(const char*) { return nullptr; }
EXPORT WORD WINAPI f15() { return 65535; }
EXPORT INT32 WINAPI f16() { return INT_MIN; }
EXPORT HANDLE WINAPI f17() {
    static int calls = 0;
    return ++calls == 1 ? reinterpret_cast<HANDLE>(0x1234) : nullptr;
}
EXPORT WORD WINAPI f18(const char* a, const char* b, const char* c) { return Digits(a, b, c); }
EXPORT WORD WINAPI f19(const char* a, const char* b, const char* c) { return Digits(a, b, c); }
EXPORT WORD WINAPI f20(const char*) { return 0; }
EXPORT const char* WINAPI f21(const char* a) { return Echo("f21", a); }
EXPORT void WINAPI f23(const char*) {}
EXPORT WORD WINAPI f24(const char* a, const char* b, const char* c) { return Digits(a, b, c); }
