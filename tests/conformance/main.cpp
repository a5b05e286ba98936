// Runs every registered conformance test and reports the totals; the exit code
// says whether all passed.
#include "conformance/check.h"

#include <cstdio>
#include <vector>

namespace conformance {

namespace {
int failuresInTest = 0;
const char* runningTest = "";
}  // namespace

TestCase*& RegisteredTests() {
    static TestCase* head = nullptr;
    return head;
}

void ReportFailure(const char* file, int line, const std::string& message) {
    ++failuresInTest;
    std::printf("%s:%d: %s: %s\n", file, line, runningTest, message.c_str());
    std::fflush(stdout);
}

}  // namespace conformance

int main() {
    // Registration prepends, so reverse to run in the order the sources list them.
    std::vector<conformance::TestCase*> tests;
    for (conformance::TestCase* test = conformance::RegisteredTests(); test; test = test->next) tests.push_back(test);
    int passed = 0, failed = 0;
    for (auto it = tests.rbegin(); it != tests.rend(); ++it) {
        conformance::failuresInTest = 0;
        conformance::runningTest = (*it)->name;
        (*it)->run();
        if (conformance::failuresInTest == 0) {
            ++passed;
        } else {
            ++failed;
            std::printf("FAILED %s\n", (*it)->name);
        }
    }
    std::printf("conformance: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
