// A small test harness that builds both as a Windows program (mingw-w64) and
// natively against the layer, so one source can be checked on both.
#pragma once

#include <sstream>
#include <string>
#include <type_traits>
#include <utility>

namespace conformance {

using TestFunction = void (*)();

struct TestCase {
    const char* name;
    TestFunction run;
    TestCase* next;
};

// Tests link themselves into this list from their static initialisers.
TestCase*& RegisteredTests();

struct Registrar {
    Registrar(TestCase* test) {
        test->next = RegisteredTests();
        RegisteredTests() = test;
    }
};

// Records one failed check of the running test.
void ReportFailure(const char* file, int line, const std::string& message);

template <typename T, typename = void>
struct IsStreamable : std::false_type {};
template <typename T>
struct IsStreamable<T, std::void_t<decltype(std::declval<std::ostream&>() << std::declval<const T&>())>>
    : std::true_type {};

template <typename T>
std::string Describe(T value) {
    std::ostringstream out;
    if constexpr (std::is_same_v<T, char> || std::is_same_v<T, signed char> || std::is_same_v<T, unsigned char>) {
        out << static_cast<int>(value);  // a byte, not a character to print
    } else if constexpr (std::is_same_v<T, const char*> || std::is_same_v<T, char*>) {
        if (value) out << '"' << value << '"'; else out << "(null)";
    } else if constexpr (std::is_pointer_v<T>) {
        out << static_cast<const void*>(value);
    } else if constexpr (std::is_enum_v<T>) {
        out << static_cast<long long>(value);
    } else if constexpr (IsStreamable<T>::value) {
        out << value;
    } else {
        out << "(" << sizeof(T) << "-byte value)";
    }
    return out.str();
}

template <typename T>
constexpr bool IsText = std::is_same_v<T, const char*> || std::is_same_v<T, char*>;

// Text pointers compare by content, integers by value whatever their signedness
// (a DWORD against a literal), everything else by ==.
template <typename A, typename B>
bool Equal(A a, B b) {
    if constexpr (IsText<A> && IsText<B>) {
        if (!a || !b) return a == b;
        return std::string(a) == std::string(b);
    } else if constexpr (std::is_integral_v<A> && std::is_integral_v<B>) {
        if constexpr (std::is_signed_v<A>) if (a < 0) return std::is_signed_v<B> && static_cast<long long>(a) == static_cast<long long>(b);
        if constexpr (std::is_signed_v<B>) if (b < 0) return false;
        return static_cast<unsigned long long>(a) == static_cast<unsigned long long>(b);
    } else {
        return a == b;
    }
}

// Taken by value so that arrays (string literals) arrive as pointers.
template <typename A, typename B>
void CheckEqual(A actual, B expected, const char* actualText, const char* expectedText, const char* file, int line) {
    if (Equal(actual, expected)) return;
    ReportFailure(file, line,
                  std::string("CHECK_EQ(") + actualText + ", " + expectedText + "): actual " + Describe(actual) +
                      ", expected " + Describe(expected));
}

}  // namespace conformance

#define CONFORMANCE_TEST(Name)                                                              \
    static void conformance_test_##Name();                                                  \
    static conformance::TestCase conformance_case_##Name = {#Name, conformance_test_##Name, \
                                                            nullptr};                       \
    static conformance::Registrar conformance_registrar_##Name(&conformance_case_##Name);   \
    static void conformance_test_##Name()

#define CHECK(cond)                                                                     \
    do {                                                                                \
        if (!(cond)) conformance::ReportFailure(__FILE__, __LINE__, "CHECK(" #cond ")"); \
    } while (0)

#define CHECK_EQ(actual, expected) \
    conformance::CheckEqual((actual), (expected), #actual, #expected, __FILE__, __LINE__)
