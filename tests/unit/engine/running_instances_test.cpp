#include "engine/running_instances.h"
#include "unit/engine/engine_fixture.h"
#include "unit/ipc/child_processes.h"

#include <chrono>
#include <map>

using testing_ipc::ChildProcesses;
using testing_ipc::StandinPath;
using testing_ipc::WaitUntil;

namespace {

const char kTesmText[] = "Tesm.exe is currently running. Please close it before installing this new version.";
const char kTesmaraText[] = "Tesmara.exe is currently running. Please close it before installing this new version.";

// Windows of the product's classes in this process, counting the WM_CLOSE each receives.
struct ProductWindow {
    bool refuses = false;
    int closeRequests = 0;
};
std::map<HWND, ProductWindow>& ProductWindows() {
    static std::map<HWND, ProductWindow> windows;
    return windows;
}

LRESULT CALLBACK ProductWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CLOSE) return DefWindowProcA(hwnd, message, wParam, lParam);
    ProductWindow& window = ProductWindows()[hwnd];
    ++window.closeRequests;
    if (!window.refuses) DestroyWindow(hwnd);
    return 0;
}

class RunningInstancesTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ProductWindows().clear();
        for (const char* name : {"TTesmForm", "VintTesmara"}) {
            WNDCLASSA windowClass = {};
            windowClass.lpfnWndProc = ProductWndProc;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.lpszClassName = name;
            RegisterClassA(&windowClass);  // once per test program; later calls find it registered
        }
    }
    void TearDown() override {
        for (auto& entry : ProductWindows())
            if (IsWindow(entry.first)) DestroyWindow(entry.first);
        children_.StopAll();
        EngineTest::TearDown();
    }

    HWND Open(const char* windowClass, bool refuses = false) {
        HWND hwnd = CreateWindowExA(0, windowClass, "Product", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(hwnd, nullptr);
        ProductWindows()[hwnd].refuses = refuses;
        return hwnd;
    }

    static int CloseRequests(HWND hwnd) { return ProductWindows()[hwnd].closeRequests; }

    pid_t StartStandin(const char* program, const char* windowClass, std::vector<std::string> args = {}) {
        pid_t pid = children_.Start(StandinPath(program), args);
        EXPECT_TRUE(WaitUntil([&] { return FindWindowA(windowClass, nullptr) != nullptr; })) << program;
        return pid;
    }

    ChildProcesses children_;
};

TEST_F(RunningInstancesTest, NothingRunningMeansNothingToReport) {
    EXPECT_EQ(CloseRunningInstances(), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(RunningInstancesTest, EveryCopyIsAskedOnceAndAllClose) {
    HWND tesm = Open("TTesmForm");
    std::vector<HWND> tesmara;
    for (int i = 0; i < 5; ++i) tesmara.push_back(Open("VintTesmara"));
    EXPECT_EQ(CloseRunningInstances(), 0);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(CloseRequests(tesm), 1);
    for (HWND hwnd : tesmara) EXPECT_EQ(CloseRequests(hwnd), 1);
    EXPECT_EQ(FindWindowA("VintTesmara", nullptr), nullptr);
}

TEST_F(RunningInstancesTest, ACopyThatStaysIsAskedAHundredTimesThenReportedAlone) {
    struct Case {
        const char* refusingClass;
        const char* text;
        const char* caption;
        int requestsToOther;  // the other program's window
    };
    const Case cases[] = {
        {"TTesmForm", kTesmText, "Tesm.exe Running", 0},  // the second class is never reached
        {"VintTesmara", kTesmaraText, "Tesmara.exe Running", 1},
    };
    for (const Case& c : cases) {
        Boxes().clear();
        bool firstRefuses = c.refusingClass == std::string("TTesmForm");
        HWND refusing = Open(c.refusingClass, true);
        HWND other = Open(firstRefuses ? "VintTesmara" : "TTesmForm");
        EXPECT_EQ(CloseRunningInstances(), 1) << c.refusingClass;
        EXPECT_EQ(CloseRequests(refusing), 100) << c.refusingClass;
        EXPECT_EQ(CloseRequests(other), c.requestsToOther) << c.refusingClass;
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].owner, nullptr);
        EXPECT_EQ(Boxes()[0].text, c.text);
        EXPECT_EQ(Boxes()[0].caption, c.caption);
        EXPECT_EQ(Boxes()[0].type, static_cast<UINT>(MB_ICONERROR));
        DestroyWindow(refusing);
        if (IsWindow(other)) DestroyWindow(other);
    }
}

TEST_F(RunningInstancesTest, TheHundredthSearchFindingACopyIsReportedEvenThoughItCloses) {
    for (int copies : {99, 100}) {
        Boxes().clear();
        for (int i = 0; i < copies; ++i) Open("TTesmForm");
        EXPECT_EQ(CloseRunningInstances(), copies == 100 ? 1 : 0) << copies;
        EXPECT_EQ(Boxes().size(), copies == 100 ? 1u : 0u) << copies;
        EXPECT_EQ(FindWindowA("TTesmForm", nullptr), nullptr) << copies;  // every copy did close
    }
}

TEST_F(RunningInstancesTest, CopiesInOtherProcessesClose) {
    pid_t tesm = StartStandin("Tesm.exe", "TTesmForm");
    pid_t tesmara = StartStandin("Tesmara.exe", "VintTesmara");
    EXPECT_EQ(CloseRunningInstances(), 0);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(children_.Exited(tesm));
    EXPECT_TRUE(children_.Exited(tesmara));
}

TEST_F(RunningInstancesTest, AHungCopyIsReportedAfterABoundedWait) {
    StartStandin("Tesm.exe", "TTesmForm", {"hang"});
    HWND tesmara = Open("VintTesmara");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CloseRunningInstances(), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].caption, "Tesm.exe Running");
    EXPECT_EQ(CloseRequests(tesmara), 0);
}

}  // namespace
